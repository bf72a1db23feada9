#include "runtime/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace vellumar {

ReturnFocus::~ReturnFocus()
{
    if (window_)
        window_->activateWindow();
}

MessageAnswer QtMessageBox::show(QWidget* owner, const QString& prompt, MessageButtons buttons)
{
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    QWidget* parent = owner ? owner->window() : QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, title_, text, QMessageBox::NoButton, parent);
    // A window manager may give the focus to another window when the box
    // closes (openbox passes over tool windows): hand it back to the owner.
    const ReturnFocus returnFocus(parent);
    box.setTextFormat(Qt::PlainText);
    if (buttons == MessageButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        box.exec();
        return MessageAnswer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: return MessageAnswer::Cancel;  // Cancel, Esc or the close box
    }
}

}  // namespace vellumar
