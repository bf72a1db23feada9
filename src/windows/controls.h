#pragma once

#include <QAccessible>
#include <QString>
#include <Qt>

#include <initializer_list>
#include <span>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace vellumar {

class DesignScale;
class Dialogs;

// Where a control lies in a window's design: its object name and its box in
// twips.
struct Placement {
    const char* name;
    int left;
    int top;
    int width;
    int height;
};

// Gives each control of the table, found among the window's children by its
// object name, its box converted by scale.
void placeControls(QWidget* window, const DesignScale& scale, std::span<const Placement> table);

// Small factories for the windows' controls: each sets the control's object
// name and gives it an accessible name (its caption without the access-key
// ampersand).
QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& caption, bool ticked);
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, Qt::Alignment alignment);
// A text field takes at most kMaxFieldChars characters, the longest password:
// an edit that would make it longer (a paste, a drop, a key) is refused
// whole, and dialogs tells the user so.
inline constexpr int kMaxFieldChars = 32767;
QLineEdit* makeLineEdit(QWidget* parent, const char* name, const QString& text, Qt::Alignment alignment,
                        Dialogs& dialogs);

// Flags of a window of fixed size whose title bar has a close box only; kind
// is Qt::Window, Qt::Dialog or Qt::Tool.
Qt::WindowFlags fixedWindowFlags(Qt::WindowType kind);

// Gives the widget the role that assistive tools such as screen readers announce, in place of the one Qt
// derives from its class (a window that is a plain QWidget would be announced as a mere panel). Call it
// first thing in the widget's constructor, before anything asks for its accessible interface.
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

// Sets the keyboard focus order of the widgets, first to last.
void setTabOrderChain(std::initializer_list<QWidget*> widgets);

// A caption as shown: access-key ampersands removed, "&&" kept as "&".
QString shownCaption(const QString& caption);

}  // namespace vellumar
