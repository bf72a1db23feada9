#include "windows/about/frm_about.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>

#include <algorithm>
#include <cmath>

#include "runtime/dialogs.h"
#include "runtime/sys_info.h"
#include "vellumar/version.h"
#include "windows/controls.h"
#include "windows/design_scale.h"

namespace vellumar {
namespace {

// The legal notice: five lines, each ended by CR LF.
const char kLegalNotice[] =
    "Warning: this software is protected by\r\n"
    "copyright law and international treaties.\r\n"
    "Copying or distributing it, in whole or in\r\n"
    "part, without permission is not allowed and\r\n"
    "may result in civil and criminal penalties.\r\n";

// The notice box's colours within a palette: the scroll-bar track colour
// (Midlight) as background, with a text colour that stands out on it.
QPalette noticePalette(QPalette palette)
{
    // The background is the colour of scroll-bar tracks; the text takes
    // whichever of the palette's two text colours stands out on it, so the
    // notice stays readable in light and dark colour schemes.
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor background = palette.color(group, QPalette::Midlight);
        palette.setColor(group, QPalette::Base, background);
        const auto distance = [&background](const QColor& colour) {
            return std::abs(colour.lightnessF() - background.lightnessF());
        };
        const QColor text = palette.color(group, QPalette::Text);
        const QColor windowText = palette.color(group, QPalette::WindowText);
        palette.setColor(group, QPalette::Text, distance(windowText) > distance(text) ? windowText : text);
    }
    return palette;
}

// One horizontal separator line of the window, drawn in one colour and pen
// width from its left to its right end.
class DesignLine final : public QWidget {
    Q_OBJECT
public:
    DesignLine(QWidget* parent, const QColor& colour, int penWidth)
        : QWidget(parent), colour_(colour), penWidth_(penWidth)
    {
        setAccessibleRole(this, QAccessible::Separator);
        setObjectName(QStringLiteral("Line1"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(0, 0, width(), penWidth_, colour_);
    }

private:
    QColor colour_;
    int penWidth_;
};

// The controls' boxes in the design, in twips.
constexpr Placement kLayout[] = {
    {"Text1", 150, 1650, 3975, 1095},
    {"cmdOK", 4245, 1725, 1260, 345},
    {"cmdSysInfo", 4260, 2175, 1245, 345},
    {"lblDescription", 1650, 750, 3960, 645},
    {"lblTitle", 1650, 150, 2610, 405},
    {"lblVersion", 1650, 450, 3210, 225},
};

QLabel* makeWrappedLabel(QWidget* parent, const char* name, const QString& caption)
{
    QLabel* label = makeLabel(parent, name, caption, Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

}  // namespace

frmAbout::frmAbout(Runtime& runtime, QWidget* parent)
    : QWidget(parent, fixedWindowFlags(Qt::Dialog)),
      runtime_(runtime)
{
    setAccessibleRole(this, QAccessible::Dialog);
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Vellumar"));

    const DesignScale scale = DesignScale::forFont(font());
    setFixedSize(scale.size(5730, 2790));

    // The controls are made in the order they stand on the screen, top to
    // bottom and left to right: a screen reader reads them in this order.
    // Tab keeps its own order, set below.

    // The logo grows with the design by one factor in both directions, so it
    // keeps its shape; the icon picks logo@2x.gif on screens scaled by 2 or
    // more, so it stays sharp.
    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setAccessibleName(tr("Vellumar logo"));
    const QSize logoSize(83, 73);
    picIcon->setPixmap(QIcon(QStringLiteral(":/vellumar/logo.gif")).pixmap(logoSize, devicePixelRatioF()));
    picIcon->setScaledContents(true);
    const double logoScale = std::min(scale.horizontal(), scale.vertical());
    picIcon->setGeometry(scale.x(150), scale.y(150), int(std::lround(logoSize.width() * logoScale)),
                         int(std::lround(logoSize.height() * logoScale)));

    makeWrappedLabel(this, "lblTitle", tr("Vellumar"));
    // Form_Load: the version of this program.
    makeWrappedLabel(this, "lblVersion",
                     QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch));
    makeWrappedLabel(this, "lblDescription",
                     tr("A light utility to create random passwords.  A version of the password "
                        "generator in our password management software Quillory."));

    // The white line is two pixels wide and lies under the one-pixel grey
    // line at the same height: together they look engraved.
    auto* white = new DesignLine(this, QColor(255, 255, 255), 2);
    white->setGeometry(scale.x(75), scale.y(1500), scale.x(5624) - scale.x(75) + 1, 2);
    auto* grey = new DesignLine(this, QColor(128, 128, 128), 1);
    grey->setGeometry(0, scale.y(1500), scale.x(5564) + 1, 1);

    // Read-only, so Tab moves on from it as from any other control.
    auto* Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(tr("Legal notice"));
    Text1->setPlainText(QString::fromLatin1(kLegalNotice).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed());
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // A narrow margin lets the five lines fit the design's height.
    Text1->document()->setDocumentMargin(2);
    Text1->setPalette(noticePalette(Text1->palette()));

    cmdOK = makeButton(this, "cmdOK", tr("OK"));
    cmdOK->setDefault(true);
    auto* cmdSysInfo = makeButton(this, "cmdSysInfo", tr("&System Info..."));
    placeControls(this, scale, kLayout);

    setTabOrderChain({cmdOK, cmdSysInfo, Text1});
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
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
    vellumar::StartSysInfo(runtime_.desktop,
                           [this](std::string_view message) { showUtf8(runtime_.dialogs, this, message); });
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

#include "frm_about.moc"
