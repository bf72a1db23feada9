#include "runtime/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "runtime/platform.h"

namespace vellumar {

ReturnFocus::~ReturnFocus()
{
    if (window_)
        window_->activateWindow();
}

MessageAnswer QtDialogs::message(QWidget* owner, const QString& prompt, MessageButtons buttons)
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

std::optional<SaveDialogResult> QtDialogs::askSaveFile(QWidget* owner, const SaveDialogSettings& settings)
{
    QWidget* parent = owner ? owner->window() : QApplication::activeWindow();
    const ReturnFocus returnFocus(parent);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, !platform::nativeFileDialog());
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.overwritePrompt);
    dialog.setNameFilter(settings.filter);
    dialog.setDefaultSuffix(settings.defaultExtension);
    // Opens the dialog in the name's folder with the bare name in the box.
    // The folder is set explicitly: otherwise the native dialog starts in
    // the folder it last visited in this run, or in the working directory.
    const QString initial = QDir::fromNativeSeparators(settings.initialFileName);
    const qsizetype slash = initial.lastIndexOf(u'/');
    if (slash >= 0)
        dialog.setDirectory(initial.left(slash > 0 ? slash : 1));
    dialog.selectFile(initial.mid(slash + 1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;

    return SaveDialogResult{dialog.selectedFiles().constFirst()};
}

}  // namespace vellumar
