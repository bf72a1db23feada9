// The batch window driven offscreen: batches, their input, and saving the list.
#include <QtTest>
#include <QtWidgets>

#include <csignal>

#include <sys/resource.h>

#include "fakes.h"
#include "windows/batch/frm_multi.h"
#include "windows/main/frm_pass_create.h"

using namespace vellumar;
using namespace vellumar::testing;
using namespace Qt::StringLiterals;

namespace {

const QString kNoClass = u"Your have to check at least one of the check boxes to create a password."_s;
const QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;

// The real source, counting the draws and those made without the busy pointer.
struct WatchedRandom final : RandomSource {
    std::uint32_t below(std::uint32_t n) override
    {
        ++draws;
        notBusy += QApplication::overrideCursor() ? 0 : 1;
        return real.below(n);
    }
    SodiumRandomSource real;
    long draws = 0, notBusy = 0;
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void postClick(QWidget* widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(widget, new QMouseEvent(type, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
}

}  // namespace

class TstFrmMulti : public QObject {
    Q_OBJECT

    WatchedRandom random;
    std::unique_ptr<FakeApp> app;
    std::unique_ptr<QTemporaryDir> folder;
    frmPassCreate* main = nullptr;
    frmMulti* w = nullptr;
    QPlainTextEdit* list = nullptr;
    long busyMessages = 0;  // messages shown with the busy pointer
    rlimit fileLimit {};

    // The main window's characters field and classes.
    void setOptions(const QString& length, bool upper = false, bool lowerAndNumbers = true)
    {
        child<QLineEdit>(main, "txtNumChar")->setText(length);
        child<QCheckBox>(main, "chkUpper")->setChecked(upper);
        child<QCheckBox>(main, "chkLower")->setChecked(lowerAndNumbers);
        child<QCheckBox>(main, "chkNumbers")->setChecked(lowerAndNumbers);
    }
    void generate(const QString& count)
    {
        child<QLineEdit>(w, "txtNumPass")->setText(count);
        child<QPushButton>(w, "cmdGenerate")->click();
    }
    void save(std::deque<QString> paths = {})
    {
        app->dialogs.paths = std::move(paths);
        child<QPushButton>(w, "cmdSave")->click();
    }
    // Whether every line of the list matches pattern and ends with CR LF.
    bool linesAre(const QString& pattern) const
    {
        return QRegularExpression(u"\\A(?:"_s + pattern + u"\r\n)*+\\z"_s).match(w->listText()).hasMatch();
    }
    QString path(const QString& name) const { return folder->filePath(name); }
    qsizetype files() const { return QDir(folder->path()).entryList(QDir::Files | QDir::Hidden).size(); }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the file size limit fails instead
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &fileLimit), 0);
    }
    void init()
    {
        random.draws = random.notBusy = busyMessages = 0;
        app = std::make_unique<FakeApp>(&random);
        app->dialogs.onMessage = [this] { busyMessages += QApplication::overrideCursor() ? 1 : 0; };
        folder = std::make_unique<QTemporaryDir>();
        app->runtime.app.programFolder = folder->path();
        main = app->show<frmPassCreate>("frmPassCreate");
        w = app->show<frmMulti>("frmMulti");
        QVERIFY(main && w && QTest::qWaitForWindowExposed(w));
        list = child<QPlainTextEdit>(w, "txtPasswords");
    }
    void cleanup() { app.reset(); }

    void batchMakesCrLfLinesWithTheMainWindowsOptions()
    {
        generate(u"3"_s);
        QCOMPARE(w->listText().size(), 27);
        QVERIFY(linesAre(u"[a-z0-9]{7}"_s));
        QCOMPARE(list->document()->blockCount(), 4);  // a password a block, and the empty last one
        QVERIFY(random.draws >= 21 && random.notBusy == 0);
        QVERIFY(!QApplication::overrideCursor() && app->dialogs.prompts.isEmpty());

        // A copy has CR LF line ends and is marked as a secret.
        list->selectAll();
        list->copy();
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->text(), w->listText());
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->data(u"x-kde-passwordManagerHint"_s), QByteArray("secret"));

        // A new batch replaces the list, hand edits included, and follows the options. A big one
        // visibly grows even before it shows its progress in the title, and ends with its last
        // lines in view and a scroll bar that knows every line.
        struct PaintCounter : QObject {
            QWidget* window = nullptr;
            int paints = 0;
            bool eventFilter(QObject*, QEvent* event) override
            {
                return (paints += event->type() == QEvent::Paint && !window->windowTitle().endsWith(u')')), false;
            }
        } counter;
        counter.window = w;
        list->viewport()->installEventFilter(&counter);
        list->appendPlainText(u"typed by hand"_s);
        setOptions(u"64"_s, true, false);
        generate(u"32767"_s);
        QCOMPARE(w->listText().size(), 32767 * 66);
        QVERIFY(linesAre(u"[A-Z]{64}"_s));
        QVERIFY2(counter.paints >= 2, qPrintable(QString::number(counter.paints)));
        const QTextCursor shown = list->cursorForPosition(QPoint(1, list->viewport()->height() - 1));
        QVERIFY(shown.position() >= list->document()->characterCount() - 3 * 65);
        QVERIFY(list->verticalScrollBar()->maximum() >= 32767 - 20);
    }

    void countAndSizeAreCheckedFirst_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("length");  // in the main window
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("expected");
        const QString badCount = u"The number of passwords must be a whole number from 0 to 32767."_s;
        QTest::newRow("letters") << u"abc"_s << u"7"_s << badCount << QString();
        QTest::newRow("empty") << QString() << u"7"_s << badCount << QString();
        QTest::newRow("over 32767") << u"32768"_s << u"7"_s << badCount << QString();
        QTest::newRow("decimal") << u"2.5"_s << u"7"_s << badCount << QString();
        QTest::newRow("zero") << u"0"_s << u"7"_s << QString() << QString();
        QTest::newRow("negative") << u" -5 "_s << u"7"_s << QString() << QString();
        QTest::newRow("lowest") << u"-32768"_s << u"7"_s << QString() << QString();
        // Length 0 gives empty passwords: every line of the top count, quickly.
        QTest::newRow("top") << u"+32767"_s << u"0"_s << QString() << u"\r\n"_s.repeated(32767);
        QTest::newRow("no class") << u"32767"_s << u"7"_s << kNoClass << QString();
        // 32767 x (2047 + 2) characters pass the ceiling of 64 Mi.
        QTest::newRow("list too large") << u"32767"_s << u"2047"_s
            << u"The list would be too large: it can hold at most 67,108,864 characters, line ends included. "
               "Make fewer or shorter passwords."_s << QString();
    }
    void countAndSizeAreCheckedFirst()
    {
        QFETCH(QString, count);
        QFETCH(QString, length);
        QFETCH(QString, message);
        QFETCH(QString, expected);
        generate(u"2"_s);
        random.draws = 0;
        setOptions(length, false, message != kNoClass);
        generate(count);
        QCOMPARE(w->listText(), expected);
        QCOMPARE(app->dialogs.prompts, message.isEmpty() ? QStringList() : QStringList{message});  // once
        QCOMPARE(app->dialogs.owners, message.isEmpty() ? QList<QWidget*>() : QList<QWidget*>{w});
        QCOMPARE(random.draws, 0L);  // refused before any draw
        // The pointer is normal while the count or the size is complained about, and after every batch.
        QVERIFY(busyMessages == 0 || message == kNoClass);
        QVERIFY(!QApplication::overrideCursor());
    }

    void longBatchStopsAndDropsOtherInput_data()
    {
        QTest::addColumn<QString>("stop");
        for (const char* stop : {"Esc", "Close", "close box"})
            QTest::newRow(stop) << QString::fromLatin1(stop);
    }
    void longBatchStopsAndDropsOtherInput()
    {
        // The input waits until the batch takes it, half a second in.
        QFETCH(QString, stop);
        postClick(child(main, "cmdCreate"));
        postClick(child(w, "cmdGenerate"));
        QWidget* numPass = child(w, "txtNumPass");
        QCoreApplication::postEvent(numPass, new QKeyEvent(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, u"1"_s));
        if (stop == "Esc"_L1)
            QCoreApplication::postEvent(numPass, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        else if (stop == "Close"_L1)
            postClick(child(w, "cmdClose"));
        else
            QCoreApplication::postEvent(w->windowHandle(), new QCloseEvent);  // as the close box does
        const QString title = w->windowTitle();
        setOptions(u"4094"_s);  // 16384 x (4094 + 2) is exactly the ceiling, still allowed
        generate(u"16384"_s);  // many seconds if it ran to the end

        const qsizetype made = w->listText().size() / 4096;
        QVERIFY2(made > 0 && made < 16384, qPrintable(QString::number(made)));
        QVERIFY(linesAre(u"[a-z0-9]{4094}"_s));
        QVERIFY(w->isVisible());  // the list keeps what was made
        QCOMPARE(w->windowTitle(), title);
        QVERIFY(!QApplication::overrideCursor());
        const QString kept = w->listText();
        QCoreApplication::processEvents();  // nothing was left to replay
        QVERIFY(w->listText() == kept);
        QCOMPARE(child<QLineEdit>(w, "txtNumPass")->text(), u"16384"_s);
        QVERIFY(child<QLineEdit>(main, "txtNewPassword")->text().isEmpty());

        // Afterwards the window works as before: a batch, then Close.
        setOptions(u"7"_s);
        generate(u"2"_s);
        QVERIFY(w->listText().size() == 18 && linesAre(u"[a-z0-9]{7}"_s));
        child<QPushButton>(w, "cmdClose")->click();
        QVERIFY(!app->windows.find(u"frmMulti"_s));
    }

    void saveOffersSettingsAndWritesHandEditsWithCrLf()
    {
        QTest::keyClicks(list, u"ab\rc\u00a0d"_s);  // \r is the Return key
        QCOMPARE(w->listText(), u"ab\r\nc\u00a0d"_s);
        // A folder at the path gets its message; then a new file is written.
        QVERIFY(QDir(folder->path()).mkdir(u"dir.txt"_s));
        save({path(u"dir.txt"_s)});
        QCOMPARE(app->dialogs.prompts,
                 QStringList{path(u"dir.txt"_s) + u" is a folder. The passwords were not saved."_s});
        save({path(u"list.txt"_s)});
        QCOMPARE(app->dialogs.owners, (QList<QWidget*>{w, w, w}));
        QCOMPARE(app->dialogs.prompts.size(), 1);  // no question for a new file
        const SaveDialogSettings settings = app->dialogs.saveSettings.at(1);
        QCOMPARE((QStringList{settings.initialFileName, settings.defaultExtension, settings.filter}),
                 (QStringList{folder->path() + u"/.txt"_s, u"txt"_s, u"Text File (*.txt)"_s}));
        QVERIFY(!settings.overwritePrompt);
        QCOMPARE(readAll(path(u"list.txt"_s)), QByteArray("ab\r\nc\xc2\xa0" "d\r\n"));
        QCOMPARE(QFile::permissions(path(u"list.txt"_s)), kOwnerOnly);

        // A read-only program folder: the dialog starts in documents (and is cancelled).
        app->files.readOnlyFolder = folder->path();
        save();
        QCOMPARE(app->dialogs.saveSettings.at(2).initialFileName, u"/home/user/Documents/.txt"_s);
        QCOMPARE(app->files.writes, 1);
    }

    void existingFileIsReplacedOnlyAfterYes_data()
    {
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("writeFails");  // the process may write no more than 10 bytes a file
        QTest::newRow("Yes") << MessageAnswer::Yes << false;
        QTest::newRow("Yes, write fails") << MessageAnswer::Yes << true;
        // No asks again from the start folder; there the new name is chosen.
        QTest::newRow("No") << MessageAnswer::No << false;
        QTest::newRow("Cancel") << MessageAnswer::Cancel << false;
    }
    void existingFileIsReplacedOnlyAfterYes()
    {
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, writeFails);
        const QByteArray old(5000, 'x');
        QFile file(path(u".txt"_s));  // hidden, too
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == 5000);
        QVERIFY(file.setPermissions(kOwnerOnly | QFile::ReadGroup));
        file.close();
        generate(u"2"_s);
        const QByteArray saved = w->listText().toLatin1() + "\r\n";
        QCOMPARE(saved.size(), 20);
        app->dialogs.answers = {answer};
        const rlimit small{10, fileLimit.rlim_max};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, writeFails ? &small : &fileLimit), 0);
        save({path(u".txt"_s), path(u"new.txt"_s)});
        ::setrlimit(RLIMIT_FSIZE, &fileLimit);
        QStringList prompts{u"Do you want to copy over this file and lose all data it contains?"_s};
        if (writeFails)
            prompts << u"The passwords could not be saved to %1.\r\nFile too large"_s.arg(path(u".txt"_s));
        QCOMPARE(app->dialogs.prompts, prompts);
        QCOMPARE(app->dialogs.lastButtons, writeFails ? MessageButtons::Ok : MessageButtons::YesNoCancel);
        QCOMPARE(readAll(path(u".txt"_s)), answer == MessageAnswer::Yes && !writeFails ? saved : old);
        QCOMPARE(QFile::permissions(path(u".txt"_s)), kOwnerOnly | QFile::ReadGroup);  // kept when replaced
        QCOMPARE(app->files.writes, answer == MessageAnswer::Cancel ? 0 : 1);
        QCOMPARE(files(), answer == MessageAnswer::No ? 2 : 1);  // no temporary file is left
        QCOMPARE(readAll(path(u"new.txt"_s)), answer == MessageAnswer::No ? saved : "<missing>");
        QCOMPARE(app->dialogs.saveSettings.back().initialFileName, folder->path() + u"/.txt"_s);
    }
};

QTEST_MAIN(TstFrmMulti)
#include "tst_frm_multi.moc"
