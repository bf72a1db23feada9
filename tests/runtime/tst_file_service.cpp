// Saving through the real file service on a POSIX file system: links, and a
// file that may be written in a folder that may not.
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include "runtime/file_service.h"

using namespace vellumar;
using namespace Qt::StringLiterals;

namespace {

constexpr uid_t kOtherUser = 65534;  // nobody

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

int chmodPath(const QString& path, mode_t mode) { return ::chmod(QFile::encodeName(path).constData(), mode); }

}  // namespace

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
        QTest::newRow("own link, shared folder") << false << true << true << true;
        QTest::newRow("own dangling link, shared folder") << false << true << false << true;
        QTest::newRow("foreign link, private folder") << true << false << true << true;
        QTest::newRow("foreign link, shared folder") << true << true << true << false;
        QTest::newRow("foreign dangling link, shared folder") << true << true << false << false;
    }
    void linksAreFollowedOnlyAsTheKernelWould()
    {
        QFETCH(bool, foreign);
        QFETCH(bool, sharedFolder);
        QFETCH(bool, targetExists);
        QFETCH(bool, followed);
        if (foreign && ::geteuid() != 0)
            QSKIP("a link of another user needs root to make");
        QTemporaryDir root;
        const QString folder = root.filePath(u"folder"_s), elsewhere = root.filePath(u"elsewhere"_s);
        QVERIFY(root.isValid() && QDir().mkpath(folder) && QDir().mkpath(elsewhere));
        QCOMPARE(chmodPath(folder, sharedFolder ? 01777 : 0755), 0);
        const QString target = elsewhere + u"/x.txt"_s, link = folder + u"/list.txt"_s;
        if (targetExists)
            writeFile(target, "theirs\n");
        QVERIFY(QFile::link(target, link));
        if (foreign)
            QCOMPARE(::lchown(QFile::encodeName(link).constData(), kOtherUser, kOtherUser), 0);

        // A link that leads nowhere loses nothing: no question before saving.
        QCOMPARE(files.kindAt(link), targetExists ? PathKind::File : PathKind::Nothing);
        const QString reason = files.writeText(link, u"pw\r\n"_s);
        if (followed) {
            QCOMPARE(reason, QString());
            QCOMPARE(readAll(target), QByteArray("pw\r\n"));
            QVERIFY(QFileInfo(link).isSymLink());  // the link is kept
        } else {
            QCOMPARE(reason, u"It is a link that another user made in a folder that everybody may write to, "
                              "so it was not followed."_s);
            QCOMPARE(readAll(target), targetExists ? QByteArray("theirs\n") : QByteArray("<missing>"));
            QCOMPARE(QDir(elsewhere).entryList(QDir::Files | QDir::Hidden).size(), targetExists ? 1 : 0);
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 1);
        }
    }

    void writableFileInReadOnlyFolderIsWrittenInPlace()
    {
        // Root may write any folder: as root, the save is tried by this test
        // run again as another user, on a file of theirs in a folder of root's.
        QTemporaryDir root;
        QString file = QFile::decodeName(qgetenv("VELLUMAR_IN_PLACE_FILE"));
        if (file.isEmpty()) {
            file = root.filePath(u"list.txt"_s);
            writeFile(file, "old\r\n");
            QCOMPARE(chmodPath(root.path(), ::geteuid() == 0 ? 0755 : 0555), 0);
        }
        if (::geteuid() == 0) {
            QCOMPARE(::chown(QFile::encodeName(file).constData(), kOtherUser, kOtherUser), 0);
            qputenv("VELLUMAR_IN_PLACE_FILE", QFile::encodeName(file));  // for the child only
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(u"setpriv"_s, {u"--reuid=%1"_s.arg(kOtherUser), u"--regid=%1"_s.arg(kOtherUser),
                                      u"--clear-groups"_s, u"--"_s, QCoreApplication::applicationFilePath(),
                                      QString::fromLatin1(QTest::currentTestFunction())});
            const bool finished = child.waitForFinished(60000);
            qunsetenv("VELLUMAR_IN_PLACE_FILE");
            QVERIFY(finished && child.exitCode() == 0);
        } else {
            QVERIFY(!QFileInfo(QFileInfo(file).path()).isWritable());
            QCOMPARE(files.writeText(file, u"new\r\n"_s), QString());
            chmodPath(root.path(), 0755);
        }
        QCOMPARE(readAll(file), QByteArray("new\r\n"));
    }

    void documentsFolderIsOneThatExists()
    {
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(u"config"_s)));
        const QString withoutDocuments = files.documentsFolder();
        QVERIFY(home.isValid() && QDir(home.path()).mkdir(u"Documents"_s));
        const QString withDocuments = files.documentsFolder();
        qputenv("HOME", oldHome);
        QCOMPARE(withoutDocuments, QDir(home.path()).absolutePath());
        QCOMPARE(withDocuments, home.filePath(u"Documents"_s));
    }
};

QTEST_GUILESS_MAIN(TstFileService)
#include "tst_file_service.moc"
