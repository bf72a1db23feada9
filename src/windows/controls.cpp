#include "windows/controls.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <limits>

#include "windows/design_scale.h"

namespace vellumar {
namespace {

constexpr char kRoleProperty[] = "vellumarAccessibleRole";

// Qt asks its accessibility factories about an object class by class, the most derived first; this one
// answers for the widgets given a role.
QAccessibleInterface* accessibleWithRole(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    const QVariant role = widget ? widget->property(kRoleProperty) : QVariant();
    return role.isValid() ? new QAccessibleWidget(widget, QAccessible::Role(role.toInt())) : nullptr;
}

}  // namespace

void setAccessibleRole(QWidget* widget, QAccessible::Role role)
{
    QAccessible::installFactory(accessibleWithRole);  // Qt keeps a factory once, however often installed
    widget->setProperty(kRoleProperty, int(role));
}

void placeControls(QWidget* window, const DesignScale& scale, std::span<const Placement> table)
{
    for (const Placement& box : table) {
        auto* control = window->findChild<QWidget*>(QLatin1String(box.name));
        Q_ASSERT_X(control, "placeControls", box.name);
        control->setGeometry(scale.rect(box.left, box.top, box.width, box.height));
    }
}

QString shownCaption(const QString& caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        shown.append(caption[i]);
    }
    return shown;
}

Qt::WindowFlags fixedWindowFlags(Qt::WindowType kind)
{
    return kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
           Qt::MSWindowsFixedSizeDialogHint;
}

void setTabOrderChain(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& caption, bool ticked)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(shownCaption(caption));
    box->setChecked(ticked);
    return box;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(shownCaption(caption));
    // Enter presses the button that has the focus, as Space does; Enter in a
    // text field presses nothing (the windows are no dialogs).
    button->setAutoDefault(true);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, Qt::Alignment alignment)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(alignment);
    return label;
}

QLineEdit* makeLineEdit(QWidget* parent, const char* name, const QString& text, Qt::Alignment alignment)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAlignment(alignment | Qt::AlignVCenter);
    // No limit of its own (Qt's default would cut pasted text at 32767
    // characters without a word); the text is checked where it is read.
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

}  // namespace vellumar
