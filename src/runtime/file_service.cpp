#include "runtime/file_service.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringEncoder>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>
#endif

namespace vellumar {

namespace {

#if defined(Q_OS_UNIX)

// The kernel follows a link in a folder that everybody may write to and that
// has the sticky bit (/tmp) only when the link belongs to the user or to the
// folder's owner (fs.protected_symlinks). QSaveFile resolves links itself, so
// the same rule is applied here: a link planted there by another user would
// otherwise send the passwords into that user's file.
bool kernelFollows(const struct stat& link, const std::string& folder)
{
    struct stat dir {};
    if (::stat(folder.c_str(), &dir) != 0)
        return false;
    constexpr mode_t kShared = S_ISVTX | S_IWOTH;
    return (dir.st_mode & kShared) != kShared || link.st_uid == ::geteuid() || link.st_uid == dir.st_uid;
}

std::string folderOf(const std::string& path)
{
    const auto cut = path.find_last_of('/');
    return cut == std::string::npos ? "." : cut == 0 ? "/" : path.substr(0, cut);
}

// Why a save must not follow the links at path, or empty text.
QString refusedLink(const QString& path)
{
    std::string current = QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString();
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return {};
        const std::string folder = folderOf(current);
        if (!kernelFollows(info, folder))
            return QCoreApplication::translate(
                "FileService",
                "It is a link that another user made in a folder that everybody may write to, "
                "so it was not followed.");
        std::vector<char> target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1);
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size())
            return QString::fromLocal8Bit(std::strerror(errno));
        const std::string next(target.data(), static_cast<std::size_t>(n));
        current = next.front() == '/' ? next : folder + "/" + next;
    }
    return QString::fromLocal8Bit(std::strerror(ELOOP));
}

// What is at the path itself (a link is not followed), to notice a change
// between the checks and the opening.
struct Identity {
    bool present = false;
    dev_t device = 0;
    ino_t inode = 0;
    mode_t type = 0;
    bool operator==(const Identity&) const = default;
};

Identity identityOf(const QString& path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {true, info.st_dev, info.st_ino, info.st_mode & S_IFMT};
}

#endif

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
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return QDir(documents).absolutePath();
    return QDir::homePath();
}

QString QtFileService::writeText(const QString& path, const QString& text)
{
    QStringEncoder encoder(QStringConverter::System);
    const QByteArray bytes = encoder.encode(text);

#if defined(Q_OS_UNIX)
    const QString refused = refusedLink(path);
    if (!refused.isEmpty())
        return refused;
    const Identity checked = identityOf(path);
#endif

    const bool isNew = !QFileInfo::exists(path);
    QSaveFile file(path);
    // A file the user may write in a folder they may not: written in place,
    // since the new file cannot be made beside it.
    file.setDirectWriteFallback(true);
    // Unbuffered, so that a write that fails (a full disk) reports why.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
#if defined(Q_OS_UNIX)
    // Another user swapped something in between the check and the opening.
    if (identityOf(path) != checked) {
        file.cancelWriting();
        return QCoreApplication::translate("FileService", "The file was changed by someone else meanwhile.");
    }
#endif
    // The list holds passwords: nobody else may read a new file. QSaveFile
    // gives a replaced file the old file's permissions by itself.
    if (isNew && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
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
}

}  // namespace vellumar
