#include "runtime/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "runtime/platform.h"

namespace vellumar {

QMimeData* passwordMimeData(const QString& text)
{
    auto* data = new QMimeData;
    data->setText(text);
    // The hint KDE's clipboard manager and others honour: do not keep this.
    data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
    platform::addSecretMarks(*data);
    return data;
}

void setClipboardPassword(const QString& text)
{
    QGuiApplication::clipboard()->setMimeData(passwordMimeData(text), QClipboard::Clipboard);
}

void keepClipboardAfterExit()
{
    // On X11 the clipboard is served by the program that set it, so its text
    // vanishes with the program unless a clipboard manager copies it (Qt
    // hands it to one at exit). Without one, a small owner process keeps it
    // available. Elsewhere the system keeps it by itself.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !clipboard->ownsClipboard())
        return;
    if (clipboardManagerRunning())
        return;
    handTextToClipboardOwner(clipboard->text(QClipboard::Clipboard));
}

}  // namespace vellumar
