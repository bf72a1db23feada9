#include "runtime/file_service.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringEncoder>

#if defined(Q_OS_UNIX)
#include <pwd.h>
#include <unistd.h>

#include "runtime/posix_file_writer.h"
#endif

namespace vellumar {

namespace {

// The user's home folder: HOME when it names a folder by an absolute path,
// else the one the user database gives (HOME may be unset, empty or relative).
QString homeFolder()
{
    const QString home = QDir::homePath();
    if (QDir::isAbsolutePath(home) && home != QDir::rootPath() && QFileInfo(home).isDir())
        return QDir::cleanPath(home);
#if defined(Q_OS_UNIX)
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && user->pw_dir[0] == '/')
        return QDir::cleanPath(QFile::decodeName(user->pw_dir));
#endif
    return QDir::rootPath();
}

}  // namespace

PathKind QtFileService::kindAt(const QString& path)
{
    // Links are followed: a link that leads nowhere loses nothing when it is
    // written, so it counts as nothing there.
    const QFileInfo info(path);
    if (info.isDir())
        return PathKind::Folder;
    if (info.exists())
        return PathKind::File;
    return PathKind::Nothing;
}

bool QtFileService::canCreateIn(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

QString QtFileService::documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (QDir::isAbsolutePath(documents) && QFileInfo(documents).isDir())
        return QDir::cleanPath(documents);
    return homeFolder();
}

QString QtFileService::writeText(const QString& path, const TextPieces& text)
{
#if defined(Q_OS_UNIX)
    return writeFileSafely(path, text);
#else
    QStringEncoder encoder(QStringConverter::System);
    QByteArray bytes;
    text([&](QStringView piece) { bytes += encoder.encode(piece); });
    // No writing in place: where no new file can be made beside the old one, a
    // failure midway would leave neither the old list nor the new.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    // A write can stop short (the disk just filled up); the next one then
    // fails and tells why.
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return reason;
        }
        written += step;
    }
    if (!file.commit())
        return file.errorString();
    return {};
#endif
}

}  // namespace vellumar
