// The real file service on a POSIX file system: links, other users' files, files that are no files, in-place
// saving on a full disk, a link swapped in during saves, folders to start in.
#include <QtTest>

#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include "runtime/file_service.h"

using namespace vellumar;
using namespace Qt::StringLiterals;

constexpr uid_t kOtherUser = 65534;  // nobody
const QString kLeft = u" The file was left as it was."_s;

static QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

static QByteArray name(const QString& path) { return QFile::encodeName(path); }
static int chmodPath(const QString& path, mode_t mode) { return ::chmod(name(path).constData(), mode); }
static bool giveAway(const QString& path) { return ::lchown(name(path).constData(), kOtherUser, kOtherUser) == 0; }
static qsizetype entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size();
}
static mode_t modeOf(const QString& path)
{
    struct stat info {};
    return ::lstat(name(path).constData(), &info) == 0 ? info.st_mode : 0;
}

// Runs the current test row again as another user (root may write anywhere); true in that child.
static bool inChild() { return qEnvironmentVariableIsSet("VELLUMAR_CHILD_PATH"); }
static int runAsOtherUser(const QString& path)
{
    qputenv("VELLUMAR_CHILD_PATH", name(path));
    const int exitCode = QProcess::execute(u"setpriv"_s, {u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s,
        QCoreApplication::applicationFilePath(),
        QLatin1String(QTest::currentTestFunction()) + u':' + QLatin1String(QTest::currentDataTag())});
    qunsetenv("VELLUMAR_CHILD_PATH");
    return exitCode;
}

class TstFileService : public QObject {
    Q_OBJECT
    QtFileService files;

private slots:
    void linksAreFollowedOnlyAsTheKernelWould_data()
    {
        QTest::addColumn<bool>("foreign");        // the link belongs to another user
        QTest::addColumn<bool>("sharedFolder");   // it lies in a sticky folder everybody may write
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("foreignFolder");  // the folder belongs to the link's owner
        QTest::addColumn<bool>("linkToFolder");   // the link is a folder of the path, not its file
        QTest::addColumn<bool>("followed");
        QTest::newRow("own link, shared folder") << false << true << true << false << false << true;
        QTest::newRow("own dangling link, shared folder") << false << true << false << false << false << true;
        QTest::newRow("foreign link, private folder") << true << false << true << false << false << true;
        QTest::newRow("foreign link, shared folder") << true << true << true << false << false << false;
        QTest::newRow("foreign dangling link, shared folder") << true << true << false << false << false << false;
        QTest::newRow("folder owner's link, shared folder") << true << true << true << true << false << true;
        QTest::newRow("own link to a folder, shared folder") << false << true << true << false << true << true;
        QTest::newRow("foreign link to a folder, shared folder") << true << true << true << false << true << false;
    }
    void linksAreFollowedOnlyAsTheKernelWould()
    {
        QFETCH(bool, foreign);
        QFETCH(bool, sharedFolder);
        QFETCH(bool, targetExists);
        QFETCH(bool, foreignFolder);
        QFETCH(bool, linkToFolder);
        QFETCH(bool, followed);
        if (foreign && ::geteuid() != 0)
            QSKIP("a link of another user needs root to make");
        QTemporaryDir root;
        const QString dir = root.filePath(u"dir"_s), link = dir + (linkToFolder ? u"/sub"_s : u"/list.txt"_s);
        const QString target = linkToFolder ? root.filePath(u"x/list.txt"_s) : root.filePath(u"x"_s);
        const QString saved = linkToFolder ? link + u"/list.txt"_s : link;
        QVERIFY(QDir().mkpath(dir) && QDir().mkpath(root.filePath(u"x"_s)) && chmodPath(dir, sharedFolder ? 01777 : 0755) == 0);
        if (!linkToFolder)
            QVERIFY(QDir(root.filePath(u"x"_s)).removeRecursively());
        QVERIFY((!targetExists || files.writeText(target, u"theirs\n"_s).isEmpty()));
        QVERIFY(QFile::link(linkToFolder ? root.filePath(u"x"_s) : target, link) && (!foreign || giveAway(link)));
        QVERIFY(!foreignFolder || ::chown(name(dir).constData(), kOtherUser, kOtherUser) == 0);

        QCOMPARE(files.kindAt(saved), targetExists ? PathKind::File : PathKind::Nothing);  // no question if dangling
        QCOMPARE(files.writeText(saved, u"pw\r\n"_s), followed ? QString() : link + u" is a link that another user "
                 "made in a folder that everybody may write to, so it was not followed."_s);
        QCOMPARE(readAll(target), followed ? "pw\r\n" : targetExists ? "theirs\n" : "<missing>");
        QVERIFY(QFileInfo(link).isSymLink());  // kept, with nothing left beside it
        QCOMPARE(entries(dir), 1);
    }

    // What is at the name decides whether and how it is replaced.
    void onlyRegularFilesOfTheirOwnAreReplaced_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<mode_t>("folderMode");
        QTest::addColumn<mode_t>("modeBefore");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<mode_t>("modeAfter");  // 0: still what it was
        const QString notFile = u"It is not an ordinary file but a named pipe, a device or a socket, so nothing was "
                                "written to it."_s;
        const QString theirs = u"The file belongs to another user and lies in a folder that everybody may write to, "
                               "so it was not replaced."_s + kLeft;
        QTest::newRow("own file keeps its mode") << u"own"_s << mode_t(0755) << mode_t(0640) << QString() << mode_t(0640);
        QTest::newRow("named pipe") << u"fifo"_s << mode_t(0755) << mode_t(0666) << notFile << mode_t(0);
        QTest::newRow("device") << u"device"_s << mode_t(0755) << mode_t(0666) << notFile << mode_t(0);
        QTest::newRow("another user's file becomes mine alone")
            << u"foreign"_s << mode_t(0777) << mode_t(0666) << QString() << mode_t(0600);
        QTest::newRow("another user's file in a shared folder") << u"foreign"_s << mode_t(01777) << mode_t(0666) << theirs << mode_t(0);
        QTest::newRow("hard link to another user's file, shared folder")
            << u"foreign link"_s << mode_t(01777) << mode_t(0600) << theirs << mode_t(0);
    }
    void onlyRegularFilesOfTheirOwnAreReplaced()
    {
        QFETCH(QString, what);
        QFETCH(mode_t, folderMode);
        QFETCH(mode_t, modeBefore);
        QFETCH(QString, reason);
        QFETCH(mode_t, modeAfter);
        if (what != u"own"_s && what != u"fifo"_s && ::geteuid() != 0)
            QSKIP("needs root");
        QTemporaryDir root;
        const QString file = root.filePath(u"list.txt"_s), elsewhere = root.filePath(u"victim"_s);
        QVERIFY(chmodPath(root.path(), folderMode) == 0);
        if (what == u"fifo"_s || what == u"device"_s)
            QCOMPARE(::mknod(name(file).constData(), (what == u"fifo"_s ? S_IFIFO : S_IFCHR) | modeBefore, makedev(1, 3)), 0);
        else
            QVERIFY(files.writeText(what == u"foreign link"_s ? elsewhere : file, u"old"_s).isEmpty());
        QVERIFY(what != u"foreign link"_s
                || (giveAway(elsewhere) && ::link(name(elsewhere).constData(), name(file).constData()) == 0));
        QVERIFY(what != u"foreign"_s || giveAway(file));
        QVERIFY(chmodPath(file, modeBefore) == 0);
        const mode_t typeBefore = modeOf(file) & S_IFMT;

        QCOMPARE(files.writeText(file, u"new"_s), reason);
        QCOMPARE(modeOf(file), typeBefore | (modeAfter ? modeAfter : modeBefore));
        if (typeBefore == S_IFREG)
            QCOMPARE(readAll(file), reason.isEmpty() ? "new" : "old");
        QCOMPARE(entries(root.path()), what == u"foreign link"_s ? 2 : 1);
    }

    // A file the user may write in a folder they may not is overwritten in place; a full disk leaves it intact.
    void writableFileInReadOnlyFolderIsWrittenInPlace_data()
    {
        QTest::addColumn<QString>("fileSystem");
        QTest::addColumn<QString>("reason");
        QTest::newRow("space enough") << QString() << QString();
        // Larger than the space and than the writer's buffer: the whole new size is reserved before writing.
        QTest::newRow("disk full") << u"size=512k"_s << u"There is not enough space on the disk for the list."_s + kLeft;
    }
    void writableFileInReadOnlyFolderIsWrittenInPlace()
    {
        QFETCH(QString, fileSystem);
        QFETCH(QString, reason);
        const QString list = QString(u"x"_s.repeated(200) + u"\r\n"_s).repeated(4000);  // 808 KB
        if (inChild()) {
            const QString file = qEnvironmentVariable("VELLUMAR_CHILD_PATH");
            QVERIFY(!QFileInfo(QFileInfo(file).path()).isWritable());
            QCOMPARE(files.writeText(file, list), reason);
            return;
        }
        if (::geteuid() != 0)
            QSKIP("needs root: another user, and a small file system");
        QTemporaryDir root;
        const QString dir = root.filePath(u"ro"_s), file = dir + u"/own.txt"_s;
        QVERIFY(QDir().mkpath(dir) && chmodPath(root.path(), 0755) == 0);
        QVERIFY(fileSystem.isEmpty()
                || ::mount("tmpfs", name(dir).constData(), "tmpfs", 0, name(fileSystem).constData()) == 0);
        QVERIFY(files.writeText(file, u"old text"_s).isEmpty() && giveAway(file) && chmodPath(dir, 0755) == 0);
        const int exitCode = runAsOtherUser(file);
        const QByteArray after = readAll(file);
        QVERIFY(fileSystem.isEmpty() || ::umount2(name(dir).constData(), MNT_DETACH) == 0);
        QCOMPARE(exitCode, 0);
        QCOMPARE(after, reason.isEmpty() ? list.toLatin1() : "old text");
    }

    // A text of many pieces, far longer than the writer's buffer, arrives whole in UTF-8, a character of two
    // UTF-16 units at a buffer's border included.
    void aLongTextInPiecesIsWrittenWhole()
    {
        constexpr qsizetype kBuffer = 1 << 18;
        const QString first = u"a"_s.repeated(kBuffer - 1) + u"\U0001F511\u00e9"_s;
        const QString rest = u"0123456789\r\n"_s.repeated(kBuffer);
        const QStringList pieces = {first, rest, u""_s, rest, first};
        QTemporaryDir root;
        const QString file = root.filePath(u"long.txt"_s);
        QVERIFY(files.writeText(file, [&](const auto& piece) { for (const QString& p : pieces) piece(p); }).isEmpty());
        QCOMPARE(readAll(file), pieces.join(QString()).toUtf8());
    }

    // Another user swaps a link to the user's file in and out of a shared folder while the user saves there.
    void aLinkSwappedInIsNeverWrittenThrough()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to act as another user");
        // On a tmpfs of its own: a save's fsync would make the 1000 saves as slow as the disk.
        QTemporaryDir root;
        QVERIFY(::mount("tmpfs", name(root.path()).constData(), "tmpfs", 0, "mode=0755") == 0);
        const auto unmount = qScopeGuard([&] { ::umount2(name(root.path()).constData(), MNT_DETACH); });
        const QString shared = root.filePath(u"shared"_s), victim = root.filePath(u"victim"_s);
        const QByteArray list = name(shared + u"/list.txt"_s), victimName = name(victim);
        QVERIFY(QDir().mkpath(shared) && chmodPath(shared, 01777) == 0);
        QVERIFY(files.writeText(victim, u"mine"_s).isEmpty());
        const pid_t swapper = ::fork();
        if (swapper == 0) {
            if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0)
                ::_exit(1);
            for (;;) {  // unlinks only its own link: the user's saved file lies in a sticky folder
                if (::symlink(victimName.constData(), list.constData()) == 0)
                    ::unlink(list.constData());
            }
        }
        const auto stop = qScopeGuard([swapper] {
            ::kill(swapper, SIGKILL);
            ::waitpid(swapper, nullptr, 0);
        });
        bool swapping = false;  // once its first link is seen
        for (QDeadlineTimer limit(60000); !(swapping = QFileInfo(QFile::decodeName(list)).isSymLink()) && !limit.hasExpired();)
            QThread::usleep(100);
        QVERIFY(swapping);
        int saved = 0, writtenThrough = 0;
        for (int i = 0; i < 1000; ++i) {
            ::unlink(list.constData());
            saved += files.writeText(QFile::decodeName(list), u"pw\r\n"_s).isEmpty() ? 1 : 0;
            if (readAll(victim) != "mine")
                writtenThrough += files.writeText(victim, u"mine"_s).isEmpty() ? 1 : 1000;
        }
        qInfo("%d of 1000 saves done, the others refused", saved);
        QCOMPARE(writtenThrough, 0);
        QCOMPARE(readAll(victim), "mine");
        QVERIFY(saved > 0 && saved < 1000);
    }

    void foldersToCreateIn()
    {
        QTemporaryDir root;
        QVERIFY(files.writeText(root.filePath(u"file"_s), u"x"_s).isEmpty());
        QVERIFY(files.canCreateIn(root.path()));
        QVERIFY(!files.canCreateIn(root.filePath(u"file"_s)));
        QVERIFY(!files.canCreateIn(root.filePath(u"missing"_s)));
        // The Save dialog starts in an absolute, existing folder, whatever HOME says.
        const QByteArray home = qgetenv("HOME");
        for (const char* odd : {"docs", ""}) {
            qputenv("HOME", odd);
            const QString folder = files.documentsFolder();
            QVERIFY2(QDir::isAbsolutePath(folder) && folder != u"/"_s && QFileInfo(folder).isDir(), qPrintable(folder));
        }
        qputenv("HOME", home);
    }
};

QTEST_GUILESS_MAIN(TstFileService)
#include "tst_file_service.moc"
