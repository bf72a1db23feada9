#pragma once

#include <QString>
#include <QWidget>

#include <cstdint>

#include "runtime/runtime.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vellumar {

// The batch window: makes a list of passwords with the main window's options
// and saves it to a text file.
class frmMulti final : public QWidget {
    Q_OBJECT
public:
    // The most characters the list may hold, line ends included: 64 Mi, room
    // for 32767 passwords of 2046 characters. Measured at that size, the
    // program peaks at about 420 MiB after the batch and 550 MiB while saving
    // (the list's document takes about six bytes per character, a save about
    // two more), which leaves room under 1 GiB for hand edits and their undo.
    static constexpr std::int64_t kMaxListChars = std::int64_t{64} * 1024 * 1024;

    explicit frmMulti(Runtime& runtime, QWidget* parent = nullptr);

    // The list as the program sees it: the field's lines, each ended by CR LF.
    QString listText() const;

    // Writes the list and one more CR LF to the file. Returns the reason for
    // a failure, or empty text on success.
    QString SavePasswords(const QString& strSavePath);

    QLabel* lblNumber;
    QLineEdit* txtNumPass;
    QPushButton* cmdGenerate;
    QPlainTextEdit* txtPasswords;
    QPushButton* cmdSave;
    QPushButton* cmdClose;

public slots:
    void cmdGenerate_Click();
    void cmdSave_Click();
    void cmdClose_Click();

private:
    // The folder the Save dialog starts in.
    QString saveFolder() const;
    void appendToList(const QString& lines);

    Runtime& runtime_;
};

}  // namespace vellumar
