#include "windows/controls.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QValidator>
#include <QWidget>

#include <memory>
#include <utility>

#include "runtime/dialogs.h"
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

namespace {

// Takes a field's text up to kMaxFieldChars; the field undoes an edit that
// would make it longer.
class LengthLimit final : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& text, int&) const override
    {
        return text.size() <= kMaxFieldChars ? Acceptable : Invalid;
    }
};

}  // namespace

QLineEdit* makeLineEdit(QWidget* parent, const char* name, const QString& text, Qt::Alignment alignment,
                        Dialogs& dialogs)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAlignment(alignment | Qt::AlignVCenter);
    // Longer text is refused whole, with a word, never cut short as by Qt's
    // length limit alone. That limit, one character above, still keeps
    // megabytes out while the edit is checked (the field keeps an undo step
    // per character: 10 MB took seconds and hundreds of megabytes).
    edit->setMaxLength(kMaxFieldChars + 1);
    edit->setValidator(new LengthLimit(edit));
    // Told once the edit is undone, not from inside it, and once per edit
    // (the limit and the check both report a long paste).
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [edit, &dialogs, told = std::make_shared<bool>()] {
        if (std::exchange(*told, true))
            return;
        QTimer::singleShot(0, edit, [edit, &dialogs, told] {
            *told = false;
            dialogs.message(edit->window(), QStringLiteral("The text is too long: a field holds at most %1 "
                                                           "characters. Nothing was changed.")
                                                .arg(kMaxFieldChars));
        });
    });
    return edit;
}

}  // namespace vellumar

#include "controls.moc"
