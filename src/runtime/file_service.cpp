#include "runtime/file_service.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "runtime/platform.h"

namespace vellumar {

namespace {

// The user's home folder: HOME when it names a folder by an absolute path,
// else the one the user database gives (HOME may be unset, empty or relative).
QString homeFolder()
{
    const QString home = QDir::homePath();
    if (QDir::isAbsolutePath(home) && home != QDir::rootPath() && QFileInfo(home).isDir())
        return QDir::cleanPath(home);
    if (const QString fromDatabase = platform::userDatabaseHome(); !fromDatabase.isEmpty())
        return QDir::cleanPath(fromDatabase);
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
    return platform::writeTextFile(path, text);
}

}  // namespace vellumar
