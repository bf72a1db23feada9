#pragma once

#include <QWidget>

#include "runtime/runtime.h"

class QCheckBox;
class QLineEdit;

namespace vellumar {

// The main window: the generator's options, the password field, the copy
// and exit buttons and the menu bar. Closing it ends the program.
class frmPassCreate final : public QWidget {
    Q_OBJECT
public:
    explicit frmPassCreate(Runtime& runtime, QWidget* parent = nullptr);

    // Makes one password from this window's current options. Returns empty
    // text after a message (owned by messageOwner, this window when null);
    // *failed then tells that no password was made (a length of 0 or less
    // gives empty text without failing).
    QString GeneratePassword(bool* failed = nullptr, QWidget* messageOwner = nullptr);
    // The same, appending the password to text (without a copy of its own, for
    // a batch); returns false when none was made.
    bool GeneratePassword(QString& text, QWidget* messageOwner);

    // The length the passwords would have: the number typed in the
    // characters field, 0 when it is no number or below 0.
    int passwordLength() const;

    // Opens a web address or file through the shell and returns; tells the
    // user the address when the shell answers that it could not be opened.
    void GoToWeb(const QString& NetAddress);

public slots:
    void cmdCreate_Click();
    void cmdCopoy_Click();
    void cmdCopyClose_Click();
    void cmdClose_Click();
    void cmdMany_Click();
    void mnuAbout_Click();
    void mnuHowTo_Click();
    void mnuWebsite_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Unload();

    Runtime& runtime_;
    QCheckBox* chkUpper;
    QCheckBox* chkLower;
    QCheckBox* chkNumbers;
    QCheckBox* chkSpecialChar;
    QLineEdit* txtNumChar;
    QLineEdit* txtNewPassword;
};

}  // namespace vellumar
