#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>
#include <string_view>

namespace vellumar {

enum class MessageButtons { Ok, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// The settings the Save dialog is shown with.
struct SaveDialogSettings {
    QString initialFileName;   // folder, separator, ".txt"
    QString defaultExtension;  // "txt"
    QString filter;            // "Text File (*.txt)"
    bool overwritePrompt = false;  // the caller asks its own question
};

// What the user chose in the Save dialog.
struct SaveDialogResult {
    QString path;  // full path, extension included
};

// The modal boxes and dialogs of the program. Each belongs to the window
// whose handler opens it (owner), so the focus goes back there when it closes.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box titled with the program's title, without an icon; the
    // first button is the default and closing the box counts as Cancel. Lines
    // of the prompt may be joined by CR LF.
    virtual MessageAnswer message(QWidget* owner, const QString& prompt,
                                  MessageButtons buttons = MessageButtons::Ok) = 0;
    // Asks for a file name to save to; nothing when the user cancels.
    virtual std::optional<SaveDialogResult> askSaveFile(QWidget* owner, const SaveDialogSettings& settings) = 0;
};

// Shows a UTF-8 message from toolkit-free code with an OK button.
inline void showUtf8(Dialogs& dialogs, QWidget* owner, std::string_view text)
{
    dialogs.message(owner, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

// Activates a window again when it goes out of scope: after a modal box or
// dialog over that window has closed.
class ReturnFocus {
public:
    explicit ReturnFocus(QWidget* window) : window_(window) {}
    ~ReturnFocus();
    ReturnFocus(const ReturnFocus&) = delete;
    ReturnFocus& operator=(const ReturnFocus&) = delete;

private:
    QPointer<QWidget> window_;
};

// QMessageBox and Qt's own file dialog.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QString title) : title_(std::move(title)) {}
    MessageAnswer message(QWidget* owner, const QString& prompt, MessageButtons buttons) override;
    std::optional<SaveDialogResult> askSaveFile(QWidget* owner, const SaveDialogSettings& settings) override;

private:
    QString title_;
};

}  // namespace vellumar
