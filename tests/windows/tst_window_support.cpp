// The design's twips converted to pixels and the controls placed by them.
#include <QtTest>
#include <QtWidgets>

#include "windows/controls.h"
#include "windows/design_scale.h"

using namespace vellumar;

class TstWindowSupport : public QObject {
    Q_OBJECT
private slots:
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

        QLabel window;
        auto* label = new QLabel(&window);
        label->setObjectName(QStringLiteral("lblTest"));
        placeControls(&window, odd, {{{"lblTest", 150, 75, 518, 390}}});
        QCOMPARE(label->geometry(), QRect(12, 5, 40, 28));
    }
};

QTEST_MAIN(TstWindowSupport)
#include "tst_window_support.moc"
