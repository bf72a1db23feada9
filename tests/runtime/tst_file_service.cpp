// The real file service on a POSIX file system: links, in-place saving, folders to create in.
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include "runtime/file_service.h"

using namespace vellumar;
using namespace Qt::StringLiterals;

constexpr uid_t kOtherUser = 65534;  // nobody

static QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

static int chmodPath(const QString& path, mode_t mode) { return ::chmod(QFile::encodeName(path).constData(), mode); }

class TstFileService : public QObject {
    Q_OBJECT
    QtFileService files;

private slots:
    void linksAreFollowedOnlyAsTheKernelWould_data()
    {
        QTest::addColumn<bool>("foreign");       // the link belongs to another user
        QTest::addColumn<bool>("sharedFolder");  // it lies in a sticky folder everybody may write
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("followed");
        QTest::addColumn<bool>("foreignFolder");  // the folder belongs to the link's owner
        QTest::newRow("own link, shared folder") << false << true << true << true << false;
        QTest::newRow("own dangling link, shared folder") << false << true << false << true << false;
        QTest::newRow("foreign link, private folder") << true << false << true << true << false;
        QTest::newRow("foreign link, shared folder") << true << true << true << false << false;
        QTest::newRow("foreign dangling link, shared folder") << true << true << false << false << false;
        QTest::newRow("folder owner's link, shared folder") << true << true << true << true << true;
    }
    void linksAreFollowedOnlyAsTheKernelWould()
    {
        QFETCH(bool, foreign);
        QFETCH(bool, sharedFolder);
        QFETCH(bool, targetExists);
        QFETCH(bool, followed);
        QFETCH(bool, foreignFolder);
        if (foreign && ::geteuid() != 0)
            QSKIP("a link of another user needs root to make");
        QTemporaryDir root;
        const QString dir = root.filePath(u"dir"_s), target = root.filePath(u"x"_s), link = dir + u"/list.txt"_s;
        QVERIFY(QDir().mkpath(dir) && chmodPath(dir, sharedFolder ? 01777 : 0755) == 0);
        QVERIFY((!targetExists || files.writeText(target, u"theirs\n"_s).isEmpty()) && QFile::link(target, link));
        QVERIFY(!foreign || ::lchown(QFile::encodeName(link).constData(), kOtherUser, kOtherUser) == 0);
        QVERIFY(!foreignFolder || ::chown(QFile::encodeName(dir).constData(), kOtherUser, kOtherUser) == 0);

        QCOMPARE(files.kindAt(link), targetExists ? PathKind::File : PathKind::Nothing);  // no question if dangling
        QCOMPARE(files.writeText(link, u"pw\r\n"_s), followed ? QString() : u"It is a link that another user made in "
                 "a folder that everybody may write to, so it was not followed."_s);
        QCOMPARE(readAll(target), followed ? "pw\r\n" : targetExists ? "theirs\n" : "<missing>");
        QVERIFY(QFileInfo(link).isSymLink());  // kept, with nothing left beside it
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 1);
    }

    void writableFileInReadOnlyFolderIsWrittenInPlace()
    {
        // Root may write any folder: as root, the save is tried by this test run again as another user, on a file
        // of theirs in a folder of root's.
        QTemporaryDir root;
        const QString file = qEnvironmentVariable("VELLUMAR_IN_PLACE_FILE", root.filePath(u"list.txt"_s));
        if (!qEnvironmentVariableIsSet("VELLUMAR_IN_PLACE_FILE"))  // not the child
            QVERIFY(files.writeText(file, u"old"_s).isEmpty() && !chmodPath(root.path(), ::geteuid() ? 0555 : 0755));
        if (::geteuid() == 0) {
            QCOMPARE(::chown(QFile::encodeName(file).constData(), kOtherUser, kOtherUser), 0);
            qputenv("VELLUMAR_IN_PLACE_FILE", QFile::encodeName(file));  // for the child only
            const int exitCode = QProcess::execute(u"setpriv"_s, {u"--reuid=65534"_s, u"--regid=65534"_s,
                u"--clear-groups"_s, QCoreApplication::applicationFilePath(), QLatin1String(QTest::currentTestFunction())});
            qunsetenv("VELLUMAR_IN_PLACE_FILE");
            QCOMPARE(exitCode, 0);
        } else {
            QVERIFY(!QFileInfo(QFileInfo(file).path()).isWritable());
            QCOMPARE(files.writeText(file, u"new\r\n"_s), QString());
            chmodPath(root.path(), 0755);
        }
        QCOMPARE(readAll(file), QByteArray("new\r\n"));
    }

    void foldersToCreateIn()
    {
        QTemporaryDir root;
        QVERIFY(files.writeText(root.filePath(u"file"_s), u"x"_s).isEmpty());
        QVERIFY(files.canCreateIn(root.path()));
        QVERIFY(!files.canCreateIn(root.filePath(u"file"_s)));
        QVERIFY(!files.canCreateIn(root.filePath(u"missing"_s)));
    }
};

QTEST_GUILESS_MAIN(TstFileService)
#include "tst_file_service.moc"
