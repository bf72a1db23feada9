// The batch window: its design, batches, and saving the list.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QWindow>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QScrollBar>
#include <QTest>

#include <memory>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "batch_fakes.h"
#include "caption_fit.h"
#include "fakes.h"
#include "runtime/design_scale.h"
#include "windows/app_windows.h"
#include "windows/batch/frm_multi.h"
#include "windows/controls.h"
#include "windows/main/frm_pass_create.h"

using namespace vellumar;
using namespace vellumar::testing;

namespace {

const QString kQuestion = QStringLiteral("Do you want to copy over this file and lose all data it contains?");
const QString kBadCount = QStringLiteral("The number of passwords must be a whole number from 0 to 32767.");
const QString kNoClass =
    QStringLiteral("Your have to check at least one of the check boxes to create a password.");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes, mode_t mode = 0644)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

mode_t modeOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & 07777;
}

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// A small tmpfs that the test mounts itself; needs root.
class ScratchMount {
public:
    explicit ScratchMount(const QString& folder, const char* options) : folder_(folder)
    {
        QDir().mkpath(folder_);
        mounted_ = ::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs", 0, options) == 0;
    }
    ~ScratchMount()
    {
        if (mounted_)
            ::umount(QFile::encodeName(folder_).constData());
    }
    bool mounted() const { return mounted_; }
    bool makeReadOnly()
    {
        return ::mount("tmpfs", QFile::encodeName(folder_).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                       nullptr) == 0;
    }

private:
    QString folder_;
    bool mounted_ = false;
};

}  // namespace

class TestFrmMulti : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakeRuntime> fake;
    std::unique_ptr<FakeSaveDialog> dialog;
    std::unique_ptr<FileServiceWithFolders> files;
    std::unique_ptr<QTemporaryDir> folder;
    frmPassCreate* main = nullptr;
    frmMulti* batch = nullptr;

    frmMulti* openBatch()
    {
        main->cmdMany->click();
        return fake->windows.find<frmMulti>(QStringLiteral("frmMulti"));
    }

    void generate(const QString& count)
    {
        batch->txtNumPass->setText(count);
        batch->cmdGenerate->click();
    }

    QString path(const QString& name) const { return folder->filePath(name); }

    QStringList lines() const
    {
        QStringList result = batch->listText().split(QStringLiteral("\r\n"));
        result.removeLast();  // after the last line end
        return result;
    }

private slots:
    void init()
    {
        fake = std::make_unique<FakeRuntime>();
        dialog = std::make_unique<FakeSaveDialog>();
        files = std::make_unique<FileServiceWithFolders>();
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        fake->runtime.app.programFolder = folder->path();
        fake->runtime.saveDialog = dialog.get();
        fake->runtime.files = files.get();
        defineAppWindows(fake->runtime);
        main = qobject_cast<frmPassCreate*>(fake->windows.show(QStringLiteral("frmPassCreate")));
        QVERIFY(main);
        batch = openBatch();
        QVERIFY(batch);
        QVERIFY(QTest::qWaitForWindowExposed(batch));
    }

    void cleanup()
    {
        delete fake->windows.find(QStringLiteral("frmMulti"));
        delete fake->windows.find(QStringLiteral("frmPassCreate"));
        batch = nullptr;
        main = nullptr;
        folder.reset();
        files.reset();
        dialog.reset();
        fake.reset();
    }

    // --- The window ---

    void opensWithItsDesignValues()
    {
        QCOMPARE(batch->windowTitle(), QStringLiteral("Multiple Password Generator"));
        QVERIFY(batch->windowFlags().testFlag(Qt::Tool));
        QVERIFY(!batch->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!batch->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(batch->minimumSize(), batch->maximumSize());
        QCOMPARE(batch->txtNumPass->text(), QStringLiteral("1"));
        QVERIFY(batch->txtNumPass->alignment().testFlag(Qt::AlignRight));
        QVERIFY(batch->lblNumber->alignment().testFlag(Qt::AlignRight));
        QCOMPARE(batch->listText(), QString());
        QCOMPARE(batch->txtPasswords->lineWrapMode(), QPlainTextEdit::NoWrap);
        QVERIFY(!batch->txtPasswords->isReadOnly());
        QCOMPARE(batch->cmdGenerate->text(), QStringLiteral("&Generate"));
        QCOMPARE(batch->cmdSave->text(), QStringLiteral("&Save To File ..."));
        QCOMPARE(batch->cmdClose->text(), QStringLiteral("&Close"));
        QCOMPARE(batch->lblNumber->text(), QStringLiteral("Number of Passwords:"));
        QCOMPARE(batch->focusWidget(), batch->txtNumPass);
    }

    void focusFollowsTheTabIndex()
    {
        const QList<QWidget*> expected = {batch->txtNumPass, batch->cmdSave, batch->cmdGenerate,
                                          batch->txtPasswords, batch->cmdClose};
        QWidget* widget = batch->txtNumPass;
        for (int i = 1; i < expected.size(); ++i) {
            widget = widget->nextInFocusChain();
            while (widget->focusPolicy() == Qt::NoFocus || !expected.contains(widget))
                widget = widget->nextInFocusChain();
            QCOMPARE(widget, expected[i]);
        }
        // Tab leaves the list instead of typing a tab into it.
        QVERIFY(batch->txtPasswords->tabChangesFocus());
    }

    void everyCaptionFits()
    {
        const QStringList clipped = clippedCaptions(batch);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
        // The label ends left of the count field, on its row.
        QVERIFY(batch->lblNumber->geometry().right() < batch->txtNumPass->geometry().left());
        for (QWidget* child : batch->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(batch->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }

    void enterPressesOnlyAFocusedButton()
    {
        QTest::keyClick(batch->txtNumPass, Qt::Key_Return);
        QCOMPARE(batch->listText(), QString());
        QTest::keyClick(batch->txtNumPass, Qt::Key_Escape);
        QVERIFY(batch->isVisible());
        batch->cmdGenerate->setFocus();
        QTest::keyClick(batch->cmdGenerate, Qt::Key_Return);
        QCOMPARE(lines().size(), 1);
    }

    void manyShowsTheSameWindowUntouched()
    {
        generate(QStringLiteral("2"));
        const QString list = batch->listText();
        QCOMPARE(openBatch(), batch);
        QCOMPARE(batch->listText(), list);
        QCOMPARE(batch->txtNumPass->text(), QStringLiteral("2"));
    }

    void closingUnloadsTheWindow()
    {
        generate(QStringLiteral("2"));
        batch->cmdClose->click();
        QVERIFY(!fake->windows.find(QStringLiteral("frmMulti")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        batch = openBatch();
        QCOMPARE(batch->txtNumPass->text(), QStringLiteral("1"));
        QCOMPARE(batch->listText(), QString());
    }

    // --- Batches ---

    void batchOfThreeMakesTwentySevenCharacters()
    {
        generate(QStringLiteral("3"));
        QCOMPARE(batch->listText().size(), 27);
        QVERIFY(batch->listText().endsWith(QStringLiteral("\r\n")));
        const QRegularExpression password(QStringLiteral("^[a-z0-9]{7}$"));
        QCOMPARE(lines().size(), 3);
        for (const QString& line : lines())
            QVERIFY2(password.match(line).hasMatch(), qPrintable(line));
        QVERIFY(fake->messageBox.prompts.isEmpty());
        QVERIFY(!fake->pointer.busy);
        QCOMPARE(fake->pointer.busyCount, 1);

        // One password per line for the person editing the list, and a copy
        // of it has CR LF line ends and is marked as a secret.
        QCOMPARE(batch->txtPasswords->document()->blockCount(), 4);
        batch->txtPasswords->selectAll();
        batch->txtPasswords->copy();
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied->text(), batch->listText());
        QCOMPARE(copied->data(QStringLiteral("x-kde-passwordManagerHint")), QByteArray("secret"));
    }

    void newBatchReplacesListAndFollowsMainWindow()
    {
        generate(QStringLiteral("3"));
        const QString first = batch->listText();
        batch->txtPasswords->appendPlainText(QStringLiteral("typed by hand"));
        main->txtNumChar->setText(QStringLiteral("12"));
        main->chkUpper->setChecked(true);
        main->chkLower->setChecked(false);
        main->chkNumbers->setChecked(false);
        generate(QStringLiteral("4"));
        QCOMPARE(lines().size(), 4);
        for (const QString& line : lines())
            QVERIFY2(QRegularExpression(QStringLiteral("^[A-Z]{12}$")).match(line).hasMatch(), qPrintable(line));
        QVERIFY(!batch->listText().contains(first.left(7)));
        QVERIFY(!batch->listText().contains(QStringLiteral("typed")));
    }

    void noClassTickedShowsOneMessageAndAnEmptyList()
    {
        main->chkLower->setChecked(false);
        main->chkNumbers->setChecked(false);
        generate(QStringLiteral("32767"));
        QCOMPARE(fake->messageBox.prompts, QStringList{kNoClass});
        QCOMPARE(fake->messageBox.owners, QList<QWidget*>{batch});  // the focus comes back here
        QCOMPARE(batch->listText(), QString());
        QVERIFY(!fake->pointer.busy);
    }

    void longBatchStopsAndDropsAllOtherInput_data()
    {
        QTest::addColumn<QString>("stop");
        QTest::newRow("Esc") << QStringLiteral("Esc");
        QTest::newRow("Close") << QStringLiteral("Close");
        QTest::newRow("close box") << QStringLiteral("close box");
    }

    void longBatchStopsAndDropsAllOtherInput()
    {
        // The input waits until the batch takes it, half a second in.
        QFETCH(QString, stop);
        const auto postClick = [](QWidget* widget) {
            const QPointF centre = QRectF(widget->rect()).center();
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(widget, new QMouseEvent(type, centre, widget->mapToGlobal(centre),
                                                                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        };
        postClick(main->cmdCreate);
        postClick(batch->cmdGenerate);
        QCoreApplication::postEvent(batch->txtNumPass, new QKeyEvent(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1")));
        if (stop == QLatin1String("Esc"))
            QCoreApplication::postEvent(batch->txtNumPass, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        else if (stop == QLatin1String("Close"))
            postClick(batch->cmdClose);
        else
            QCoreApplication::postEvent(batch->windowHandle(), new QCloseEvent);  // as the close box does
        main->txtNumChar->setText(QStringLiteral("2046"));
        generate(QStringLiteral("32767"));  // about ten seconds if it ran to the end

        const QStringList made = lines();
        QVERIFY2(!made.isEmpty() && made.size() < 32767, qPrintable(QString::number(made.size())));
        for (const QString& line : made)
            QCOMPARE(line.size(), 2046);
        QVERIFY(batch->isVisible());  // the list keeps what was made
        QCOMPARE(batch->windowTitle(), QStringLiteral("Multiple Password Generator"));
        QCOMPARE(batch->txtNumPass->text(), QStringLiteral("32767"));
        QVERIFY(main->txtNewPassword->text().isEmpty());
        QCOMPARE(fake->pointer.busyCount, 1);
        QVERIFY(!fake->pointer.busy);
        QCoreApplication::processEvents();  // nothing was left to replay
        QCOMPARE(batch->txtNumPass->text(), QStringLiteral("32767"));
        QVERIFY(main->txtNewPassword->text().isEmpty());
        QCOMPARE(fake->pointer.busyCount, 1);

        // Afterwards the window works as before: a batch, then Close.
        main->txtNumChar->setText(QStringLiteral("7"));
        generate(QStringLiteral("2"));
        QCOMPARE(lines().size(), 2);
        batch->cmdClose->click();
        QVERIFY(!fake->windows.find(QStringLiteral("frmMulti")));
    }

    void countThatIsNotANumberShowsAMessage_data()
    {
        QTest::addColumn<QString>("count");
        QTest::newRow("letters") << QStringLiteral("abc");
        QTest::newRow("empty") << QString();
        QTest::newRow("too large") << QStringLiteral("32768");
        QTest::newRow("decimal") << QStringLiteral("2.5");
    }

    void countThatIsNotANumberShowsAMessage()
    {
        QFETCH(QString, count);
        generate(QStringLiteral("2"));
        generate(count);
        QCOMPARE(fake->messageBox.prompts, QStringList{kBadCount});
        QCOMPARE(batch->listText(), QString());
        QVERIFY(!fake->pointer.busy);
    }

    void zeroOrNegativeCountEmptiesTheList_data()
    {
        QTest::addColumn<QString>("count");
        QTest::newRow("zero") << QStringLiteral("0");
        QTest::newRow("negative") << QStringLiteral(" -5 ");
        QTest::newRow("lowest") << QStringLiteral("-32768");
    }

    void zeroOrNegativeCountEmptiesTheList()
    {
        QFETCH(QString, count);
        generate(QStringLiteral("2"));
        generate(count);
        QCOMPARE(batch->listText(), QString());
        QVERIFY(fake->messageBox.prompts.isEmpty());
        QVERIFY(!fake->pointer.busy);
    }

    void topCountMakesEveryLine()
    {
        // Length 0 gives empty passwords: 32767 line ends, quickly.
        main->txtNumChar->setText(QStringLiteral("0"));
        generate(QStringLiteral("+32767"));
        QCOMPARE(batch->listText(), QStringLiteral("\r\n").repeated(32767));
        QVERIFY(fake->messageBox.prompts.isEmpty());
    }

    void tooLargeListIsRefusedBeforeAnyPassword()
    {
        CountingRandom counting(*fake->runtime.random);
        fake->runtime.random = &counting;
        generate(QStringLiteral("2"));
        const long drawsBefore = counting.draws;
        main->txtNumChar->setText(QStringLiteral("2047"));  // 32767 x 2049 passes the ceiling
        generate(QStringLiteral("32767"));
        QCOMPARE(fake->messageBox.prompts.size(), 1);
        QVERIFY(fake->messageBox.prompts[0].startsWith(QStringLiteral("The list would be too large")));
        QCOMPARE(counting.draws, drawsBefore);
        QCOMPARE(batch->listText(), QString());
        QVERIFY(!fake->pointer.busy);
        // The smallest ceiling the window must allow.
        QVERIFY(std::int64_t{32767} * 1026 <= frmMulti::kMaxListChars);
    }

    void bigBatchGrowsVisibly()
    {
        class PaintCounter : public QObject {
        public:
            int paints = 0;
            bool eventFilter(QObject*, QEvent* event) override
            {
                paints += event->type() == QEvent::Paint ? 1 : 0;
                return false;
            }
        } counter;
        batch->txtPasswords->viewport()->installEventFilter(&counter);
        main->txtNumChar->setText(QStringLiteral("64"));
        generate(QStringLiteral("32767"));
        QCOMPARE(lines().size(), 32767);
        QVERIFY2(counter.paints >= 2, qPrintable(QString::number(counter.paints)));
        // The last line is in view at the end.
        const QTextCursor shown = batch->txtPasswords->cursorForPosition(
            QPoint(1, batch->txtPasswords->viewport()->height() - 1));
        const int lastLines = 3 * (64 + 1);
        QVERIFY(shown.position() >= batch->txtPasswords->document()->characterCount() - lastLines);
        // The scroll bar knows every line at once, not only those drawn so far.
        QVERIFY(batch->txtPasswords->verticalScrollBar()->maximum() >= 32767 - 20);
    }

    void handEditsAreReadWithCrLf()
    {
        batch->txtPasswords->setFocus();
        QTest::keyClicks(batch->txtPasswords, QStringLiteral("ab"));
        QTest::keyClick(batch->txtPasswords, Qt::Key_Return);
        QTest::keyClicks(batch->txtPasswords, QStringLiteral("c\u00a0d"));
        QCOMPARE(batch->listText(), QStringLiteral("ab\r\nc\u00a0d"));
    }

    // --- Saving ---

    void saveOfferedSettingsAndWritesNewFile()
    {
        generate(QStringLiteral("3"));
        dialog->paths = {path(QStringLiteral("list.txt"))};
        batch->cmdSave->click();

        QCOMPARE(dialog->shown.size(), size_t{1});
        QCOMPARE(dialog->owners, std::vector<QWidget*>{batch});
        const SaveDialogSettings& settings = dialog->shown[0];
        QCOMPARE(settings.initialFileName, QDir::toNativeSeparators(folder->path() + QStringLiteral("/.txt")));
        QCOMPARE(settings.defaultExtension, QStringLiteral("txt"));
        QCOMPARE(settings.filter, QStringLiteral("Text File (*.txt)"));
        QVERIFY(!settings.overwritePrompt);

        QVERIFY(fake->messageBox.prompts.isEmpty());  // no question for a new file
        const QByteArray bytes = readAll(path(QStringLiteral("list.txt")));
        QCOMPARE(bytes.size(), 3 * 9 + 2);
        QCOMPARE(bytes, batch->listText().toLatin1() + "\r\n");
        QCOMPARE(modeOf(path(QStringLiteral("list.txt"))), mode_t{0600});
        QCOMPARE(entriesOf(folder->path()), QStringList{QStringLiteral("list.txt")});
    }

    void savedFileHoldsTheFieldAsItIs()
    {
        dialog->paths = {path(QStringLiteral("empty.txt"))};
        batch->cmdSave->click();
        QCOMPARE(readAll(path(QStringLiteral("empty.txt"))), QByteArray("\r\n"));

        batch->txtPasswords->setPlainText(QStringLiteral("edited\nby h\u00e4nd"));
        dialog->paths = {path(QStringLiteral("edited.txt"))};
        batch->cmdSave->click();
        QCOMPARE(readAll(path(QStringLiteral("edited.txt"))), QByteArray("edited\r\nby h\xc3\xa4nd\r\n"));
    }

    void existingFileAsksAndYesReplacesIt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("ordinary") << QStringLiteral("old.txt");
        QTest::newRow("hidden") << QStringLiteral(".txt");
    }

    void existingFileAsksAndYesReplacesIt()
    {
        QFETCH(QString, name);
        writeFile(path(name), QByteArray(5000, 'x'), 0640);
        generate(QStringLiteral("2"));
        fake->messageBox.answers = {MessageAnswer::Yes};
        dialog->paths = {path(name)};
        batch->cmdSave->click();
        QCOMPARE(fake->messageBox.prompts, QStringList{kQuestion});
        QCOMPARE(fake->messageBox.lastButtons, MessageButtons::YesNoCancel);
        QCOMPARE(readAll(path(name)), batch->listText().toLatin1() + "\r\n");
        QCOMPARE(modeOf(path(name)), mode_t{0640});  // a replaced file keeps its permissions
        QCOMPARE(entriesOf(folder->path()), QStringList{name});
    }

    void noAsksAgainFromTheProgramFolder()
    {
        writeFile(path(QStringLiteral("old.txt")), "old\r\n");
        generate(QStringLiteral("2"));
        fake->messageBox.answers = {MessageAnswer::No};
        dialog->paths = {path(QStringLiteral("old.txt")), path(QStringLiteral("new.txt"))};
        batch->cmdSave->click();
        QCOMPARE(dialog->shown.size(), size_t{2});
        QCOMPARE(dialog->shown[1].initialFileName, dialog->shown[0].initialFileName);
        QCOMPARE(readAll(path(QStringLiteral("old.txt"))), QByteArray("old\r\n"));
        QCOMPARE(readAll(path(QStringLiteral("new.txt"))).size(), 2 * 9 + 2);
        QCOMPARE(fake->messageBox.prompts, QStringList{kQuestion});
    }

    void cancelWritesNothing()
    {
        writeFile(path(QStringLiteral("old.txt")), "old\r\n");
        generate(QStringLiteral("2"));
        fake->messageBox.answers = {MessageAnswer::Cancel};
        dialog->paths = {path(QStringLiteral("old.txt"))};
        batch->cmdSave->click();  // Cancel in the question
        batch->cmdSave->click();  // Cancel in the dialog
        QCOMPARE(dialog->shown.size(), size_t{2});
        QCOMPARE(fake->messageBox.prompts, QStringList{kQuestion});
        QCOMPARE(files->writes, 0);
        QCOMPARE(readAll(path(QStringLiteral("old.txt"))), QByteArray("old\r\n"));
        QCOMPARE(entriesOf(folder->path()), QStringList{QStringLiteral("old.txt")});
    }

    void folderAtThePathIsNotWritten()
    {
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("list.txt")));
        dialog->paths = {path(QStringLiteral("list.txt"))};
        batch->cmdSave->click();
        QCOMPARE(fake->messageBox.prompts.size(), 1);
        QVERIFY(fake->messageBox.prompts[0].contains(path(QStringLiteral("list.txt"))));
        QCOMPARE(files->writes, 0);
    }

    void readOnlyProgramFolderStartsInDocuments()
    {
        files->readOnlyFolder = folder->path();
        dialog->paths = {};
        batch->cmdSave->click();
        QCOMPARE(dialog->shown.at(0).initialFileName,
                 QDir::toNativeSeparators(files->documents + QStringLiteral("/.txt")));
    }

    void failedSaveKeepsTheOldFileAndSaysWhy_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("read-only folder") << false;
        QTest::newRow("full file system") << true;
    }

    void failedSaveKeepsTheOldFileAndSaysWhy()
    {
        QFETCH(bool, fullDisk);
        const QString target = path(QStringLiteral("mount"));
        ScratchMount mount(target, "size=64k,mode=0755");
        const bool root = ::geteuid() == 0;
        if (root && !mount.mounted())
            QSKIP("cannot mount a tmpfs here");
        if (!root && fullDisk)
            QSKIP("filling a file system needs a tmpfs that only root may mount");

        const QString file = target + QStringLiteral("/old.txt");
        const QByteArray old = "old list\r\n";
        writeFile(file, old);
        if (fullDisk) {
            main->txtNumChar->setText(QStringLiteral("64"));
            generate(QStringLiteral("2000"));  // 132 KB, twice the room
        } else {
            generate(QStringLiteral("3"));
            if (root)
                QVERIFY(mount.makeReadOnly());
            else
                QCOMPARE(::chmod(QFile::encodeName(target).constData(), 0555), 0);
        }

        fake->messageBox.answers = {MessageAnswer::Yes};
        dialog->paths = {file};
        batch->cmdSave->click();
        QCOMPARE(fake->messageBox.prompts.size(), 2);
        QCOMPARE(fake->messageBox.prompts[0], kQuestion);
        const QString failure = fake->messageBox.prompts[1];
        QVERIFY2(failure.contains(file), qPrintable(failure));
        if (fullDisk)
            QVERIFY2(failure.contains(QStringLiteral("No space left on device")), qPrintable(failure));
        else
            QVERIFY2(failure.contains(QStringLiteral("not writable")), qPrintable(failure));
        QCOMPARE(readAll(file), old);
        QCOMPARE(entriesOf(target), QStringList{QStringLiteral("old.txt")});
        if (!root)
            ::chmod(QFile::encodeName(target).constData(), 0755);
    }
};

QTEST_MAIN(TestFrmMulti)
#include "tst_frm_multi.moc"
