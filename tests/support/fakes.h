#pragma once

// Recording stand-ins for the services the windows use, and the windows made over them.

#include <QtWidgets>

#include <deque>
#include <functional>
#include <memory>

#include "fake_desktop.h"
#include "generator/random_source.h"
#include "runtime/dialogs.h"
#include "runtime/file_service.h"
#include "runtime/runtime.h"
#include "windows/app_windows.h"
#include "windows/window_instances.h"

namespace vellumar::testing {

// Answers questions from `answers` (then Cancel), Save dialogs with `paths` (then cancels); records all.
class FakeDialogs final : public Dialogs {
public:
    MessageAnswer message(QWidget* owner, const QString& prompt, MessageButtons buttons) override
    {
        prompts.append(prompt);
        owners.append(owner);
        lastButtons = buttons;
        if (onMessage)
            onMessage();
        if (buttons == MessageButtons::Ok || answers.empty())
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<SaveDialogResult> askSaveFile(QWidget* owner, const SaveDialogSettings& settings) override
    {
        saveSettings.push_back(settings);
        owners.append(owner);
        if (paths.empty())
            return std::nullopt;
        SaveDialogResult result{paths.front()};
        paths.pop_front();
        return result;
    }

    QStringList prompts;
    QList<QWidget*> owners;
    MessageButtons lastButtons = MessageButtons::Ok;
    std::deque<MessageAnswer> answers;
    std::function<void()> onMessage;  // runs while a message is shown
    std::deque<QString> paths;
    std::vector<SaveDialogSettings> saveSettings;
};

// The real file service with the folder checks scripted.
class FakeFiles final : public FileService {
public:
    PathKind kindAt(const QString& path) override { return real.kindAt(path); }
    bool canCreateIn(const QString& folder) override { return folder != readOnlyFolder; }
    QString documentsFolder() override { return documents; }
    QString writeText(const QString& path, const TextPieces& text) override { return real.writeText(path, text); }

    QtFileService real;
    QString readOnlyFolder;
    QString documents = QStringLiteral("/home/user/Documents");
};

// The program's windows over the fakes and a cryptographic random source (or a test's own).
struct FakeApp {
    explicit FakeApp(RandomSource* source = nullptr) : runtime{{}, dialogs, desktop, files, source ? *source : sodium, windows}
    {
        runtime.app.programFolder = QStringLiteral("/opt/vellumar-test");
        defineAppWindows(runtime);
    }
    template <class T = QWidget>
    T* show(const char* name) { return qobject_cast<T*>(windows.show(QLatin1String(name))); }

    FakeDialogs dialogs;
    FakeDesktop desktop;
    FakeFiles files;
    SodiumRandomSource sodium;
    WindowInstances windows;
    Runtime runtime;
};

// A child of a window by object name; fails the test when there is none.
template <class T = QWidget>
T* child(const QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// Whether action ends the program: run in the event loop, which the program's own end leaves
// with code 0, else the loop is left with 1 once action's events are handled.
inline bool endsProgram(const std::function<void()>& action)
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QTimer::singleShot(0, QCoreApplication::instance(), [&action] {
        action();
        QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(1); });
    });
    return QCoreApplication::exec() == 0;
}

}  // namespace vellumar::testing
