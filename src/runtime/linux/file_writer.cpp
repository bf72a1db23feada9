#include "runtime/linux/file_writer.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <utility>

// The path is walked one folder at a time through descriptors; a link is
// followed only where the kernel's protected_symlinks rule would follow it;
// the file at the end is decided on from what the folder descriptor shows and
// is never truncated before that decision; the new text goes to a temporary
// file in the same folder that is renamed over the name once it is complete.

namespace vellumar {

namespace {

QString say(const char* text) { return QCoreApplication::translate("FileService", text); }
QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString leftAsItWas() { return say("The file was left as it was."); }
QString changedMeanwhile()
{
    return say("The file was changed by someone else meanwhile, so nothing was written to it.");
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    explicit operator bool() const { return fd_ >= 0; }
    operator int() const { return fd_; }

private:
    int fd_;
};

bool sharedFolder(const struct stat& folder)
{
    constexpr mode_t kShared = S_ISVTX | S_IWOTH;
    return (folder.st_mode & kShared) == kShared;
}

// fs.protected_symlinks: in a folder that everybody may write to and that has
// the sticky bit (/tmp), a link is followed only when it belongs to the user
// or to the folder's owner.
bool kernelFollows(const struct stat& link, const struct stat& folder)
{
    return !sharedFolder(folder) || link.st_uid == ::geteuid() || link.st_uid == folder.st_uid;
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

void prependComponents(std::deque<std::string>& rest, const std::string& path)
{
    std::deque<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t cut = path.find('/', start);
        const std::size_t end = cut == std::string::npos ? path.size() : cut;
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    rest.insert(rest.begin(), parts.begin(), parts.end());
}

// The file's folder, opened, and what is at the file's name in it.
struct Place {
    Descriptor folder;
    struct stat folderInfo {};
    std::string name;
    std::optional<struct stat> existing;  // a link there is not followed
    QString refusal;
};

Place locate(const QString& path)
{
    Place place;
    const auto fail = [&place](int error) {
        place.refusal = systemError(error);
        return std::move(place);
    };
    const std::string encoded = QFile::encodeName(path).toStdString();
    std::string walked = encoded.starts_with('/') ? "" : ".";  // for naming a refused link
    place.folder = Descriptor(::open(encoded.starts_with('/') ? "/" : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::deque<std::string> rest;
    prependComponents(rest, encoded);
    for (int links = 0;;) {
        if (!place.folder || ::fstat(place.folder, &place.folderInfo) != 0)
            return fail(errno);
        while (!rest.empty() && (rest.front().empty() || rest.front() == "."))
            rest.pop_front();
        if (rest.empty())
            return fail(EISDIR);
        std::string name = std::move(rest.front());
        rest.pop_front();
        struct stat info {};
        if (::fstatat(place.folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT || !rest.empty())
                return fail(errno);
            place.name = std::move(name);
            return place;
        }
        if (S_ISLNK(info.st_mode)) {
            if (!kernelFollows(info, place.folderInfo)) {
                place.refusal = say("%1 is a link that another user made in a folder that everybody may write to, "
                                    "so it was not followed.")
                                    .arg(QFile::decodeName(QByteArray::fromStdString(walked.append(1, '/').append(name))));
                return place;
            }
            std::string target(PATH_MAX, '\0');
            const ssize_t n = ::readlinkat(place.folder, name.c_str(), target.data(), target.size());
            if (n < 0)
                return fail(errno);
            if (static_cast<std::size_t>(n) >= target.size() || ++links > 40)
                return fail(ELOOP);
            target.resize(static_cast<std::size_t>(n));
            if (target.starts_with('/')) {
                place.folder = Descriptor(::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
                walked.clear();
            }
            prependComponents(rest, target);
            continue;
        }
        if (rest.empty()) {
            place.name = std::move(name);
            place.existing = info;
            return place;
        }
        // O_NOFOLLOW: a folder swapped for a link since the look is not entered.
        place.folder = Descriptor(::openat(place.folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        walked.append(1, '/').append(name);
    }
}

// Hands the text to write in pieces of the system's 8-bit encoding, each
// filling a buffer, so that a long list is never held twice; a piece never
// ends inside a character. Stops handing over at the first the sink refuses.
template <typename Sink>
bool forEachEncodedPiece(const TextPieces& text, Sink&& sink)
{
    constexpr qsizetype kPiece = 1 << 18;
    QStringEncoder encoder(QStringConverter::System);
    QByteArray buffer(encoder.requiredSpace(kPiece), Qt::Uninitialized);
    char* end = buffer.data();
    bool ok = true;
    const auto flush = [&] {
        ok = ok && sink(buffer.constData(), static_cast<std::size_t>(end - buffer.constData()));
        end = buffer.data();
    };
    text([&](QStringView piece) {
        while (ok && !piece.isEmpty()) {
            qsizetype length = std::min(kPiece, piece.size());
            if (length < piece.size() && piece.at(length - 1).isHighSurrogate())
                --length;
            if (end - buffer.constData() + encoder.requiredSpace(length) > buffer.size())
                flush();
            end = encoder.appendToBuffer(end, piece.first(length));
            piece = piece.sliced(length);
        }
    });
    if (end != buffer.constData())
        flush();
    return ok;
}

off_t encodedSize(const TextPieces& text)
{
    off_t size = 0;
    forEachEncodedPiece(text, [&](const char*, std::size_t length) {
        size += static_cast<off_t>(length);
        return true;
    });
    return size;
}

// Writes the whole text at the descriptor's offset; errno tells why it failed.
bool writeAll(int fd, const TextPieces& text)
{
    return forEachEncodedPiece(text, [fd](const char* data, std::size_t length) {
        while (length > 0) {
            const ssize_t n = ::write(fd, data, length);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                errno = n == 0 ? ENOSPC : errno;
                return false;
            }
            data += n;
            length -= static_cast<std::size_t>(n);
        }
        return true;
    });
}

// A file the user may write in a folder they may not: no new file can be made
// beside it, so it is overwritten where it is. Its whole new size is reserved
// first, so that a full disk is found while the old text is still intact.
QString writeInPlace(const Place& place, const TextPieces& text)
{
    if (place.existing->st_uid != ::geteuid())
        return say("Its folder may not be written, and the file belongs to another user, who could read the "
                   "passwords in it. %1").arg(leftAsItWas());
    // Not truncated on opening; non-blocking, so that a pipe swapped in meanwhile cannot hang the save.
    const Descriptor file(::openat(place.folder, place.name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!file)
        return errno == ELOOP ? changedMeanwhile() : systemError(errno);
    if (::fstat(file, &info) != 0 || !S_ISREG(info.st_mode) || !sameFile(info, *place.existing))
        return changedMeanwhile();
    const off_t size = encodedSize(text);
    if (const int error = size > 0 ? ::posix_fallocate(file, 0, size) : 0; error != 0) {
        if (error == ENOSPC || error == EDQUOT || error == EFBIG)
            return say("There is not enough space on the disk for the list. %1").arg(leftAsItWas());
        return say("Its folder may not be written, and the space for the list could not be reserved in the file "
                   "(%1), so it was not overwritten. %2").arg(systemError(error), leftAsItWas());
    }
    if (!writeAll(file, text) || ::ftruncate(file, size) != 0 || ::fsync(file) != 0)
        return say("Writing failed (%1). The file now holds an incomplete list.").arg(systemError(errno));
    return {};
}

// Makes a file of the user's own, readable and writable by them only, with a
// free hidden name in the folder.
Descriptor makeTemporary(const Place& place, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name.assign(1, '.').append(place.name, 0, 200).append(1, '.');
        name.append(std::to_string(QRandomGenerator::system()->generate()));
        Descriptor file(::openat(place.folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (file || errno != EEXIST)
            return file;
    }
    return Descriptor();
}

// The replaced file keeps the user's own file's permissions, never wider: its
// group only if the user may give the new file that group. A file that was
// not the user's becomes theirs alone.
void keepPermissions(int file, const struct stat& old)
{
    if (old.st_uid != ::geteuid())
        return;
    mode_t mode = old.st_mode & 0777;
    struct stat now {};
    if (::fstat(file, &now) == 0 && now.st_gid != old.st_gid && ::fchown(file, static_cast<uid_t>(-1), old.st_gid) != 0)
        mode &= ~mode_t(0070);
    ::fchmod(file, mode);
}

// Whether the name still shows what the save decided on.
bool unchanged(const Place& place)
{
    struct stat now {};
    if (::fstatat(place.folder, place.name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT && !place.existing;
    return place.existing && sameFile(now, *place.existing);
}

}  // namespace

QString writeFileSafely(const QString& path, const TextPieces& text)
{
    const Place place = locate(path);
    if (!place.refusal.isEmpty())
        return place.refusal;
    if (place.existing && S_ISDIR(place.existing->st_mode))
        return systemError(EISDIR);
    if (place.existing && !S_ISREG(place.existing->st_mode))
        return say("It is not an ordinary file but a named pipe, a device or a socket, so nothing was written to it.");
    // fs.protected_regular: another user's file in a shared folder such as /tmp is not written.
    if (place.existing && place.existing->st_uid != ::geteuid() && sharedFolder(place.folderInfo)
        && place.existing->st_uid != place.folderInfo.st_uid)
        return say("The file belongs to another user and lies in a folder that everybody may write to, so it was "
                   "not replaced. %1").arg(leftAsItWas());

    std::string temporary;
    const Descriptor file = makeTemporary(place, temporary);
    if (!file) {
        if (place.existing && (errno == EACCES || errno == EPERM))
            return writeInPlace(place, text);
        return systemError(errno);
    }
    QString reason;
    if (!writeAll(file, text) || ::fsync(file) != 0)
        reason = say("Writing failed (%1). %2")
                     .arg(systemError(errno), place.existing ? leftAsItWas() : say("Nothing was saved."));
    else if (!unchanged(place))
        reason = changedMeanwhile();
    else {
        if (place.existing)
            keepPermissions(file, *place.existing);
        // A new name must still be free: whatever appeared there meanwhile is not replaced.
        const unsigned flags = place.existing ? 0 : RENAME_NOREPLACE;
        if (::renameat2(place.folder, temporary.c_str(), place.folder, place.name.c_str(), flags) == 0) {
            ::fsync(place.folder);
            return {};
        }
        reason = errno == EEXIST ? changedMeanwhile() : systemError(errno);
    }
    ::unlinkat(place.folder, temporary.c_str(), 0);
    return reason;
}

}  // namespace vellumar
