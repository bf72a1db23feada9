#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "runtime/runtime.h"

class QLineEdit;
class QPushButton;

namespace vellumar {

class frmPassCreate;

// The list field: one password per line. A copied selection has CR LF line
// ends and is marked as a secret for clipboard managers; one whole line (as a
// triple-click selects it) copies as the password alone.
class PasswordList final : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    // Adds lines at the end of the list; then shows its end and draws it at once.
    void append(const QString& lines);
    void showEnd();

protected:
    QMimeData* createMimeDataFromSelection() const override;
};

// The batch window: makes a list of passwords with the main window's options
// and saves it to a text file.
class frmMulti final : public QWidget {
    Q_OBJECT
public:
    // The most characters the list may hold, line ends included: 64 Mi, room
    // for 32767 passwords of 2046 characters. Measured at that size, the
    // program peaks at about 170 MiB after the batch (the list's document
    // takes about two bytes a character) and saving adds only its buffer,
    // which leaves room under 1 GiB for hand edits and their undo.
    static constexpr std::int64_t kMaxListChars = std::int64_t{64} * 1024 * 1024;

    // A batch that runs longer than this keeps the windows painted, shows how
    // far it is and can be stopped (Esc or Close); shorter ones just run.
    static constexpr qint64 kResponsiveAfterMs = 500;

    explicit frmMulti(Runtime& runtime, QWidget* parent = nullptr);
    ~frmMulti() override;

    // The list as the program sees it: the field's lines with CR LF between
    // them, then end; and the same in pieces, without end.
    QString listText(const QString& end = {}) const;
    void forEachListPiece(const std::function<void(QStringView)>& piece) const;

    // Writes the list and one more CR LF to the file. Returns the reason for
    // a failure, or empty text on success.
    QString SavePasswords(const QString& strSavePath);

public slots:
    void cmdGenerate_Click();
    void cmdSave_Click();
    void cmdClose_Click();

private:
    class BatchInput;

    // The folder the Save dialog starts in.
    QString saveFolder() const;
    // Makes count passwords of the main window's options into the list.
    void runBatch(frmPassCreate& main, int count);

    Runtime& runtime_;
    QLineEdit* txtNumPass;
    PasswordList* txtPasswords;
    QPushButton* cmdClose;
    BatchInput* batchInput_ = nullptr;  // set while a long batch takes input
    bool stopRequested_ = false;
};

}  // namespace vellumar
