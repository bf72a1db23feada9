#pragma once

#include <QString>

namespace vellumar {

// What is at a path.
enum class PathKind { Nothing, File, Folder };

// The files the program writes: the saved password list.
class FileService {
public:
    virtual ~FileService() = default;

    // What is at the path, hidden entries included; a link that leads
    // nowhere still counts as a file, since a save would replace it.
    virtual PathKind kindAt(const QString& path) = 0;
    // Whether the user may create files in the folder.
    virtual bool canCreateIn(const QString& folder) = 0;
    // The user's documents folder.
    virtual QString documentsFolder() = 0;
    // Replaces the file at path with the text in the system's encoding for
    // 8-bit text (the ANSI code page on Windows, UTF-8 elsewhere), without a
    // byte-order mark. All or nothing: the text goes to a temporary file
    // beside the target that is renamed over it only when every byte is
    // written, so a failure leaves the old file as it was and no temporary
    // file behind. A new file is readable and writable by its owner only; a
    // replaced file keeps its permissions. Returns the reason for a failure,
    // or empty text on success.
    virtual QString writeText(const QString& path, const QString& text) = 0;
};

class QtFileService final : public FileService {
public:
    PathKind kindAt(const QString& path) override;
    bool canCreateIn(const QString& folder) override;
    QString documentsFolder() override;
    QString writeText(const QString& path, const QString& text) override;
};

}  // namespace vellumar
