#include "windows/main/frm_pass_create.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "generator/password_generator.h"
#include "runtime/desktop.h"
#include "runtime/dialogs.h"
#include "runtime/whole_number.h"
#include "windows/design_scale.h"
#include "windows/window_instances.h"
#include "windows/controls.h"
#include "windows/main/website.h"

namespace vellumar {

namespace {

// The controls' boxes in the design, in twips.
constexpr Placement kLayout[] = {
    {"chkUpper", 150, 75, 2640, 315},
    {"chkLower", 150, 525, 2640, 315},
    {"chkNumbers", 150, 975, 2640, 315},
    {"chkSpecialChar", 150, 1425, 2640, 315},
    {"txtNumChar", 2250, 1875, 465, 315},
    {"Label1", 225, 1950, 1890, 240},
    {"cmdCreate", 518, 2325, 1365, 390},
    {"cmdMany", 1943, 2325, 690, 390},
    {"txtNewPassword", 293, 2850, 2565, 315},
    {"cmdCopyClose", 675, 3300, 1815, 390},
    {"cmdCopoy", 675, 3787, 1815, 390},
    {"cmdClose", 675, 4275, 1815, 390},
};

}  // namespace

frmPassCreate::frmPassCreate(Runtime& runtime, QWidget* parent)
    : QWidget(parent, fixedWindowFlags(Qt::Window)),
      runtime_(runtime)
{
    setAccessibleRole(this, QAccessible::Window);
    setObjectName(QStringLiteral("frmPassCreate"));
    setWindowTitle(runtime_.app.title);

    auto* client = new QWidget(this);
    chkUpper = makeCheckBox(client, "chkUpper", tr("Use Upper Case Letters"), false);
    chkLower = makeCheckBox(client, "chkLower", tr("Use Lower Case Characters"), true);
    chkNumbers = makeCheckBox(client, "chkNumbers", tr("Use Numbers"), true);
    chkSpecialChar = makeCheckBox(client, "chkSpecialChar", tr("Use Special Characters"), false);
    txtNumChar = makeLineEdit(client, "txtNumChar", QStringLiteral("7"), Qt::AlignRight, runtime_.dialogs);
    txtNumChar->setAccessibleName(tr("Number of Characters"));
    auto* Label1 = makeLabel(client, "Label1", tr("Number of Characters:"), Qt::AlignRight | Qt::AlignVCenter);
    Label1->setBuddy(txtNumChar);
    auto* cmdCreate = makeButton(client, "cmdCreate", tr("Create &Password"));
    auto* cmdMany = makeButton(client, "cmdMany", tr("Many..."));
    txtNewPassword = makeLineEdit(client, "txtNewPassword", QString(), Qt::AlignLeft, runtime_.dialogs);
    txtNewPassword->setAccessibleName(tr("Password"));
    txtNewPassword->setAccessibleDescription(
        tr("The password made last, or typed by hand; the copy buttons put this text on the clipboard."));
    auto* cmdCopyClose = makeButton(client, "cmdCopyClose", tr("&Copy and Close"));
    auto* cmdCopoy = makeButton(client, "cmdCopoy", tr("Copy &Without Closing"));
    auto* cmdClose = makeButton(client, "cmdClose", tr("&Exit"));
    const DesignScale scale = DesignScale::forFont(font());
    client->setFixedSize(scale.size(3150, 4770));
    placeControls(client, scale, kLayout);

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    QAction* mnuWebsite = menuBar->addAction(tr("Visit Website"));
    mnuWebsite->setObjectName(QStringLiteral("mnuWebsite"));
    QMenu* mnuHelp = menuBar->addMenu(tr("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction* mnuHowTo = mnuHelp->addAction(tr("Help Contents..."));
    mnuHowTo->setObjectName(QStringLiteral("mnuHowTo"));
    QAction* mnuAbout = mnuHelp->addAction(tr("&About Vellumar..."));
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
    QString password;
    const bool made = GeneratePassword(password, messageOwner);
    if (failed)
        *failed = !made;
    return password;
}

bool frmPassCreate::GeneratePassword(QString& text, QWidget* messageOwner)
{
    PasswordOptions options;
    options.upper = chkUpper->isChecked();
    options.lower = chkLower->isChecked();
    options.digits = chkNumbers->isChecked();
    options.special = chkSpecialChar->isChecked();
    options.lengthText = txtNumChar->text().toStdString();

    QWidget* owner = messageOwner ? messageOwner : this;
    const std::optional<std::string> password =
        generatePassword(options, runtime_.random,
                         [this, owner](std::string_view message) { showUtf8(runtime_.dialogs, owner, message); });
    if (!password)
        return false;
    text += QLatin1StringView(password->data(), static_cast<qsizetype>(password->size()));
    return true;
}

int frmPassCreate::passwordLength() const
{
    return std::max<int>(0, parseWholeNumber(txtNumChar->text().toStdString()).value_or(0));
}

void frmPassCreate::cmdCreate_Click()
{
    txtNewPassword->setText(GeneratePassword());
}

void frmPassCreate::cmdCopoy_Click()
{
    runtime_.desktop.setClipboardText(txtNewPassword->text().toStdString());
}

void frmPassCreate::cmdCopyClose_Click()
{
    runtime_.desktop.setClipboardText(txtNewPassword->text().toStdString());
    close();  // the text stays on the clipboard (Form_Unload)
}

void frmPassCreate::cmdClose_Click()
{
    close();
}

void frmPassCreate::cmdMany_Click()
{
    runtime_.windows.show(QStringLiteral("frmMulti"));
}

void frmPassCreate::mnuAbout_Click()
{
    runtime_.windows.show(QStringLiteral("frmAbout"));
}

void frmPassCreate::mnuHowTo_Click()
{
    // The program folder may come with '/' on every platform: give the shell
    // the platform's own separators throughout.
    GoToWeb(QDir::toNativeSeparators(runtime_.app.programFolder + QStringLiteral("/vellumar100.chm")));
}

void frmPassCreate::mnuWebsite_Click()
{
    GoToWeb(QString::fromLatin1(kWebsiteAddress));
}

void frmPassCreate::GoToWeb(const QString& NetAddress)
{
    ShellOpenRequest request;
    request.ownerWindow = static_cast<std::uintptr_t>(winId());
    request.operation = "Open";
    request.target = NetAddress.toStdString();
    request.directory = QDir::toNativeSeparators(runtime_.app.programFolder).toStdString();
    request.showCommand = kShowNormal;
    // The windows go on while the opener runs; its answer may come much later.
    runtime_.desktop.open(request, [window = QPointer<frmPassCreate>(this), NetAddress](bool opened) {
        if (opened || !window)
            return;
        window->runtime_.dialogs.message(window, QStringLiteral("It looks like you don't have a default browser set.\r\n"
                                                                "To find what you were looking for, please go to: \r\n") +
                                                     NetAddress);
    });
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
    runtime_.desktop.keepClipboardAfterExit();
    QCoreApplication::exit(0);
}

}  // namespace vellumar
