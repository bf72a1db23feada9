#pragma once

#include <QString>
#include <Qt>

#include <initializer_list>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vellumar {

// Small factories for the windows' controls: each sets the control's object
// name and gives it an accessible name (its caption without the access-key
// ampersand).
QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& caption, bool ticked);
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, Qt::Alignment alignment);
QLineEdit* makeLineEdit(QWidget* parent, const char* name, const QString& text, Qt::Alignment alignment);

// Flags of a window of fixed size whose title bar has a close box only; kind
// is Qt::Window, Qt::Dialog or Qt::Tool.
Qt::WindowFlags fixedWindowFlags(Qt::WindowType kind);

// Sets the keyboard focus order of the widgets, first to last.
void setTabOrderChain(std::initializer_list<QWidget*> widgets);

// A caption as shown: access-key ampersands removed, "&&" kept as "&".
QString shownCaption(const QString& caption);

}  // namespace vellumar
