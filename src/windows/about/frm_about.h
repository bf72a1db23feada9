#pragma once

#include <QPalette>
#include <QString>
#include <QWidget>

#include "runtime/runtime.h"

class QPushButton;

namespace vellumar {

// The About window's legal notice: five lines, each ended by CR LF.
extern const char kLegalNotice[];

// The notice box's colours within a palette: the scroll-bar track colour
// (Midlight) as background, with a text colour that stands out on it.
QPalette noticePalette(QPalette palette);

// One horizontal separator line of the About window, drawn in one colour and
// pen width from its left to its right end.
class DesignLine final : public QWidget {
    Q_OBJECT
public:
    DesignLine(QWidget* parent, const QColor& colour, int penWidth);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    int penWidth_;
};

// The About window: logo, title, version, description and legal notice, and
// a button that starts the system-information tool.
class frmAbout final : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(Runtime& runtime, QWidget* parent = nullptr);

    // Finds the system-information tool through the registry and starts it,
    // or tells the user that it is unavailable.
    void StartSysInfo();

public slots:
    void cmdOK_Click();
    void cmdSysInfo_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Runtime& runtime_;
    QPushButton* cmdOK;
};

}  // namespace vellumar
