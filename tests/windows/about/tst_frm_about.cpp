// The About window offscreen: its design, opening and closing, and the
// system-information button over the in-memory registry.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <memory>

#include "caption_fit.h"
#include "fakes.h"
#include "runtime/memory_registry.h"
#include "windows/about/core/sys_info.h"
#include "windows/about/frm_about.h"

using namespace vellumar;
using namespace vellumar::testing;

class TstFrmAbout : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeRuntime> fake;
    MemoryRegistry registry;
    FakeFileLookup files;
    FakeProgramStart programs;

    frmAbout* open() { return qobject_cast<frmAbout*>(fake->windows.show(QStringLiteral("frmAbout"))); }
    frmAbout* current() const { return fake->windows.find<frmAbout>(QStringLiteral("frmAbout")); }

private slots:
    void init()
    {
        fake = std::make_unique<FakeRuntime>();
        registry = MemoryRegistry();
        files = FakeFileLookup();
        programs = FakeProgramStart();
        fake->runtime.registry = &registry;
        fake->runtime.fileLookup = &files;
        fake->runtime.programStart = &programs;
        fake->windows.define(QStringLiteral("frmAbout"), [this] { return new frmAbout(fake->runtime); });
    }
    void cleanup()
    {
        delete current();
        fake.reset();
    }

    void showsTitleVersionDescriptionAndLogo()
    {
        frmAbout* w = open();
        QCOMPARE(w->windowTitle(), QStringLiteral("About Vellumar"));
        QCOMPARE(w->lblTitle->text(), QStringLiteral("Vellumar"));
        QCOMPARE(w->lblVersion->text(), QStringLiteral("Version 1.0.0"));
        QCOMPARE(w->lblDescription->text(),
                 QStringLiteral("A light utility to create random passwords.  A version of the password "
                                "generator in our password management software Quillory."));
        QCOMPARE(w->cmdOK->text(), QStringLiteral("OK"));
        QCOMPARE(w->cmdSysInfo->text(), QStringLiteral("&System Info..."));
        // The logo keeps its 83 x 73 shape at any design scale.
        QCOMPARE(w->picIcon->pixmap().deviceIndependentSize().toSize(), QSize(83, 73));
        QVERIFY(w->picIcon->width() >= 83);
        QVERIFY(std::abs(w->picIcon->width() * 73 - w->picIcon->height() * 83) <= 83);
        // On a screen scaled by 2 it is the picture drawn at twice the size.
        const QString logo = w->devicePixelRatioF() >= 2 ? QStringLiteral(":/vellumar/logo@2x.gif")
                                                         : QStringLiteral(":/vellumar/logo.gif");
        QCOMPARE(w->picIcon->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 QImage(logo).convertToFormat(QImage::Format_RGB32));
        QCOMPARE(w->minimumSize(), w->maximumSize());

        // Separator: a two-pixel white line under a one-pixel grey one.
        QCOMPARE(w->Line1[0]->colour(), QColor(255, 255, 255));
        QCOMPARE(w->Line1[0]->penWidth(), 2);
        QCOMPARE(w->Line1[1]->colour(), QColor(128, 128, 128));
        QCOMPARE(w->Line1[1]->penWidth(), 1);
        QCOMPARE(w->Line1[0]->y(), w->Line1[1]->y());
        QVERIFY(w->Line1[1]->y() > w->lblDescription->geometry().bottom());
        QVERIFY(w->Line1[1]->y() < w->Text1->y());

        fake->runtime.app.major = 2;
        fake->runtime.app.minor = 10;
        fake->runtime.app.revision = 3;
        frmAbout other(fake->runtime);
        QCOMPARE(other.lblVersion->text(), QStringLiteral("Version 2.10.3"));
    }

    void legalNoticeIsFiveLinesOf217Characters()
    {
        const QString notice = QString::fromLatin1(kLegalNotice);
        QCOMPARE(notice.size(), 217);
        QVERIFY(notice.endsWith(QStringLiteral("\r\n")));
        const QStringList lines = notice.chopped(2).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);
        for (const QString& line : lines)
            QVERIFY(!line.isEmpty() && !line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));

        frmAbout* w = open();
        QCOMPARE(w->Text1->toPlainText(), lines.join(QLatin1Char('\n')));
        QVERIFY(w->Text1->isReadOnly());
    }

    void everyCaptionFits()
    {
        frmAbout* w = open();
        const QStringList clipped = clippedCaptions(w);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
        // The notice's longest line fits the field without wrapping.
        const QFontMetrics metrics(w->Text1->font());
        int widest = 0;
        for (const QString& line : QString::fromLatin1(kLegalNotice).split(QStringLiteral("\r\n")))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        QVERIFY(widest <= w->Text1->viewport()->width() - 2 * int(w->Text1->document()->documentMargin()));
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->Text1->verticalScrollBar()->maximum(), 0);
        QCOMPARE(w->Text1->document()->blockCount(), 5);
        QCOMPARE(w->Text1->document()->lineCount(), 5);
        for (QWidget* child : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(w->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }

    void oneModelessInstanceClosedByOkEnterAndEsc()
    {
        frmAbout* w = open();
        QVERIFY(!w->isModal());
        QCOMPARE(open(), w);
        QCOMPARE(w->focusWidget(), w->cmdOK);
        QCOMPARE(w->cmdOK->nextInFocusChain(), w->cmdSysInfo);
        QVERIFY(w->cmdOK->isDefault());

        // Esc from anywhere in the window.
        w->cmdSysInfo->setFocus();
        QPointer<frmAbout> first = w;
        QTest::keyClick(w->cmdSysInfo, Qt::Key_Escape);
        QVERIFY(!current());
        QTRY_VERIFY(first.isNull());

        // A fresh window; Enter on OK.
        w = open();
        QCOMPARE(w->lblVersion->text(), QStringLiteral("Version 1.0.0"));
        QPointer<frmAbout> second = w;
        QTest::keyClick(w->cmdOK, Qt::Key_Return);
        QVERIFY(!current());
        QTRY_VERIFY(second.isNull());

        w = open();
        QTest::mouseClick(w->cmdOK, Qt::LeftButton);
        QVERIFY(!current());
    }

    void systemInfoStartsTheToolOrTellsItIsUnavailable()
    {
        frmAbout* w = open();
        QTest::mouseClick(w->cmdSysInfo, Qt::LeftButton);
        QCOMPARE(fake->messageBox.prompts, QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
        QCOMPARE(fake->messageBox.lastButtons, MessageButtons::Ok);
        QCOMPARE(current(), w);

        const std::string tool = "/opt/system tools/hardinfo";
        registry.setText(kHkeyLocalMachine, kSysInfoKey, kSysInfoValue, tool);
        programs.existing.insert(tool);
        QTest::mouseClick(w->cmdSysInfo, Qt::LeftButton);
        QCOMPARE(programs.asked.back(), tool);
        QCOMPARE(fake->messageBox.prompts.size(), 1);
        QCOMPARE(current(), w);
        QCOMPARE(registry.openCount(), 0u);
    }
};

QTEST_MAIN(TstFrmAbout)
#include "tst_frm_about.moc"
