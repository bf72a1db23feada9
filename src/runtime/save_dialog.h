#pragma once

#include <QString>

#include <optional>

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

// Asks for a file name to save to; nothing when the user cancels.
class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    virtual std::optional<SaveDialogResult> ask(const SaveDialogSettings& settings) = 0;
};

// Qt's file dialog, modal over the active window.
class QtSaveDialog final : public SaveDialog {
public:
    std::optional<SaveDialogResult> ask(const SaveDialogSettings& settings) override;
};

}  // namespace vellumar
