// Saving through the real file service on a POSIX file system: links, and a
// file that may be written in a folder that may not.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include "runtime/file_service.h"

using namespace vellumar;

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
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

int chmodPath(const QString& path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode);
}

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
        QVERIFY(root.isValid());
        const QString folder = root.filePath(QStringLiteral("folder"));
        const QString elsewhere = root.filePath(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(elsewhere));
        QCOMPARE(chmodPath(folder, sharedFolder ? 01777 : 0755), 0);
        const QString target = elsewhere + QStringLiteral("/x.txt");
        if (targetExists)
            writeFile(target, "theirs\n");
        const QString link = folder + QStringLiteral("/list.txt");
        QVERIFY(QFile::link(target, link));
        if (foreign)
            QCOMPARE(::lchown(QFile::encodeName(link).constData(), kOtherUser, kOtherUser), 0);

        // A link that leads nowhere loses nothing: no question before saving.
        QCOMPARE(files.kindAt(link), targetExists ? PathKind::File : PathKind::Nothing);

        const QString reason = files.writeText(link, QStringLiteral("pw\r\n"));
        if (followed) {
            QCOMPARE(reason, QString());
            QCOMPARE(readAll(target), QByteArray("pw\r\n"));
            QVERIFY(QFileInfo(link).isSymLink());  // the link is kept
        } else {
            QVERIFY2(reason.contains(QStringLiteral("link")), qPrintable(reason));
            QCOMPARE(readAll(target), targetExists ? QByteArray("theirs\n") : QByteArray("<missing>"));
            QCOMPARE(QDir(elsewhere).entryList(QDir::Files | QDir::Hidden).size(), targetExists ? 1 : 0);
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 1);
        }
    }

    void writableFileInReadOnlyFolderIsWrittenInPlace()
    {
        // Root may write any folder: the save is tried as another user.
        const QByteArray given = qgetenv("VELLUMAR_IN_PLACE_FILE");
        if (::geteuid() == 0) {
            QTemporaryDir root;
            QVERIFY(root.isValid());
            QCOMPARE(chmodPath(root.path(), 0755), 0);
            const QString folder = root.filePath(QStringLiteral("read-only"));
            QVERIFY(QDir().mkpath(folder));
            const QString file = folder + QStringLiteral("/list.txt");
            writeFile(file, "old\r\n");
            QCOMPARE(::chown(QFile::encodeName(file).constData(), kOtherUser, kOtherUser), 0);
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("VELLUMAR_IN_PLACE_FILE"), file);
            child.setProcessEnvironment(environment);
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QStringLiteral("setpriv"),
                        {QStringLiteral("--reuid=%1").arg(kOtherUser), QStringLiteral("--regid=%1").arg(kOtherUser),
                         QStringLiteral("--clear-groups"), QStringLiteral("--"),
                         QCoreApplication::applicationFilePath(),
                         QStringLiteral("writableFileInReadOnlyFolderIsWrittenInPlace")});
            QVERIFY(child.waitForFinished(60000));
            QCOMPARE(child.exitCode(), 0);
            QCOMPARE(readAll(file), QByteArray("new\r\n"));
            return;
        }
        QTemporaryDir root;
        QString file = QFile::decodeName(given);
        if (file.isEmpty()) {
            file = root.filePath(QStringLiteral("list.txt"));
            writeFile(file, "old\r\n");
            QCOMPARE(chmodPath(root.path(), 0555), 0);
        }
        QVERIFY(!QFileInfo(QFileInfo(file).path()).isWritable());
        QCOMPARE(files.writeText(file, QStringLiteral("new\r\n")), QString());
        QCOMPARE(readAll(file), QByteArray("new\r\n"));
        chmodPath(root.path(), 0755);
    }

    void documentsFolderIsOneThatExists()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
        const QString withoutDocuments = files.documentsFolder();
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Documents")));
        const QString withDocuments = files.documentsFolder();
        qputenv("HOME", oldHome);
        QCOMPARE(withoutDocuments, QDir(home.path()).absolutePath());
        QCOMPARE(withDocuments, home.filePath(QStringLiteral("Documents")));
    }
};

QTEST_GUILESS_MAIN(TstFileService)
#include "tst_file_service.moc"
