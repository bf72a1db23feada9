#include "runtime/clipboard.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QTimer>

#include <functional>

#include "runtime/platform.h"

namespace vellumar {

namespace {

const QString kSecretHint = QStringLiteral("x-kde-passwordManagerHint");

// A password's clipboard contents, which note whether anybody has read them
// (on Wayland: the compositor, which keeps its own copy once it has).
class PasswordMimeData final : public QMimeData {
public:
    explicit PasswordMimeData(const QString& text) : password(text) {}
    const QString password;
    mutable bool read = false;

protected:
    QVariant retrieveData(const QString& format, QMetaType type) const override
    {
        read = true;
        return QMimeData::retrieveData(format, type);
    }
};

// Runs the event loop, without user input, until done() or the time limit.
void waitUntil(const std::function<bool()>& done, int limitMs)
{
    QEventLoop loop;
    QTimer check;
    const QDeadlineTimer limit(limitMs);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || limit.hasExpired())
            loop.quit();
    });
    check.start(2);
    if (!done())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

QMimeData* passwordMimeData(const QString& text)
{
    auto* data = new PasswordMimeData(text);
    data->setText(text);
    // The hint KDE's clipboard manager and others honour: do not keep this.
    data->setData(kSecretHint, QByteArrayLiteral("secret"));
    platform::addSecretMarks(*data);
    return data;
}

void setClipboardPassword(const QString& text)
{
    QGuiApplication::clipboard()->setMimeData(passwordMimeData(text), QClipboard::Clipboard);
}

void markCopiesAsSecret()
{
    // Qt's own copies (a line edit's Copy and its selection) are plain text;
    // they are replaced before the event loop runs again, so that no other
    // program can have read them unmarked.
    QClipboard* clipboard = QGuiApplication::clipboard();
    QObject::connect(clipboard, &QClipboard::changed, clipboard, [clipboard](QClipboard::Mode mode) {
        const bool owned = mode == QClipboard::Clipboard   ? clipboard->ownsClipboard()
                           : mode == QClipboard::Selection ? clipboard->ownsSelection()
                                                           : false;
        const QMimeData* data = owned ? clipboard->mimeData(mode) : nullptr;
        if (const auto* password = dynamic_cast<const PasswordMimeData*>(data))
            password->read = false;  // Qt reads the text itself as it offers it (for a UTF-8 copy)
        else if (data && data->hasText() && !data->hasFormat(kSecretHint))
            clipboard->setMimeData(passwordMimeData(data->text()), mode);
    });
}

void keepClipboardAfterExit()
{
    // On X11 the clipboard is served by the program that set it, so its text
    // vanishes with the program: an owner process keeps serving it, whether
    // or not a clipboard manager runs (a manager may refuse to copy it, or
    // honour the secret hint and keep nothing). On Wayland the same where the
    // compositor lets a process without a window own the clipboard; elsewhere
    // the compositor copies the text once it has read it: stay until then.
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString platform = QGuiApplication::platformName();
    const bool wayland = platform.startsWith(QLatin1String("wayland"));
    if ((!wayland && platform != QLatin1String("xcb")) || !clipboard->ownsClipboard())
        return;
    const auto* data = dynamic_cast<const PasswordMimeData*>(clipboard->mimeData(QClipboard::Clipboard));
    const bool read = data && data->read;
    if (handTextToClipboardOwner(data ? data->password : clipboard->text(QClipboard::Clipboard), platform)) {
        // Learn that the owner took it over, or Qt would offer it to a
        // clipboard manager as the program ends.
        waitUntil([clipboard] { return !clipboard->ownsClipboard(); }, 1000);
        return;
    }
    if (wayland && data && !read) {
        const QPointer<const QMimeData> offered(data);  // gone if another program takes the clipboard
        waitUntil([&] { return !offered || !clipboard->ownsClipboard() || data->read; }, kCompositorReadLimitMs);
    }
}

void ClipboardDesktop::setClipboardText(const std::string& text)
{
    setClipboardPassword(QString::fromStdString(text));
}

void ClipboardDesktop::keepClipboardAfterExit()
{
    vellumar::keepClipboardAfterExit();
}

}  // namespace vellumar
