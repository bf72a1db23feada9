#pragma once

// Recording stand-ins for the runtime services, for widget tests.

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <memory>

#include "generator/random_source.h"
#include "runtime/clipboard.h"
#include "runtime/message_box.h"
#include "runtime/pointer.h"
#include "runtime/program_end.h"
#include "runtime/runtime.h"
#include "runtime/window_instances.h"
#include "scripted_random.h"

namespace vellumar::testing {

class RecordingMessageBox final : public MessageBox {
public:
    MessageAnswer show(QWidget* owner, const QString& prompt, MessageButtons buttons) override
    {
        prompts.append(prompt);
        owners.append(owner);
        lastButtons = buttons;
        if (answers.empty())
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QStringList prompts;
    QList<QWidget*> owners;
    MessageButtons lastButtons = MessageButtons::Ok;
    std::deque<MessageAnswer> answers;  // given in order to Yes/No/Cancel questions
};

class RecordingClipboard final : public Clipboard {
public:
    void setText(const QString& text) override { texts.append(text); }
    void keepAfterExit() override { ++keptAfterExit; }

    QStringList texts;
    int keptAfterExit = 0;
};

class RecordingPointer final : public MousePointer {
public:
    void setBusy() override { busy = true; ++busyCount; }
    void setDefault() override { busy = false; }

    bool busy = false;
    int busyCount = 0;
};

class RecordingEnd final : public ProgramEnd {
public:
    void end() override { ++count; }
    int count = 0;
};

// A Runtime filled with the fakes above, the real window registry and a
// cryptographic random source.
struct FakeRuntime {
    FakeRuntime();

    RecordingMessageBox messageBox;
    RecordingClipboard clipboard;
    RecordingPointer pointer;
    RecordingEnd end;
    WindowInstances windows;
    std::unique_ptr<RandomSource> random;
    Runtime runtime;
};

inline FakeRuntime::FakeRuntime() : random(std::make_unique<SodiumRandomSource>())
{
    runtime.app.programFolder = QStringLiteral("/opt/vellumar-test");
    runtime.messageBox = &messageBox;
    runtime.clipboard = &clipboard;
    runtime.pointer = &pointer;
    runtime.end = &end;
    runtime.windows = &windows;
    runtime.random = random.get();
}

}  // namespace vellumar::testing

// Toolkit-free fakes (file lookup, program start) live in their own header so
// that GoogleTest tests can use them without Qt.
#include "service_fakes.h"
