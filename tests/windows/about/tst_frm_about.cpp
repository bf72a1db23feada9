// The About window driven offscreen, with recording services.
#include <QtTest>
#include <QtWidgets>

#include "fakes.h"
#include "windows/about/frm_about.h"

using namespace vellumar;
using namespace vellumar::testing;

class TstFrmAbout : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeApp> app;

    frmAbout* open() { return app->show<frmAbout>("frmAbout"); }
    QWidget* current() { return app->windows.find(QStringLiteral("frmAbout")); }

private slots:
    void init() { app = std::make_unique<FakeApp>(); }
    void cleanup() { app.reset(); }

    void showsTheLogoAndTheWholeNotice()
    {
        frmAbout* w = open();
        // The logo keeps its 83 x 73 shape at any design scale; at screen scale 2 it is the larger picture.
        auto* logo = child<QLabel>(w, "picIcon");
        QCOMPARE(logo->pixmap().deviceIndependentSize().toSize(), QSize(83, 73));
        QVERIFY(logo->width() >= 83 && std::abs(logo->width() * 73 - logo->height() * 83) <= 83);
        const QString file = w->devicePixelRatioF() >= 2 ? QStringLiteral(":/vellumar/logo@2x.gif")
                                                         : QStringLiteral(":/vellumar/logo.gif");
        QCOMPARE(logo->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 QImage(file).convertToFormat(QImage::Format_RGB32));

        // The notice's five lines, each whole on its own line, without scrolling.
        auto* notice = child<QPlainTextEdit>(w, "Text1");
        QVERIFY(notice->toPlainText().startsWith(QStringLiteral("Warning: this software is protected by\ncopyright")));
        QVERIFY(notice->isReadOnly() && QTest::qWaitForWindowExposed(w));
        QCOMPARE(notice->verticalScrollBar()->maximum(), 0);
        QCOMPARE(notice->document()->lineCount(), 5);
    }

    void oneModelessInstanceClosedByOkEnterAndEsc_data()
    {
        QTest::addColumn<int>("key");  // 0: a click on OK
        QTest::addColumn<QString>("focus");
        QTest::newRow("Esc on System Info") << int(Qt::Key_Escape) << QStringLiteral("cmdSysInfo");
        QTest::newRow("Esc in the notice") << int(Qt::Key_Escape) << QStringLiteral("Text1");
        QTest::newRow("Enter on OK") << int(Qt::Key_Return) << QStringLiteral("cmdOK");
        QTest::newRow("Enter in the notice") << int(Qt::Key_Enter) << QStringLiteral("Text1");
        QTest::newRow("click on OK") << 0 << QStringLiteral("cmdOK");
    }
    void oneModelessInstanceClosedByOkEnterAndEsc()
    {
        QFETCH(int, key);
        QFETCH(QString, focus);
        frmAbout* w = open();
        w->showMinimized();  // asked again, the one window comes back
        QVERIFY(!w->isModal() && open() == w && !w->isMinimized() && w->focusWidget() == child(w, "cmdOK"));
        QWidget* target = child(w, focus.toLatin1().constData());
        target->setFocus();
        QPointer<frmAbout> closed = w;
        if (key)
            QTest::keyClick(target, Qt::Key(key));
        else
            QTest::mouseClick(target, Qt::LeftButton);
        QVERIFY(!current() && app->desktop.started.empty());
        QTRY_VERIFY(closed.isNull());
    }

    void systemInfoStartsTheToolOrTellsItIsUnavailable()
    {
        frmAbout* w = open();
        QTest::mouseClick(child(w, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(app->dialogs.prompts, QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
        QCOMPARE(app->dialogs.owners, QList<QWidget*>{w});
        QCOMPARE(current(), w);

        const std::string tool = "/opt/system tools/hardinfo";
        app->desktop.memory.setText(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", tool);
        app->desktop.programs.insert(tool);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(app->desktop.started, std::vector<std::string>{tool});
        QVERIFY(app->dialogs.prompts.size() == 1 && current() == w);
    }
};

QTEST_MAIN(TstFrmAbout)
#include "tst_frm_about.moc"
