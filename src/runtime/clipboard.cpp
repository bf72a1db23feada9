#include "runtime/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace vellumar {

void QtClipboard::setText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void QtClipboard::setTextBeforeExit(const QString& text)
{
    // On X11 the clipboard is served by the program that set it, so its text
    // vanishes with the program unless a clipboard manager copies it. A small
    // owner process keeps it available instead. Elsewhere Qt hands it over.
    if (QGuiApplication::platformName() == QLatin1String("xcb") && handTextToClipboardOwner(text))
        return;
    setText(text);
}

}  // namespace vellumar
