// The main window driven offscreen, with recording services.
#include <QtTest>
#include <QtWidgets>

#include "fakes.h"
#include "windows/main/frm_pass_create.h"

using namespace vellumar;
using namespace vellumar::testing;

static const QString kNoClass = QStringLiteral("Your have to check at least one of the check boxes to create a password.");
static const QString kBadLength = QStringLiteral("The number of characters must be a whole number from 0 to 32767.");

class TstFrmPassCreate : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeApp> app;
    frmPassCreate* w = nullptr;

    template <class T = QWidget>
    T* control(const char* name) { return child<T>(w, name); }
    QString password() { return control<QLineEdit>("txtNewPassword")->text(); }
    void setOptions(bool upper, bool lower, bool numbers, bool special, const QString& length)
    {
        control<QCheckBox>("chkUpper")->setChecked(upper);
        control<QCheckBox>("chkLower")->setChecked(lower);
        control<QCheckBox>("chkNumbers")->setChecked(numbers);
        control<QCheckBox>("chkSpecialChar")->setChecked(special);
        control<QLineEdit>("txtNumChar")->setText(length);
    }

private slots:
    void init()
    {
        app = std::make_unique<FakeApp>();
        w = app->show<frmPassCreate>("frmPassCreate");
    }
    void cleanup() { app.reset(); }

    void createFollowsTheOptionsOrShowsOneMessage_data()
    {
        QTest::addColumn<QList<bool>>("classes");  // upper, lower, numbers, special; none: as opened
        QTest::addColumn<QString>("length");       // as typed or pasted
        QTest::addColumn<QString>("result");       // the password's pattern, or the message (the field emptied)
        const QList<bool> lower{0, 1, 0, 0};
        QTest::newRow("as opened") << QList<bool>{} << QString() << QStringLiteral("[a-z0-9]{7}");
        QTest::newRow("upper") << QList<bool>{1, 0, 0, 0} << QStringLiteral("12") << QStringLiteral("[A-Z]{12}");
        QTest::newRow("lower") << lower << QStringLiteral(" 1 ") << QStringLiteral("[a-z]");
        QTest::newRow("numbers") << QList<bool>{0, 0, 1, 0} << QStringLiteral("+9") << QStringLiteral("[0-9]{9}");
        QTest::newRow("special") << QList<bool>{0, 0, 0, 1} << QStringLiteral("40") << QStringLiteral("[!-/:-@\\[-_{-~]{40}");
        QTest::newRow("zero") << lower << QStringLiteral("0") << QString();
        QTest::newRow("negative") << lower << QStringLiteral("-3") << QString();
        QTest::newRow("32767 characters of 7") << lower << QString(32766, u'0') + QStringLiteral("7") << QStringLiteral("[a-z]{7}");
        QTest::newRow("no class") << QList<bool>{0, 0, 0, 0} << QStringLiteral("7") << kNoClass;
        QTest::newRow("no class, bad length") << QList<bool>{0, 0, 0, 0} << QStringLiteral("x") << kNoClass;
        QTest::newRow("decimal length") << lower << QStringLiteral("12.5") << kBadLength;
        QTest::newRow("32767 digits") << lower << QString(32767, u'1') << kBadLength;
    }
    void createFollowsTheOptionsOrShowsOneMessage()
    {
        QFETCH(QList<bool>, classes);
        QFETCH(QString, length);
        QFETCH(QString, result);
        const auto ticked = [this] {
            return QList<bool>{control<QCheckBox>("chkUpper")->isChecked(), control<QCheckBox>("chkLower")->isChecked(),
                               control<QCheckBox>("chkNumbers")->isChecked(),
                               control<QCheckBox>("chkSpecialChar")->isChecked()};
        };
        if (classes.isEmpty()) {
            QCOMPARE(ticked(), (QList<bool>{0, 1, 1, 0}));
            QCOMPARE(control<QLineEdit>("txtNumChar")->text(), u"7");
        } else {
            setOptions(classes[0], classes[1], classes[2], classes[3], QString());
            control<QLineEdit>("txtNumChar")->insert(length);
            QCOMPARE(control<QLineEdit>("txtNumChar")->text(), length);
        }
        control<QLineEdit>("txtNewPassword")->setText(QStringLiteral("old text"));
        QTest::mouseClick(control("cmdCreate"), Qt::LeftButton);
        const bool fails = result.endsWith(u'.');
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(fails ? QString() : result)).match(password()).hasMatch(),
                 qPrintable(password()));
        QCOMPARE(app->dialogs.prompts, fails ? QStringList{result} : QStringList());
        QCOMPARE(app->dialogs.owners, fails ? QList<QWidget*>{w} : QList<QWidget*>());
        bool failed = false;
        w->GeneratePassword(&failed);
        QCOMPARE(failed, fails);
    }

    // Every field takes text up to the longest password; a longer paste is refused whole, with a word.
    void fieldsRefuseTextLongerThanAPassword()
    {
        QWidget* batch = app->show("frmMulti");
        for (auto* edit : {control<QLineEdit>("txtNumChar"), control<QLineEdit>("txtNewPassword"), child<QLineEdit>(batch, "txtNumPass")})
            for (const int pasted : {32766, 32767, 10 << 20}) {  // after the one character there
                edit->setText(QStringLiteral("1"));
                QGuiApplication::clipboard()->setText(QString(pasted, u'7'));
                QTest::keySequence(edit, QKeySequence::Paste);
                QCOMPARE(edit->text().size(), pasted < 32767 ? 32767 : 1);
                QCoreApplication::processEvents();  // the message comes once the paste is undone
            }
        QCOMPARE(app->dialogs.prompts, QStringList(6, QStringLiteral("The text is too long: a field holds at most 32767 characters. "
                                                                    "Nothing was changed.")));
        QCOMPARE(app->dialogs.owners, (QList<QWidget*>{w, w, w, w, batch, batch}));
    }

    void copyAndExit_data()
    {
        QTest::addColumn<QString>("button");  // empty: the close box
        QTest::addColumn<bool>("copies");
        QTest::addColumn<bool>("ends");
        QTest::newRow("copy") << QStringLiteral("cmdCopoy") << true << false;
        QTest::newRow("copy and close") << QStringLiteral("cmdCopyClose") << true << true;
        QTest::newRow("exit") << QStringLiteral("cmdClose") << false << true;
        QTest::newRow("close box") << QString() << false << true;
    }
    void copyAndExit()
    {
        QFETCH(QString, button);
        QFETCH(bool, copies);
        QFETCH(bool, ends);
        control<QLineEdit>("txtNewPassword")->setText(QStringLiteral("  typed by hand "));
        const bool ended = endsProgram([&] {
            if (button.isEmpty())
                w->close();
            else
                QTest::mouseClick(control(button.toLatin1().constData()), Qt::LeftButton);
        });
        QCOMPARE(ended, ends);
        QCOMPARE(app->desktop.clipboard,
                 copies ? std::vector<std::string>{"  typed by hand "} : std::vector<std::string>{});
        // What the program copied stays on the clipboard, by any way out.
        QCOMPARE(app->desktop.keptAfterExit, ends ? 1 : 0);
    }

    // Enter presses the focused button (the access keys are driven in the real-window tests).
    void enterPressesTheFocusedButton()
    {
        QVERIFY(QTest::qWaitForWindowActive(w));
        control("cmdCreate")->setFocus();
        QTest::keyClick(control("cmdCreate"), Qt::Key_Return);
        QCOMPARE(password().size(), 7);
        control("cmdCopoy")->setFocus();
        QTest::keyClick(control("cmdCopoy"), Qt::Key_Enter);
        QCOMPARE(app->desktop.clipboard, std::vector<std::string>{password().toStdString()});
    }

    void helpAndWebsiteGoThroughTheShell()
    {
        child<QAction>(w, "mnuHowTo")->trigger();
        child<QAction>(w, "mnuWebsite")->trigger();
        // The shell is given the platform's own separators throughout.
        const std::string folder = QDir::toNativeSeparators(QStringLiteral("/opt/vellumar-test")).toStdString();
        std::vector<std::string> seen;
        for (const ShellOpenRequest& r : app->desktop.opened)
            seen.push_back(r.operation + "|" + r.target + "|" + r.directory + "|" + std::to_string(r.showCommand) +
                           (r.ownerWindow == w->winId() ? "|owned" : "|not owned"));
        QCOMPARE(seen, (std::vector<std::string>{"Open|" + folder + QDir::separator().toLatin1() + "vellumar100.chm|" + folder + "|1|owned",
                                                 "Open|https://vellumar.example/|" + folder + "|1|owned"}));
        QVERIFY(app->dialogs.prompts.isEmpty());

        app->desktop.openSucceeds = false;
        w->GoToWeb(QStringLiteral("https://vellumar.example/"));
        QCOMPARE(app->dialogs.prompts, QStringList{QStringLiteral("It looks like you don't have a default browser set.\r\n"
                                                                  "To find what you were looking for, please go to: \r\n"
                                                                  "https://vellumar.example/")});
        QCOMPARE(app->dialogs.owners, QList<QWidget*>{w});
    }
};

QTEST_MAIN(TstFrmPassCreate)
#include "tst_frm_pass_create.moc"
