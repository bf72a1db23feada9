#pragma once

#include <QWidget>

#include "runtime/runtime.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

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

    // Opens a web address or file through the shell; tells the user the
    // address when it cannot be opened.
    void GoToWeb(const QString& NetAddress);

    // Where "Help Contents..." looks for the help file.
    QString helpFilePath() const;

    QCheckBox* chkUpper;
    QCheckBox* chkLower;
    QCheckBox* chkNumbers;
    QCheckBox* chkSpecialChar;
    QLabel* Label1;
    QLineEdit* txtNumChar;
    QPushButton* cmdCreate;
    QPushButton* cmdMany;
    QLineEdit* txtNewPassword;
    QPushButton* cmdCopyClose;
    QPushButton* cmdCopoy;
    QPushButton* cmdClose;
    QMenuBar* menuBar;
    QAction* mnuWebsite;
    QMenu* mnuHelp;
    QAction* mnuHowTo;
    QAction* mnuAbout;

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
};

}  // namespace vellumar
