// What the windows share: one instance per window, and the design's twips
// converted to pixels.
#include <QApplication>
#include <QLabel>
#include <QtTest>

#include "windows/controls.h"
#include "windows/design_scale.h"
#include "windows/window_instances.h"

using namespace vellumar;

class TstWindowSupport : public QObject {
    Q_OBJECT
private slots:
    void windowInstancesKeepOneAndUnloadDiscards()
    {
        WindowInstances windows;
        int made = 0;
        windows.define(QStringLiteral("frmTest"), [&made] {
            ++made;
            auto* w = new QWidget;
            new QLabel(QStringLiteral("design"), w);
            return w;
        });
        QVERIFY(!windows.find(QStringLiteral("frmTest")));
        QWidget* first = windows.show(QStringLiteral("frmTest"));
        QCOMPARE(first->objectName(), QStringLiteral("frmTest"));
        first->findChild<QLabel*>()->setText(QStringLiteral("edited"));
        QCOMPARE(windows.show(QStringLiteral("frmTest")), first);
        QCOMPARE(windows.load(QStringLiteral("frmTest")), first);
        QCOMPARE(made, 1);

        QPointer<QWidget> closed = first;
        first->close();  // as the title bar's close box does
        QWidget* second = windows.show(QStringLiteral("frmTest"));
        QVERIFY(second != first);
        QCOMPARE(second->findChild<QLabel*>()->text(), QStringLiteral("design"));
        QTRY_VERIFY(closed.isNull());

        // A minimised window comes back when it is shown again.
        second->showMinimized();
        QCOMPARE(windows.show(QStringLiteral("frmTest")), second);
        QVERIFY(!second->isMinimized());
        QVERIFY(second->isVisible());

        windows.unload(QStringLiteral("frmTest"));
        QVERIFY(!windows.find(QStringLiteral("frmTest")));
        QVERIFY(!windows.show(QStringLiteral("frmUnknown")));
    }

    void designScaleRoundsEdgesAndNeverShrinks()
    {
        QCOMPARE(DesignScale(1.0, 1.0).rect(150, 75, 2640, 315), QRect(10, 5, 176, 21));
        QCOMPARE(DesignScale(0.5, 0.7).rect(150, 75, 2640, 315), QRect(10, 5, 176, 21));
        // Both edges are rounded, so a box next to another starts where it ends.
        const DesignScale odd(1.17, 1.08);
        QCOMPARE(odd.rect(150, 75, 518, 390), QRect(12, 5, 40, 28));
        QCOMPARE(odd.rect(668, 75, 690, 390).left(), odd.rect(150, 75, 518, 390).right() + 1);
        QCOMPARE(odd.size(3150, 4770), QSize(246, 343));

        QFont big = QApplication::font();
        big.setPointSizeF(big.pointSizeF() * 2);
        const DesignScale bigger = DesignScale::forFont(big);
        const DesignScale normal = DesignScale::forFont(QApplication::font());
        QVERIFY(bigger.horizontal() > normal.horizontal() && bigger.vertical() > normal.vertical());

        QWidget window;
        auto* label = new QLabel(&window);
        label->setObjectName(QStringLiteral("lblTest"));
        const Placement table[] = {{"lblTest", 150, 75, 518, 390}};
        placeControls(&window, odd, table);
        QCOMPARE(label->geometry(), QRect(12, 5, 40, 28));
    }
};

QTEST_MAIN(TstWindowSupport)
#include "tst_window_support.moc"
