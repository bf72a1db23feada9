#pragma once

#include <QString>
#include <QWidget>

#include "runtime/runtime.h"

class QPushButton;

namespace vellumar {

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
