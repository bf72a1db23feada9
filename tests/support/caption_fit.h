#pragma once

// Finds controls whose caption would be clipped by their box.

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include "windows/controls.h"

namespace vellumar::testing {

inline QStringList clippedCaptions(const QWidget* window)
{
    QStringList clipped;
    const auto report = [&clipped](const QWidget* w, const QString& text, QSize need) {
        if (need.width() > w->width() || need.height() > w->height())
            clipped << QStringLiteral("%1 \"%2\" needs %3x%4, has %5x%6")
                           .arg(w->objectName(), text)
                           .arg(need.width()).arg(need.height())
                           .arg(w->width()).arg(w->height());
    };

    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QFontMetrics fm(button->font());
        const QString text = shownCaption(button->text());
        if (qobject_cast<const QCheckBox*>(button)) {
            report(button, text, button->sizeHint());
        } else {
            // The caption plus the style's margins inside a push button.
            const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                               2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
            report(button, text, QSize(fm.horizontalAdvance(text) + margin, fm.height() + 2));
        }
    }
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->pixmap().isNull() == false)
            continue;
        const QFontMetrics fm(label->font());
        const QString text = shownCaption(label->text());
        if (label->wordWrap()) {
            const QRect bound = fm.boundingRect(QRect(0, 0, label->width(), 100000),
                                                Qt::TextWordWrap | Qt::AlignLeft, text);
            report(label, text, bound.size());
        } else {
            report(label, text, QSize(fm.horizontalAdvance(text), fm.height()));
        }
    }
    for (const QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        const QFontMetrics fm(edit->font());
        report(edit, edit->text(), QSize(fm.horizontalAdvance(edit->text()) + 8, fm.height() + 4));
    }
    return clipped;
}

}  // namespace vellumar::testing
