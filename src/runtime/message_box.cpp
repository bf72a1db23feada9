#include "runtime/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace vellumar {

MessageAnswer QtMessageBox::show(QWidget* owner, const QString& prompt, MessageButtons buttons)
{
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    QMessageBox box(QMessageBox::NoIcon, title_, text, QMessageBox::NoButton,
                    owner ? owner->window() : QApplication::activeWindow());
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
