// How the three windows meet the user, in dark and light colour schemes and with a larger font.
#include <QtTest>
#include <QtWidgets>

#include "fakes.h"
#include "windows/controls.h"

using namespace vellumar;
using namespace vellumar::testing;

namespace {

// What would not read well: a caption clipped by its box (a wrapped label: its height for its width), or a
// text (foreground role) too close to its background role or under a style sheet.
QStringList faults(const QWidget* window)
{
    QStringList found;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        QSize need;
        if (auto* label = qobject_cast<const QLabel*>(w); label && label->pixmap().isNull())
            need = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
        else if (auto* button = qobject_cast<const QAbstractButton*>(w))
            need = button->sizeHint().boundedTo(QSize(button->fontMetrics().horizontalAdvance(shownCaption(button->text())) +
                                                      2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin), 1000));
        else if (auto* edit = qobject_cast<const QLineEdit*>(w))
            need = QSize(edit->fontMetrics().horizontalAdvance(edit->text()) + 8, edit->fontMetrics().height() + 4);
        if (need.width() > w->width() || need.height() > w->height())
            found << QStringLiteral("%1 needs %2x%3, has %4x%5").arg(w->objectName()).arg(need.width())
                         .arg(need.height()).arg(w->width()).arg(w->height());
        const QPalette& p = w->palette();
        const int apart = std::abs(qGray(p.color(w->foregroundRole()).rgb()) - qGray(p.color(w->backgroundRole()).rgb()));
        bool styled = false;  // a style sheet would paint past the palette
#if QT_CONFIG(style_stylesheet)
        styled = !w->styleSheet().isEmpty();
#endif
        if (apart < 96 || styled)
            found << QStringLiteral("%1: grey levels apart %2").arg(w->objectName()).arg(apart);
    }
    return found;
}

}  // namespace

class TstWindowsLook : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void everyWindowReadsWell_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<double>("fontScale");
        QTest::addColumn<bool>("dark");
        for (const bool dark : {true, false}) {
            for (const double scale : {1.0, 1.6}) {
                const QByteArray row = QByteArray(dark ? " dark" : " light") + (scale > 1 ? " larger font" : "");
                QTest::newRow("main" + row) << QStringLiteral("frmPassCreate") << scale << dark;
                QTest::newRow("batch" + row) << QStringLiteral("frmMulti") << scale << dark;
                QTest::newRow("about" + row) << QStringLiteral("frmAbout") << scale << dark;
            }
        }
    }
    // No faults, and the controls lie inside the window. (Names and the tab order: e2e_accessibility.)
    void everyWindowReadsWell()
    {
        QFETCH(QString, window);
        QFETCH(double, fontScale);
        QFETCH(bool, dark);
        // Schemes whose text fields are the other way round than their windows, as some desktops make them.
        QPalette scheme = dark ? QPalette(QColor(60, 60, 64), QColor(45, 45, 48))
                               : QPalette(QColor(225, 225, 228), QColor(240, 240, 240));
        scheme.setColor(QPalette::Base, dark ? QColor(235, 235, 235) : QColor(30, 30, 30));
        scheme.setColor(QPalette::Text, dark ? Qt::black : Qt::white);
        QApplication::setPalette(scheme);
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

        const QStringList found = faults(w);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
        for (QWidget* control : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(w->rect().contains(control->geometry()), qPrintable(control->objectName()));
    }
};

QTEST_MAIN(TstWindowsLook)
#include "tst_windows_look.moc"
