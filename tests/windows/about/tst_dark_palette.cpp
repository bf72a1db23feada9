// The three windows in a dark colour scheme: every text that is drawn stands
// out from what lies behind it. Reads the rendered pixels, so colours forced
// anywhere (palette, style sheet, painting code) are caught. With
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

#include <cmath>
#include <memory>

#include "fakes.h"
#include "windows/app_windows.h"

using namespace vellumar;
using namespace vellumar::testing;

namespace {

QPalette darkPalette()
{
    QPalette palette;
    const auto set = [&palette](QPalette::ColorRole role, QColor colour) {
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, role, colour);
    };
    set(QPalette::Window, QColor(45, 45, 48));
    set(QPalette::WindowText, QColor(230, 230, 230));
    set(QPalette::Base, QColor(30, 30, 30));
    set(QPalette::AlternateBase, QColor(40, 40, 40));
    set(QPalette::Text, QColor(230, 230, 230));
    set(QPalette::PlaceholderText, QColor(150, 150, 150));
    set(QPalette::Button, QColor(60, 60, 64));
    set(QPalette::ButtonText, QColor(230, 230, 230));
    set(QPalette::BrightText, QColor(255, 80, 80));
    set(QPalette::Light, QColor(90, 90, 95));
    set(QPalette::Midlight, QColor(70, 70, 74));
    set(QPalette::Mid, QColor(40, 40, 42));
    set(QPalette::Dark, QColor(25, 25, 26));
    set(QPalette::Shadow, QColor(10, 10, 10));
    set(QPalette::Highlight, QColor(40, 90, 160));
    set(QPalette::HighlightedText, QColor(255, 255, 255));
    set(QPalette::ToolTipBase, QColor(60, 60, 64));
    set(QPalette::ToolTipText, QColor(230, 230, 230));
    return palette;
}

// WCAG contrast ratio of two colours: 1 (same) to 21 (black on white).
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb rgb) {
        const auto channel = [](int value) {
            const double c = value / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Within a part of the image, the contrast of the colour that stands out most
// (the text's ink) against the most common one (the background).
double inkContrast(const QImage& image, const QRect& area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y) & RGB_MASK];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(it.key(), background));
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

class TstDarkPalette : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeRuntime> fake;

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
        fake = std::make_unique<FakeRuntime>();
        defineAppWindows(fake->runtime);
    }
    void cleanupTestCase()
    {
        for (const char* name : {"frmMulti", "frmAbout", "frmPassCreate"})
            delete fake->windows.find<QWidget>(QLatin1String(name));
        fake.reset();
    }

    void everyTextStandsOut_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("main") << QStringLiteral("frmPassCreate");
        QTest::newRow("batch") << QStringLiteral("frmMulti");
        QTest::newRow("about") << QStringLiteral("frmAbout");
    }
    void everyTextStandsOut()
    {
        QFETCH(QString, window);
        QWidget* main = fake->windows.show(QStringLiteral("frmPassCreate"));
        if (auto* create = main->findChild<QPushButton*>(QStringLiteral("cmdCreate")))
            create->click();
        QWidget* w = fake->windows.show(window);
        if (auto* count = w->findChild<QLineEdit*>(QStringLiteral("txtNumPass"))) {
            count->setText(QStringLiteral("12"));
            w->findChild<QPushButton*>(QStringLiteral("cmdGenerate"))->click();
        }
        QVERIFY(QTest::qWaitForWindowExposed(w));

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
            const double c = inkContrast(image, pixels.toRect() & image.rect());
            if (c < 3.0)
                faint.append(QStringLiteral("%1: contrast %2").arg(area.name).arg(c, 0, 'f', 2));
        }
        QVERIFY2(faint.isEmpty(), qPrintable(faint.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TstDarkPalette)
#include "tst_dark_palette.moc"
