#include "windows/about/frm_about.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>

#include "runtime/design_scale.h"
#include "runtime/message_box.h"
#include "windows/about/core/sys_info.h"
#include "windows/controls.h"

namespace vellumar {

const char kLegalNotice[] =
    "Warning: this software is protected by\r\n"
    "copyright law and international treaties.\r\n"
    "Copying or distributing it, in whole or in\r\n"
    "part, without permission is not allowed and\r\n"
    "may result in civil and criminal penalties.\r\n";

DesignLine::DesignLine(QWidget* parent, int index, const QColor& colour, int penWidth)
    : QWidget(parent), index_(index), colour_(colour), penWidth_(penWidth)
{
    setObjectName(QStringLiteral("Line1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DesignLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(0, 0, width(), penWidth_, colour_);
}

frmAbout::frmAbout(Runtime& runtime, QWidget* parent)
    : QWidget(parent, fixedWindowFlags(Qt::Dialog)),
      runtime_(runtime)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Vellumar"));

    const DesignScale scale = DesignScale::forFont(font());
    setFixedSize(scale.size(5730, 2790));

    // The white line is two pixels wide and lies under the one-pixel grey
    // line at the same height: together they look engraved.
    Line1[0] = new DesignLine(this, 0, QColor(255, 255, 255), 2);
    Line1[0]->setGeometry(scale.x(75), scale.y(1500), scale.x(5624) - scale.x(75) + 1, 2);
    Line1[1] = new DesignLine(this, 1, QColor(128, 128, 128), 1);
    Line1[1]->setGeometry(0, scale.y(1500), scale.x(5564) + 1, 1);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(QPixmap(QStringLiteral(":/vellumar/logo.gif")));
    picIcon->setScaledContents(true);
    scale.place(picIcon, 150, 150, 1245, 1095);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(tr("Legal notice"));
    Text1->setPlainText(QString::fromLatin1(kLegalNotice).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed());
    Text1->setReadOnly(true);
    Text1->setTabChangesFocus(true);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // A narrow margin lets the five lines fit the design's height.
    Text1->document()->setDocumentMargin(2);
    {
        // The background is the colour of scroll-bar tracks.
        QPalette palette = Text1->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Midlight));
        Text1->setPalette(palette);
    }
    scale.place(Text1, 150, 1650, 3975, 1095);

    cmdOK = makeButton(this, "cmdOK", tr("OK"));
    cmdOK->setDefault(true);
    scale.place(cmdOK, 4245, 1725, 1260, 345);
    cmdSysInfo = makeButton(this, "cmdSysInfo", tr("&System Info..."));
    scale.place(cmdSysInfo, 4260, 2175, 1245, 345);

    QPalette black = palette();
    black.setColor(QPalette::WindowText, Qt::black);
    lblDescription = makeLabel(this, "lblDescription",
                               tr("A light utility to create random passwords.  A version of the password "
                                  "generator in our password management software Quillory."),
                               Qt::AlignLeft | Qt::AlignTop);
    lblDescription->setWordWrap(true);
    lblDescription->setPalette(black);
    scale.place(lblDescription, 1650, 750, 3960, 645);
    lblTitle = makeLabel(this, "lblTitle", tr("Vellumar"), Qt::AlignLeft | Qt::AlignTop);
    lblTitle->setWordWrap(true);
    lblTitle->setPalette(black);
    scale.place(lblTitle, 1650, 150, 2610, 405);
    lblVersion = makeLabel(this, "lblVersion", tr("Version"), Qt::AlignLeft | Qt::AlignTop);
    lblVersion->setWordWrap(true);
    scale.place(lblVersion, 1650, 450, 3210, 225);

    setTabOrderChain({cmdOK, cmdSysInfo, Text1});
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    Form_Load();
}

void frmAbout::Form_Load()
{
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(runtime_.app.major)
                            .arg(runtime_.app.minor)
                            .arg(runtime_.app.revision));
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    const auto showMessage = [this](std::string_view message) { showUtf8(*runtime_.messageBox, this, message); };
    if (!runtime_.registry || !runtime_.fileLookup || !runtime_.programStart) {
        showMessage(kSysInfoUnavailable);
        return;
    }
    vellumar::StartSysInfo(*runtime_.registry, *runtime_.fileLookup, *runtime_.programStart, showMessage);
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // OK is also the window's cancel button.
        cmdOK->click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A focused button is pressed; anywhere else the default button is.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            cmdOK->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

}  // namespace vellumar
