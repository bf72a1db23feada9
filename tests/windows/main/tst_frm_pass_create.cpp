// The main window driven offscreen, with recording services.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

#include "caption_fit.h"
#include "fakes.h"
#include "runtime/shell_open.h"
#include "windows/main/frm_pass_create.h"

using namespace vellumar;
using namespace vellumar::testing;

namespace {
const QString kNoClass =
    QStringLiteral("Your have to check at least one of the check boxes to create a password.");
}  // namespace

class TstFrmPassCreate : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeRuntime> fake;
    RecordingShellOpen shell;
    QPointer<frmPassCreate> window;

    frmPassCreate* open()
    {
        fake->windows.define(QStringLiteral("frmPassCreate"),
                             [this] { return new frmPassCreate(fake->runtime); });
        window = qobject_cast<frmPassCreate*>(fake->windows.show(QStringLiteral("frmPassCreate")));
        return window;
    }

private slots:
    void init()
    {
        fake = std::make_unique<FakeRuntime>();
        shell = RecordingShellOpen();
        fake->runtime.shell = &shell;
    }
    void cleanup()
    {
        delete window;
        fake.reset();
    }

    void startsWithTheDesignValues()
    {
        frmPassCreate* w = open();
        QCOMPARE(w->windowTitle(), QStringLiteral("Vellumar"));
        QCOMPARE(w->chkUpper->text(), QStringLiteral("Use Upper Case Letters"));
        QCOMPARE(w->chkLower->text(), QStringLiteral("Use Lower Case Characters"));
        QCOMPARE(w->chkNumbers->text(), QStringLiteral("Use Numbers"));
        QCOMPARE(w->chkSpecialChar->text(), QStringLiteral("Use Special Characters"));
        QCOMPARE(w->Label1->text(), QStringLiteral("Number of Characters:"));
        QCOMPARE(w->cmdCreate->text(), QStringLiteral("Create &Password"));
        QCOMPARE(w->cmdMany->text(), QStringLiteral("Many..."));
        QCOMPARE(w->cmdCopyClose->text(), QStringLiteral("&Copy and Close"));
        QCOMPARE(w->cmdCopoy->text(), QStringLiteral("Copy &Without Closing"));
        QCOMPARE(w->cmdClose->text(), QStringLiteral("&Exit"));
        QVERIFY(!w->chkUpper->isChecked() && w->chkLower->isChecked() && w->chkNumbers->isChecked() &&
                !w->chkSpecialChar->isChecked());
        QCOMPARE(w->txtNumChar->text(), QStringLiteral("7"));
        QVERIFY(w->txtNumChar->alignment() & Qt::AlignRight);
        QVERIFY(w->Label1->alignment() & Qt::AlignRight);
        QCOMPARE(w->Label1->buddy(), w->txtNumChar);
        QVERIFY(w->txtNewPassword->text().isEmpty());
        QCOMPARE(w->txtNewPassword->echoMode(), QLineEdit::Normal);
        QVERIFY(!w->txtNewPassword->isReadOnly());

        // Fixed size, close box only.
        QCOMPARE(w->minimumSize(), w->maximumSize());
        const Qt::WindowFlags flags = w->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));

        // Menu bar: "Visit Website" is a command on the bar itself.
        const QList<QAction*> bar = w->menuBar->actions();
        QCOMPARE(bar.size(), 2);
        QCOMPARE(bar[0], w->mnuWebsite);
        QVERIFY(!w->mnuWebsite->menu());
        QCOMPARE(bar[1]->menu(), w->mnuHelp);
        QCOMPARE(w->mnuHelp->title(), QStringLiteral("Help"));
        QCOMPARE(w->mnuHelp->actions(), (QList<QAction*>{w->mnuHowTo, w->mnuAbout}));
        QCOMPARE(w->mnuHowTo->text(), QStringLiteral("Help Contents..."));
        QCOMPARE(w->mnuAbout->text(), QStringLiteral("&About Vellumar..."));
        for (QAction* a : {w->mnuWebsite, w->mnuHowTo, w->mnuAbout})
            QVERIFY(a->isEnabled() && a->isVisible() && a->shortcut().isEmpty());
    }

    void focusStartsOnUpperAndFollowsTheTabOrder()
    {
        frmPassCreate* w = open();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(QApplication::focusWidget(), w->chkUpper);
        const QList<QWidget*> expected{w->chkLower, w->txtNumChar, w->cmdCreate, w->txtNewPassword,
                                       w->chkNumbers, w->chkSpecialChar, w->cmdCopyClose,
                                       w->cmdClose, w->cmdCopoy, w->cmdMany, w->chkUpper};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void everyCaptionFitsItsBoxAlsoWithALargerFont_data()
    {
        QTest::addColumn<double>("fontScale");
        QTest::newRow("platform font") << 1.0;
        QTest::newRow("larger font") << 1.6;
    }
    void everyCaptionFitsItsBoxAlsoWithALargerFont()
    {
        QFETCH(double, fontScale);
        const QFont original = QApplication::font();
        QFont font = original;
        font.setPointSizeF(font.pointSizeF() * fontScale);
        QApplication::setFont(font);
        frmPassCreate* w = open();
        const QStringList clipped = clippedCaptions(w);
        QApplication::setFont(original);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    }

    void controlsHaveAccessibleNames()
    {
        frmPassCreate* w = open();
        QCOMPARE(w->cmdCreate->accessibleName(), QStringLiteral("Create Password"));
        QCOMPARE(w->cmdCopoy->accessibleName(), QStringLiteral("Copy Without Closing"));
        for (QWidget* control : w->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus || qobject_cast<QMenuBar*>(control) ||
                qobject_cast<QMenu*>(control))
                continue;
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(iface && !iface->text(QAccessible::Name).isEmpty(),
                     qPrintable(control->objectName()));
        }
    }

    void createMakesSevenLowerCaseLettersAndDigitsByDefault()
    {
        frmPassCreate* w = open();
        w->txtNewPassword->setText(QStringLiteral("old text"));
        QTest::mouseClick(w->cmdCreate, Qt::LeftButton);
        QVERIFY(QRegularExpression(QStringLiteral("^[a-z0-9]{7}$"))
                    .match(w->txtNewPassword->text()).hasMatch());
        QVERIFY(fake->messageBox.prompts.isEmpty());

        w->chkUpper->setChecked(true);
        w->chkSpecialChar->setChecked(true);
        w->txtNumChar->setText(QStringLiteral("12"));
        w->cmdCreate_Click();
        QCOMPARE(w->txtNewPassword->text().size(), 12);
    }

    void failedCreateShowsOneMessageAndEmptiesTheField()
    {
        frmPassCreate* w = open();
        w->txtNewPassword->setText(QStringLiteral("previous"));
        for (QCheckBox* box : {w->chkUpper, w->chkLower, w->chkNumbers, w->chkSpecialChar})
            box->setChecked(false);
        bool failed = false;
        QVERIFY(w->GeneratePassword(&failed).isEmpty());
        QVERIFY(failed);
        w->cmdCreate_Click();
        QVERIFY(w->txtNewPassword->text().isEmpty());
        QCOMPARE(fake->messageBox.prompts, (QStringList{kNoClass, kNoClass}));

        w->chkLower->setChecked(true);
        w->txtNumChar->setText(QStringLiteral("12.5"));
        w->txtNewPassword->setText(QStringLiteral("previous"));
        w->cmdCreate_Click();
        QVERIFY(w->txtNewPassword->text().isEmpty());
        QCOMPARE(fake->messageBox.prompts.last(),
                 QStringLiteral("The number of characters must be a whole number from 0 to 32767."));

        // Zero is no failure: empty text, no message.
        w->txtNumChar->setText(QStringLiteral("0"));
        const qsizetype before = fake->messageBox.prompts.size();
        QVERIFY(w->GeneratePassword(&failed).isEmpty());
        QVERIFY(!failed);
        QCOMPARE(fake->messageBox.prompts.size(), before);
    }

    void copyPutsTheFieldAsTypedOnTheClipboard()
    {
        frmPassCreate* w = open();
        w->cmdCopoy_Click();  // nothing created yet: empty text
        w->txtNewPassword->setText(QStringLiteral("  typed by hand "));
        QTest::mouseClick(w->cmdCopoy, Qt::LeftButton);
        QCOMPARE(fake->clipboard.texts, (QStringList{QString(), QStringLiteral("  typed by hand ")}));
        QCOMPARE(fake->clipboard.keptAfterExit, 0);
        QCOMPARE(w->txtNewPassword->text(), QStringLiteral("  typed by hand "));
        QVERIFY(w->isVisible());
        QCOMPARE(fake->end.count, 0);
    }

    void copyAndCloseHandsTheTextOverAndEndsTheProgram()
    {
        frmPassCreate* w = open();
        w->txtNewPassword->setText(QStringLiteral("abc1234"));
        QTest::mouseClick(w->cmdCopyClose, Qt::LeftButton);
        QCOMPARE(fake->clipboard.texts, QStringList{QStringLiteral("abc1234")});
        QCOMPARE(fake->clipboard.keptAfterExit, 1);
        QCOMPARE(fake->end.count, 1);
    }

    void everyWayOfClosingEndsTheProgram()
    {
        open();
        QTest::mouseClick(window->cmdClose, Qt::LeftButton);
        QCOMPARE(fake->end.count, 1);
        QVERIFY(fake->clipboard.texts.isEmpty());

        open()->close();  // the close box
        QCOMPARE(fake->end.count, 2);
        // What was copied before stays on the clipboard, by any route.
        QCOMPARE(fake->clipboard.keptAfterExit, 2);
    }

    void longPastedTextIsReadWhole_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<int>("length");  // -1: the message
        QTest::newRow("leading zeros") << QString(40000, u'0') + QStringLiteral("7") << 7;
        QTest::newRow("too many digits") << QString(40000, u'1') << -1;
    }

    void longPastedTextIsReadWhole()
    {
        QFETCH(QString, pasted);
        QFETCH(int, length);
        frmPassCreate* w = open();
        w->txtNumChar->selectAll();
        w->txtNumChar->insert(pasted);
        QCOMPARE(w->txtNumChar->text(), pasted);
        w->cmdCreate_Click();
        QCOMPARE(w->txtNewPassword->text().size(), std::max(length, 0));
        QCOMPARE(fake->messageBox.prompts.size(), length < 0 ? 1 : 0);
    }

    void enterPressesTheFocusedButton()
    {
        frmPassCreate* w = open();
        w->cmdCreate->setFocus();
        QTest::keyClick(w->cmdCreate, Qt::Key_Return);
        QCOMPARE(w->txtNewPassword->text().size(), 7);
    }

    void enterInATextFieldPressesNothing()
    {
        frmPassCreate* w = open();
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->txtNumChar->setFocus();
        QTest::keyClick(w->txtNumChar, Qt::Key_Return);
        QTest::keyClick(w->txtNumChar, Qt::Key_Enter);
        w->txtNewPassword->setFocus();
        QTest::keyClick(w->txtNewPassword, Qt::Key_Return);
        QTest::keyClick(w->txtNewPassword, Qt::Key_Escape);
        QTest::qWait(250);
        QVERIFY(w->txtNewPassword->text().isEmpty());
        QVERIFY(w->isVisible());
        QCOMPARE(fake->end.count, 0);
        QVERIFY(fake->clipboard.texts.isEmpty());
    }

    void accessKeysPressTheirButtons()
    {
        frmPassCreate* w = open();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QSignalSpy created(w->cmdCreate, &QPushButton::clicked);
        QTest::keyClick(w, Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(created.size(), 1);  // clicked about 100 ms later
        QCOMPARE(w->txtNewPassword->text().size(), 7);

        QTest::keyClick(w, Qt::Key_W, Qt::AltModifier);
        QTRY_COMPARE(fake->clipboard.texts.size(), 1);
        QCOMPARE(fake->clipboard.texts[0], w->txtNewPassword->text());

        QTest::keyClick(w, Qt::Key_E, Qt::AltModifier);
        QTRY_COMPARE(fake->end.count, 1);
    }

    void manyAndAboutShowOneInstanceEach()
    {
        frmPassCreate* w = open();
        int made = 0;
        for (const char* name : {"frmMulti", "frmAbout"})
            fake->windows.define(QLatin1String(name), [&made] { ++made; return new QWidget; });
        w->cmdMany_Click();
        QWidget* batch = fake->windows.find(QStringLiteral("frmMulti"));
        QVERIFY(batch && batch->isVisible());
        QTest::mouseClick(w->cmdMany, Qt::LeftButton);
        QCOMPARE(fake->windows.find(QStringLiteral("frmMulti")), batch);
        w->mnuAbout->trigger();
        w->mnuAbout->trigger();
        QCOMPARE(made, 2);
        delete fake->windows.find(QStringLiteral("frmMulti"));
        delete fake->windows.find(QStringLiteral("frmAbout"));
    }

    void helpAndWebsiteGoThroughTheShell()
    {
        frmPassCreate* w = open();
        w->mnuHowTo->trigger();
        w->mnuWebsite->trigger();
        QCOMPARE(shell.requests.size(), 2u);
        // The shell is given the platform's own separators throughout.
        const QString helpPath =
            QDir::toNativeSeparators(QStringLiteral("/opt/vellumar-test/vellumar100.chm"));
        QCOMPARE(QString::fromStdString(shell.requests[0].target), helpPath);
        QVERIFY(QString::fromStdString(shell.requests[1].target).startsWith(QStringLiteral("https://")));
        for (const ShellOpenRequest& r : shell.requests) {
            QCOMPARE(r.operation, std::string("Open"));
            QCOMPARE(r.directory, QDir::toNativeSeparators(QStringLiteral("/opt/vellumar-test")).toStdString());
            QCOMPARE(r.showCommand, 1);
            QCOMPARE(r.ownerWindow, static_cast<std::uintptr_t>(w->winId()));
        }
        QVERIFY(fake->messageBox.prompts.isEmpty());

        shell.result = false;
        w->mnuHowTo->trigger();
        QCOMPARE(fake->messageBox.prompts,
                 QStringList{QStringLiteral("It looks like you don't have a default browser set.\r\n"
                                            "To find what you were looking for, please go to: \r\n") +
                             helpPath});
    }
};

QTEST_MAIN(TstFrmPassCreate)
#include "tst_frm_pass_create.moc"
