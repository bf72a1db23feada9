#include "runtime/save_dialog.h"

#include "runtime/message_box.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace vellumar {

std::optional<SaveDialogResult> QtSaveDialog::ask(QWidget* owner, const SaveDialogSettings& settings)
{
    QWidget* parent = owner ? owner->window() : QApplication::activeWindow();
    const ReturnFocus returnFocus(parent);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
#ifndef Q_OS_WIN
    // Qt's own dialog needs no desktop portal or platform theme, so it works
    // on every Linux desktop (and under a bare X server).
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
#endif
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.overwritePrompt);
    dialog.setNameFilter(settings.filter);
    dialog.setDefaultSuffix(settings.defaultExtension);
    // Opens the dialog in the name's folder with the bare name in the box.
    dialog.selectFile(settings.initialFileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;

    SaveDialogResult result;
    result.path = dialog.selectedFiles().constFirst();
    result.fileTitle = QFileInfo(result.path).fileName();
    return result;
}

}  // namespace vellumar
