// The batch window driven offscreen: batches, their input, and saving the list.
#include <QtTest>
#include <QtWidgets>

#include <csignal>
#include <sys/resource.h>

#include "fakes.h"
#include "windows/batch/frm_multi.h"

using namespace vellumar;
using namespace vellumar::testing;
using namespace Qt::StringLiterals;

const QString kNoClass = u"Your have to check at least one of the check boxes to create a password."_s;
const QString kAsk = u"Do you want to copy over this file and lose all data it contains?"_s;
const QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;

// The count typed, the length and classes (a pattern's class), the passwords made (or due) and the input that stops.
struct Batch {
    QString count;
    int length = 7;
    QString chars = u"a-z0-9"_s;
    int lines = 0;
    QString message = {};
    QString stop = {};
};

// A save: the path chosen first (a second Save dialog gets new.txt), the messages (%1 is that path) and answers.
struct Save {
    MessageAnswer answer;
    QStringList prompts;
    QString chosen = u".txt"_s;
    bool full = false;       // the disk takes only 4 bytes a file
    bool readOnly = false;   // the program folder
};

static void postClick(QWidget* widget)
{
    const QPointF at = QRectF(widget->rect()).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QCoreApplication::postEvent(widget, new QMouseEvent(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
}

class TstFrmMulti : public QObject {
    Q_OBJECT

    std::unique_ptr<FakeApp> app;
    QWidget* main = nullptr;
    frmMulti* w = nullptr;
    QPlainTextEdit* list = nullptr;
    int paints = 0;  // of the list with the busy pointer, before a batch shows its progress in the title
    int progressTitles = 0;
    QStringList wrongProgress;  // titles that did not count the passwords in the list

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QString title = w->windowTitle();
        const bool progress = title.endsWith(u')');
        paints += watched != w && event->type() == QEvent::Paint && QApplication::overrideCursor() && !progress;
        progressTitles += progress && event->type() == QEvent::WindowTitleChange;
        if (progress && event->type() == QEvent::WindowTitleChange &&  // the progress counts the list's passwords
            !title.startsWith(u"Multiple Password Generator (%L1 of "_s.arg(list->document()->blockCount() - 1)))
            wrongProgress << title;
        return false;
    }
    // Makes count passwords of length characters of the classes in chars: A-Z, or a-z and 0-9.
    void generate(const QString& count, int length = 7, const QString& chars = u"a-z0-9"_s)
    {
        child<QLineEdit>(main, "txtNumChar")->setText(QString::number(length));
        child<QCheckBox>(main, "chkUpper")->setChecked(chars.contains(u"A-Z"));
        child<QCheckBox>(main, "chkLower")->setChecked(chars.contains(u"a-z"));
        child<QCheckBox>(main, "chkNumbers")->setChecked(chars.contains(u"0-9"));
        child<QLineEdit>(w, "txtNumPass")->setText(count);
        child<QPushButton>(w, "cmdGenerate")->click();
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        app = std::make_unique<FakeApp>();
        app->dialogs.onMessage = [this] {  // messages come with the normal pointer, but for the generator's own
            QVERIFY(!QApplication::overrideCursor() || app->dialogs.prompts.last() == kNoClass);
        };
        main = app->show("frmPassCreate");
        w = app->show<frmMulti>("frmMulti");
        QVERIFY(main && w && QTest::qWaitForWindowExposed(w));
        list = child<QPlainTextEdit>(w, "txtPasswords");
        list->viewport()->installEventFilter(this);
        w->installEventFilter(this);
    }

    void batchReplacesTheListOrIsRefusedFirst_data()
    {
        QTest::addColumn<Batch>("b");
        const QString badCount = u"The number of passwords must be a whole number from 0 to 32767."_s;
        QTest::newRow("3") << Batch{.count = u"3"_s, .lines = 3};
        QTest::newRow("letters") << Batch{.count = u"abc"_s, .message = badCount};
        QTest::newRow("over 32767") << Batch{.count = u"32768"_s, .message = badCount};
        QTest::newRow("zero") << Batch{.count = u"0"_s};
        QTest::newRow("negative") << Batch{.count = u" -5 "_s};
        QTest::newRow("top, empty passwords") << Batch{.count = u"+32767"_s, .length = 0, .lines = 32767};
        QTest::newRow("no class") << Batch{.count = u"32767"_s, .chars = {}, .message = kNoClass};
        // 32767 x (2047 + 2) characters pass the ceiling of 64 Mi; without the line ends they would not.
        QTest::newRow("list too large") << Batch{u"32767"_s, 2047, u"a-z0-9"_s, 0, u"The list would be too large: it "
            "can hold at most 67,108,864 characters, line ends included. Make fewer or shorter passwords."_s};
        QTest::newRow("big") << Batch{.count = u"32767"_s, .length = 64, .chars = u"A-Z"_s, .lines = 32767};
        // 16384 x (4094 + 2) is exactly the ceiling, still allowed; it would take many seconds.
        for (const char* stop : {"Esc", "Close", "close box"})
            QTest::newRow(stop) << Batch{u"16384"_s, 4094, u"a-z0-9"_s, 16384, {}, QString::fromLatin1(stop)};
    }
    void batchReplacesTheListOrIsRefusedFirst()
    {
        QFETCH(Batch, b);
        list->setPlainText(u"typed by hand"_s);
        if (!b.stop.isEmpty()) {  // input that a long batch drops; it waits until the batch takes it
            postClick(child(main, "cmdCreate"));
            postClick(child(w, "cmdGenerate"));
            QCoreApplication::postEvent(child(w, "txtNumPass"), new QKeyEvent(QEvent::KeyPress, Qt::Key_1, {}, u"1"_s));
        }
        if (b.stop == "Esc"_L1)
            QCoreApplication::postEvent(child(w, "txtNumPass"), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
        else if (b.stop == "Close"_L1)
            postClick(child(w, "cmdClose"));
        else if (b.stop == "close box"_L1)
            QCoreApplication::postEvent(w->windowHandle(), new QCloseEvent);
        paints = progressTitles = 0;
        generate(b.count, b.length, b.chars);

        const qsizetype made = w->listText().size() / (b.length + 2);
        QVERIFY2(b.stop.isEmpty() ? made == b.lines : made > 0 && made < b.lines, qPrintable(QString::number(made)));
        QVERIFY(made == 0 || QRegularExpression(u"\\A(?:[%1]{%2}\r\n)*+\\z"_s.arg(b.chars).arg(b.length))
                                 .match(w->listText()).hasMatch());
        QCOMPARE(list->document()->blockCount(), made + 1);  // a password a block, and the empty last one
        QCOMPARE(app->dialogs.prompts, b.message.isEmpty() ? QStringList() : QStringList{b.message});  // once
        QCOMPARE(app->dialogs.owners, QList<QWidget*>(app->dialogs.prompts.size(), w));
        // A big batch grows visibly, busy, before it shows its progress, a chunk at a time rather than each
        // password; its end is in view, the scroll bar knows all.
        QVERIFY2((made * b.length < 1000000 || paints >= 2) && paints <= 30, qPrintable(QString::number(paints)));
        const QTextCursor shown = list->cursorForPosition(QPoint(1, list->viewport()->height() - 1));
        QVERIFY(shown.position() >= list->document()->characterCount() - 3 * (b.length + 1));
        QVERIFY(list->verticalScrollBar()->maximum() >= made - 20);
        QVERIFY(w->isVisible() && !QApplication::overrideCursor());  // no other input was taken
        QVERIFY(child<QLineEdit>(main, "txtNewPassword")->text().isEmpty());
        QCOMPARE(child<QLineEdit>(w, "txtNumPass")->text(), b.count);
        QCOMPARE(w->windowTitle(), u"Multiple Password Generator"_s);
        QCOMPARE(wrongProgress, QStringList());
        // Undo does not take a batch apart, nor bring back the list before it; typing is undone again afterwards.
        QVERIFY(!list->document()->isUndoAvailable() && list->isUndoRedoEnabled());
        QVERIFY(b.stop.isEmpty() || progressTitles > 0);  // a long batch shows how far it is
        if (made > 0) {  // a copy has CR LF line ends and is marked as a secret; one whole line has none
            list->selectAll();
            list->copy();
            QCOMPARE(QGuiApplication::clipboard()->mimeData()->text(), w->listText());
            QCOMPARE(QGuiApplication::clipboard()->mimeData()->data(u"x-kde-passwordManagerHint"_s), "secret");
            QTextCursor line(list->document()->lastBlock().previous());  // with its end, as a triple-click selects
            line.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
            list->setTextCursor(line);
            list->copy();
            QCOMPARE(QGuiApplication::clipboard()->mimeData()->text(), w->listText().right(b.length + 2).left(b.length));
        }
        generate(u"2"_s);  // afterwards the window makes batches and closes as before
        QCOMPARE(w->listText().size(), 18);
        child<QPushButton>(w, "cmdClose")->click();
        QVERIFY(!app->windows.find(u"frmMulti"_s));
    }

    void saveWritesHandEditsAndAsksBeforeReplacing_data()
    {
        using enum MessageAnswer;
        QTest::addColumn<Save>("s");
        QTest::newRow("folder") << Save{Cancel, {u"%1 is a folder. The passwords were not saved."_s}, u"dir.txt"_s};
        QTest::newRow("Yes") << Save{Yes, {kAsk}};
        QTest::newRow("Yes, write fails")
            << Save{Yes, {kAsk, u"The passwords could not be saved to %1.\r\nWriting failed (File too large). "
                                 "The file was left as it was."_s}, u".txt"_s, true};
        QTest::newRow("No asks again") << Save{No, {kAsk}};
        QTest::newRow("Cancel, from documents") << Save{.answer = Cancel, .prompts = {kAsk}, .readOnly = true};
    }
    void saveWritesHandEditsAndAsksBeforeReplacing()
    {
        QFETCH(Save, s);
        QTemporaryDir folder;
        const auto path = [&folder](const QString& name) { return folder.filePath(name); };
        const auto bytes = [&path](const QString& name) {
            QFile file(path(name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
        };
        app->runtime.app.programFolder = folder.path();
        app->files.readOnlyFolder = s.readOnly ? folder.path() : QString();
        QFile old(path(u".txt"_s));  // hidden, too
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(5000, 'x')) == 5000 && old.flush());
        QVERIFY(old.setPermissions(kOwnerOnly | QFile::ReadGroup) && QDir(folder.path()).mkdir(u"dir.txt"_s));
        QTest::keyClicks(list, u"ab\rc\u00a0d"_s);  // \r is the Return key
        for (int i = 0; i < 2; ++i)
            QTest::keyClick(list, Qt::Key_Return, Qt::ShiftModifier);  // a line separator, a line each too
        QTest::keyClick(list, Qt::Key_E);
        app->dialogs.paths = {path(s.chosen), path(u"new.txt"_s)};
        app->dialogs.answers = {s.answer};
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the file size limit fails instead
        rlimit limit{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit full{s.full ? rlim_t{4} : limit.rlim_cur, limit.rlim_max};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &full), 0);
        child<QPushButton>(w, "cmdSave")->click();
        ::setrlimit(RLIMIT_FSIZE, &limit);

        QCOMPARE(app->dialogs.prompts.join(u'|'), s.prompts.join(u'|').replace(u"%1"_s, path(s.chosen)));
        QCOMPARE(app->dialogs.lastButtons, s.prompts.last() == kAsk ? MessageButtons::YesNoCancel : MessageButtons::Ok);
        QCOMPARE(app->dialogs.owners.count(w), app->dialogs.owners.size());
        const SaveDialogSettings& d = app->dialogs.saveSettings.back();  // after No, again from the start
        QCOMPARE((QStringList{d.initialFileName, d.defaultExtension, d.filter, d.overwritePrompt ? u"ask"_s : u""_s}),
                 (QStringList{(s.readOnly ? u"/home/user/Documents"_s : folder.path()) + u"/.txt"_s, u"txt"_s,
                              u"Text File (*.txt)"_s, u""_s}));
        // .txt is replaced only after Yes, keeping its permissions; a new file is its owner's; no temporary is left.
        const QByteArray saved("ab\r\nc\xc2\xa0" "d\r\n\r\ne\r\n");
        const bool no = s.answer == MessageAnswer::No;
        QCOMPARE(bytes(u".txt"_s), s.answer == MessageAnswer::Yes && !s.full ? saved : QByteArray(5000, 'x'));
        QCOMPARE(QFile::permissions(path(u".txt"_s)), kOwnerOnly | QFile::ReadGroup);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), no ? 2 : 1);
        QCOMPARE(bytes(u"new.txt"_s), no ? saved : QByteArray("<missing>"));
        QVERIFY(!no || QFile::permissions(path(u"new.txt"_s)) == kOwnerOnly);
    }
};

QTEST_MAIN(TstFrmMulti)
#include "tst_frm_multi.moc"
