// How the three windows meet the user: captions that fit, the tab order,
// accessible names, and in a dark colour scheme every text that is drawn
// standing out from what lies behind it. Reads the rendered pixels, so colours
// forced anywhere (palette, style sheet, painting code) are caught. With
// VELLUMAR_SCREENSHOTS set, the renderings are saved there as
// dark-<window>-scale<N>.png.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

#include <memory>

#include "fakes.h"
#include "windows/controls.h"

using namespace vellumar;
using namespace vellumar::testing;

namespace {

// The controls whose caption would be clipped by their box.
QStringList clippedCaptions(const QWidget* window)
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

// Within a part of the image, how far the colour that stands out most (the
// text's ink) is in grey level from the most common one (the background).
int inkContrast(const QImage& image, const QRect& area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y) & RGB_MASK];
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        background = it.value() > counts.value(background) ? it.key() : background;
    int best = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, std::abs(qGray(it.key()) - qGray(background)));
    return best;
}

struct TextArea {
    QString name;
    QRect rect;  // in the widget's own coordinates
};

// Where each enabled, visible widget of a window draws text (just inside its
// frame, or beside its check box), in the window's coordinates.
QList<TextArea> textAreas(QWidget* window)
{
    QList<TextArea> areas;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || !w->isEnabled())
            continue;
        const QPoint offset = w->mapTo(window, QPoint(0, 0));
        const auto add = [&areas, offset](const QString& name, const QRect& rect) {
            areas.append({name, rect.translated(offset)});
        };
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
            // Only where the text lies: label boxes may overlap their neighbours.
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect box = label->contentsRect();
            add(label->objectName(), QFontMetrics(label->font()).boundingRect(box, flags, label->text()) & box);
        } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
            const int indicator = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                                  box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
            add(box->objectName(), box->rect().adjusted(indicator, 0, 0, 0));
        } else if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty()) {
            QRect text(QPoint(0, 0), QFontMetrics(button->font()).size(Qt::TextShowMnemonic, button->text()));
            text.moveCenter(button->rect().center());
            add(button->objectName(), text & button->rect());
        } else if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !edit->text().isEmpty()) {
            add(edit->objectName(), edit->rect().adjusted(3, 3, -3, -3));
        } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w); plain && !plain->toPlainText().isEmpty()) {
            add(plain->objectName(), plain->viewport()->geometry().adjusted(2, 2, -2, -2));
        } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            for (QAction* action : bar->actions())
                add(action->text(), bar->actionGeometry(action).adjusted(2, 2, -2, -2));
        }
    }
    return areas;
}

}  // namespace

class TstWindowsLook : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        // A dark scheme derived from the window and button colours, with light
        // text fields, as some desktops make them.
        QPalette dark(QColor(60, 60, 64), QColor(45, 45, 48));
        dark.setColor(QPalette::Base, QColor(235, 235, 235));
        dark.setColor(QPalette::Text, Qt::black);
        QApplication::setPalette(dark);
    }

    void everyWindowReadsWell_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<double>("fontScale");
        QTest::addColumn<QStringList>("tabOrder");  // from the control that has the focus first
        const QStringList main{"chkUpper", "chkLower", "txtNumChar", "cmdCreate", "txtNewPassword", "chkNumbers",
                               "chkSpecialChar", "cmdCopyClose", "cmdClose", "cmdCopoy", "cmdMany"};
        const QStringList batch{"txtNumPass", "cmdSave", "cmdGenerate", "txtPasswords", "cmdClose"};
        const QStringList about{"cmdOK", "cmdSysInfo", "Text1"};
        for (const double scale : {1.0, 1.6}) {
            const QByteArray font = scale > 1 ? " larger font" : "";
            QTest::newRow("main" + font) << QStringLiteral("frmPassCreate") << scale << main;
            QTest::newRow("batch" + font) << QStringLiteral("frmMulti") << scale << batch;
            QTest::newRow("about" + font) << QStringLiteral("frmAbout") << scale << about;
        }
    }
    // Every caption fits its box and every text stands out from what lies
    // behind it in a dark colour scheme; the controls lie inside the window,
    // the focus follows the tab order and every control that takes the focus
    // has an accessible name.
    void everyWindowReadsWell()
    {
        QFETCH(QString, window);
        QFETCH(double, fontScale);
        QFETCH(QStringList, tabOrder);
        const QFont original = QApplication::font();
        QFont font = original;
        font.setPointSizeF(font.pointSizeF() * fontScale);
        QApplication::setFont(font);
        FakeApp app;
        QApplication::setFont(original);
        child<QPushButton>(app.show("frmPassCreate"), "cmdCreate")->click();
        QWidget* w = app.show(window.toLatin1().constData());
        if (auto* count = w->findChild<QLineEdit*>(QStringLiteral("txtNumPass"))) {
            count->setText(QStringLiteral("12"));
            child<QPushButton>(w, "cmdGenerate")->click();
        }
        QVERIFY(QTest::qWaitForWindowActive(w));

        const QStringList clipped = clippedCaptions(w);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
        for (QWidget* control : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(w->rect().contains(control->geometry()), qPrintable(control->objectName()));

        QStringList visited;
        for (int i = 0; i <= tabOrder.size(); ++i) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            visited << focus->objectName();
            QVERIFY2(!focus->accessibleName().isEmpty(), qPrintable(focus->objectName()));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(visited, tabOrder + QStringList{tabOrder.first()});

        if (fontScale > 1)
            return;
        const QPixmap shot = w->grab();
        if (const QString folder = qEnvironmentVariable("VELLUMAR_SCREENSHOTS"); !folder.isEmpty()) {
            QDir().mkpath(folder);
            shot.save(QStringLiteral("%1/dark-%2-scale%3.png").arg(folder, window).arg(qRound(shot.devicePixelRatio())));
        }
        const QImage image = shot.toImage();
        const double ratio = shot.devicePixelRatio();
        const QList<TextArea> areas = textAreas(w);
        QVERIFY(areas.size() >= 3);
        QStringList faint;
        for (const TextArea& area : areas) {
            const QRectF pixels(QPointF(area.rect.topLeft()) * ratio, QSizeF(area.rect.size()) * ratio);
            const int c = inkContrast(image, pixels.toRect() & image.rect());
            if (c < 96)
                faint.append(QStringLiteral("%1: grey levels apart %2").arg(area.name).arg(c));
        }
        QVERIFY2(faint.isEmpty(), qPrintable(faint.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TstWindowsLook)
#include "tst_windows_look.moc"
