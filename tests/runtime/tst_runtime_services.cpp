// The Qt implementations of the runtime services.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "runtime/design_scale.h"
#include "runtime/message_box.h"
#include "runtime/window_instances.h"

using namespace vellumar;

namespace {
// Runs check on the message box once it is open, then presses key in it.
void whenBoxOpens(std::function<void(QMessageBox*)> check, Qt::Key key)
{
    QTimer::singleShot(0, [check = std::move(check), key] {
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())));
        check(box);
        QTest::keyClick(box, key);
    });
}
}  // namespace

class TstRuntimeServices : public QObject {
    Q_OBJECT
private slots:
    void messageBoxOkHasTitleNoIconAndLines()
    {
        QtMessageBox messageBox(QStringLiteral("Vellumar"));
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::Information;
        int buttons = 0;
        whenBoxOpens(
            [&](QMessageBox* box) {
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                buttons = static_cast<int>(box->buttons().size());
            },
            Qt::Key_Escape);
        const MessageAnswer answer =
            messageBox.show(nullptr, QStringLiteral("line one\r\nline two "), MessageButtons::Ok);
        QCOMPARE(answer, MessageAnswer::Ok);
        QCOMPARE(title, QStringLiteral("Vellumar"));
        QCOMPARE(text, QStringLiteral("line one\nline two "));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, 1);
    }

    void questionDefaultsToYesAndEscapeIsCancel()
    {
        QtMessageBox messageBox(QStringLiteral("Vellumar"));
        whenBoxOpens([](QMessageBox* box) { QCOMPARE(box->buttons().size(), 3); }, Qt::Key_Return);
        QCOMPARE(messageBox.show(nullptr, QStringLiteral("?"), MessageButtons::YesNoCancel), MessageAnswer::Yes);
        whenBoxOpens([](QMessageBox*) {}, Qt::Key_Escape);
        QCOMPARE(messageBox.show(nullptr, QStringLiteral("?"), MessageButtons::YesNoCancel),
                 MessageAnswer::Cancel);
    }

    void windowInstancesKeepOneAndUnloadDiscards()
    {
        WindowInstances windows;
        int made = 0;
        windows.define(QStringLiteral("frmTest"), [&made] {
            ++made;
            auto* w = new QWidget;
            auto* label = new QLabel(QStringLiteral("design"), w);
            label->setObjectName(QStringLiteral("label"));
            return w;
        });
        QVERIFY(!windows.find(QStringLiteral("frmTest")));
        QWidget* first = windows.show(QStringLiteral("frmTest"));
        first->findChild<QLabel*>(QStringLiteral("label"))->setText(QStringLiteral("edited"));
        QCOMPARE(windows.show(QStringLiteral("frmTest")), first);
        QCOMPARE(windows.load(QStringLiteral("frmTest")), first);
        QCOMPARE(made, 1);
        QCOMPARE(first->findChild<QLabel*>()->text(), QStringLiteral("edited"));

        QPointer<QWidget> closed = first;
        first->close();  // as the title bar's close box does
        QWidget* second = windows.show(QStringLiteral("frmTest"));
        QVERIFY(second != first);
        QCOMPARE(made, 2);
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

    void designScaleGrowsWithTheFontButNeverShrinks()
    {
        const DesignScale same(1.0, 1.0);
        QCOMPARE(same.rect(150, 75, 2640, 315), QRect(10, 5, 176, 21));
        const DesignScale small(0.5, 0.7);
        QCOMPARE(small.horizontal(), 1.0);
        QCOMPARE(small.vertical(), 1.0);
        // Adjacent boxes stay adjacent after rounding.
        const DesignScale odd(1.17, 1.08);
        QCOMPARE(odd.rect(0, 0, 518, 390).right() + 1, odd.rect(518, 0, 690, 390).left());

        QFont big = QApplication::font();
        big.setPointSizeF(big.pointSizeF() * 2);
        const DesignScale bigger = DesignScale::forFont(big);
        const DesignScale normal = DesignScale::forFont(QApplication::font());
        QVERIFY(bigger.horizontal() > normal.horizontal());
        QVERIFY(bigger.vertical() > normal.vertical());
    }
};

QTEST_MAIN(TstRuntimeServices)
#include "tst_runtime_services.moc"
