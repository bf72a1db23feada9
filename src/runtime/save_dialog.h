#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace vellumar {

// The settings the Save dialog is shown with.
struct SaveDialogSettings {
    QString initialFileName;   // folder, separator, ".txt"
    QString defaultExtension;  // "txt"
    QString filter;            // "Text File (*.txt)"
    bool overwritePrompt = false;  // the caller asks its own question
};

// What the user chose in the Save dialog.
struct SaveDialogResult {
    QString path;       // full path, extension included
    QString fileTitle;  // file name without its folder
};

// Asks for a file name to save to; nothing when the user cancels. The dialog
// belongs to the window that asks (owner).
class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    virtual std::optional<SaveDialogResult> ask(QWidget* owner, const SaveDialogSettings& settings) = 0;
};

// Qt's file dialog, modal over its owner.
class QtSaveDialog final : public SaveDialog {
public:
    std::optional<SaveDialogResult> ask(QWidget* owner, const SaveDialogSettings& settings) override;
};

}  // namespace vellumar
