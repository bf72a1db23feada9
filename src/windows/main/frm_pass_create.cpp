#include "windows/main/frm_pass_create.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "generator/password_generator.h"
#include "runtime/clipboard.h"
#include "runtime/design_scale.h"
#include "runtime/message_box.h"
#include "runtime/program_end.h"
#include "runtime/shell_open.h"
#include "runtime/window_instances.h"
#include "windows/controls.h"
#include "windows/main/website.h"

namespace vellumar {

frmPassCreate::frmPassCreate(Runtime& runtime, QWidget* parent)
    : QWidget(parent, fixedWindowFlags(Qt::Window)),
      runtime_(runtime)
{
    setObjectName(QStringLiteral("frmPassCreate"));
    setWindowTitle(runtime_.app.title);

    auto* client = new QWidget(this);
    const DesignScale scale = DesignScale::forFont(font());
    client->setFixedSize(scale.size(3150, 4770));

    chkUpper = makeCheckBox(client, "chkUpper", tr("Use Upper Case Letters"), false);
    scale.place(chkUpper, 150, 75, 2640, 315);
    chkLower = makeCheckBox(client, "chkLower", tr("Use Lower Case Characters"), true);
    scale.place(chkLower, 150, 525, 2640, 315);
    chkNumbers = makeCheckBox(client, "chkNumbers", tr("Use Numbers"), true);
    scale.place(chkNumbers, 150, 975, 2640, 315);
    chkSpecialChar = makeCheckBox(client, "chkSpecialChar", tr("Use Special Characters"), false);
    scale.place(chkSpecialChar, 150, 1425, 2640, 315);

    txtNumChar = makeLineEdit(client, "txtNumChar", QStringLiteral("7"), Qt::AlignRight);
    txtNumChar->setAccessibleName(tr("Number of Characters"));
    scale.place(txtNumChar, 2250, 1875, 465, 315);
    Label1 = makeLabel(client, "Label1", tr("Number of Characters:"), Qt::AlignRight | Qt::AlignVCenter);
    Label1->setBuddy(txtNumChar);
    scale.place(Label1, 225, 1950, 1890, 240);

    cmdCreate = makeButton(client, "cmdCreate", tr("Create &Password"));
    scale.place(cmdCreate, 518, 2325, 1365, 390);
    cmdMany = makeButton(client, "cmdMany", tr("Many..."));
    scale.place(cmdMany, 1943, 2325, 690, 390);

    txtNewPassword = makeLineEdit(client, "txtNewPassword", QString(), Qt::AlignLeft);
    txtNewPassword->setAccessibleName(tr("Password"));
    scale.place(txtNewPassword, 293, 2850, 2565, 315);

    cmdCopyClose = makeButton(client, "cmdCopyClose", tr("&Copy and Close"));
    scale.place(cmdCopyClose, 675, 3300, 1815, 390);
    cmdCopoy = makeButton(client, "cmdCopoy", tr("Copy &Without Closing"));
    scale.place(cmdCopoy, 675, 3787, 1815, 390);
    cmdClose = makeButton(client, "cmdClose", tr("&Exit"));
    scale.place(cmdClose, 675, 4275, 1815, 390);

    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    mnuWebsite = menuBar->addAction(tr("Visit Website"));
    mnuWebsite->setObjectName(QStringLiteral("mnuWebsite"));
    mnuHelp = menuBar->addMenu(tr("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHowTo = mnuHelp->addAction(tr("Help Contents..."));
    mnuHowTo->setObjectName(QStringLiteral("mnuHowTo"));
    mnuAbout = mnuHelp->addAction(tr("&About Vellumar..."));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(client);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrderChain({chkUpper, chkLower, txtNumChar, cmdCreate, txtNewPassword, chkNumbers,
                      chkSpecialChar, cmdCopyClose, cmdClose, cmdCopoy, cmdMany});
    chkUpper->setFocus();

    connect(cmdCreate, &QPushButton::clicked, this, &frmPassCreate::cmdCreate_Click);
    connect(cmdCopoy, &QPushButton::clicked, this, &frmPassCreate::cmdCopoy_Click);
    connect(cmdCopyClose, &QPushButton::clicked, this, &frmPassCreate::cmdCopyClose_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmPassCreate::cmdClose_Click);
    connect(cmdMany, &QPushButton::clicked, this, &frmPassCreate::cmdMany_Click);
    connect(mnuWebsite, &QAction::triggered, this, &frmPassCreate::mnuWebsite_Click);
    connect(mnuHowTo, &QAction::triggered, this, &frmPassCreate::mnuHowTo_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmPassCreate::mnuAbout_Click);
}

QString frmPassCreate::GeneratePassword(bool* failed, QWidget* messageOwner)
{
    PasswordOptions options;
    options.upper = chkUpper->isChecked();
    options.lower = chkLower->isChecked();
    options.digits = chkNumbers->isChecked();
    options.special = chkSpecialChar->isChecked();
    options.lengthText = txtNumChar->text().toStdString();

    QWidget* owner = messageOwner ? messageOwner : this;
    const std::optional<std::string> password =
        generatePassword(options, *runtime_.random,
                         [this, owner](std::string_view message) { showUtf8(*runtime_.messageBox, owner, message); });
    if (failed)
        *failed = !password.has_value();
    if (!password)
        return {};
    return QString::fromLatin1(password->data(), static_cast<qsizetype>(password->size()));
}

void frmPassCreate::cmdCreate_Click()
{
    txtNewPassword->setText(GeneratePassword());
}

void frmPassCreate::cmdCopoy_Click()
{
    runtime_.clipboard->setText(txtNewPassword->text());
}

void frmPassCreate::cmdCopyClose_Click()
{
    runtime_.clipboard->setText(txtNewPassword->text());
    close();  // the text stays on the clipboard (Form_Unload)
}

void frmPassCreate::cmdClose_Click()
{
    close();
}

void frmPassCreate::cmdMany_Click()
{
    if (runtime_.windows)
        runtime_.windows->show(QStringLiteral("frmMulti"));
}

void frmPassCreate::mnuAbout_Click()
{
    if (runtime_.windows)
        runtime_.windows->show(QStringLiteral("frmAbout"));
}

void frmPassCreate::mnuHowTo_Click()
{
    GoToWeb(helpFilePath());
}

void frmPassCreate::mnuWebsite_Click()
{
    GoToWeb(QString::fromLatin1(kWebsiteAddress));
}

QString frmPassCreate::helpFilePath() const
{
    // The program folder may come with '/' on every platform: give the shell
    // the platform's own separators throughout.
    return QDir::toNativeSeparators(runtime_.app.programFolder + QStringLiteral("/vellumar100.chm"));
}

void frmPassCreate::GoToWeb(const QString& NetAddress)
{
    ShellOpenRequest request;
    request.ownerWindow = static_cast<std::uintptr_t>(winId());
    request.operation = "Open";
    request.target = NetAddress.toStdString();
    request.directory = QDir::toNativeSeparators(runtime_.app.programFolder).toStdString();
    request.showCommand = kShowNormal;
    if (runtime_.shell && runtime_.shell->open(request))
        return;
    runtime_.messageBox->show(this, QStringLiteral("It looks like you don't have a default browser set.\r\n"
                                             "To find what you were looking for, please go to: \r\n") +
                              NetAddress);
}

void frmPassCreate::closeEvent(QCloseEvent* event)
{
    event->accept();
    Form_Unload();
}

void frmPassCreate::Form_Unload()
{
    // Whatever the program put on the clipboard stays there after it ends,
    // by any route.
    runtime_.clipboard->keepAfterExit();
    if (runtime_.end)
        runtime_.end->end();
}

}  // namespace vellumar
