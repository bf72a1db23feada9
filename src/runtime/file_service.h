#pragma once

#include <QString>
#include <QStringView>

#include <functional>

namespace vellumar {

// What is at a path.
enum class PathKind { Nothing, File, Folder };

// A text handed over in pieces: called with a function, it gives that
// function every piece in order. It may be called more than once.
using TextPieces = std::function<void(const std::function<void(QStringView)>& piece)>;

// The files the program writes: the saved password list.
class FileService {
public:
    virtual ~FileService() = default;

    // What is at the path, hidden entries included, following links; a link
    // that leads nowhere counts as nothing.
    virtual PathKind kindAt(const QString& path) = 0;
    // Whether the user may create files in the folder.
    virtual bool canCreateIn(const QString& folder) = 0;
    // The user's documents folder when it exists, else the home folder; always
    // an absolute path to an existing folder.
    virtual QString documentsFolder() = 0;
    // Replaces the file at path with the text in the system's encoding for
    // 8-bit text (the ANSI code page on Windows, UTF-8 elsewhere), without a
    // byte-order mark. The text goes to a temporary file beside the target
    // that is renamed over it only when every byte is written, so a failure
    // leaves the old file as it was and nothing behind. On POSIX systems:
    // only regular files are written; links, in every part of the path, are
    // followed only as the kernel's protected_symlinks rule would; another
    // user's file in a shared folder such as /tmp is not replaced; a new file,
    // or one that was not the user's, is readable and writable by the user
    // only, and the user's own file keeps its permissions, never wider; a file
    // the user may write in a folder they may not is overwritten in place,
    // after its whole new size has been reserved. Returns the reason for a
    // failure, or empty text on success. The text comes in pieces, so that a
    // long one need not be held whole a second time.
    virtual QString writeText(const QString& path, const TextPieces& text) = 0;
    QString writeText(const QString& path, const QString& text)
    {
        return writeText(path, [&text](const std::function<void(QStringView)>& piece) { piece(text); });
    }
};

class QtFileService final : public FileService {
public:
    PathKind kindAt(const QString& path) override;
    bool canCreateIn(const QString& folder) override;
    QString documentsFolder() override;
    using FileService::writeText;
    QString writeText(const QString& path, const TextPieces& text) override;
};

}  // namespace vellumar
