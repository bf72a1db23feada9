#include "runtime/file_service.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringEncoder>

namespace vellumar {

PathKind QtFileService::kindAt(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return PathKind::Folder;
    if (info.exists() || info.isSymLink())
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
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString QtFileService::writeText(const QString& path, const QString& text)
{
    QStringEncoder encoder(QStringConverter::System);
    const QByteArray bytes = encoder.encode(text);

    const bool isNew = !QFileInfo::exists(path);
    QSaveFile file(path);
    // Unbuffered, so that a write that fails (a full disk) reports why.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
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
