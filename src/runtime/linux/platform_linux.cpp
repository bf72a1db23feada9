#include "runtime/platform.h"

#include <pwd.h>
#include <unistd.h>

#include <QFile>

#include "runtime/linux/file_writer.h"

namespace vellumar::platform {

// X11 and Wayland clipboard managers know a secret only by the hint that
// passwordMimeData sets.
void addSecretMarks(QMimeData&) {}

QString userDatabaseHome()
{
    const passwd* user = ::getpwuid(::getuid());
    if (user && user->pw_dir && user->pw_dir[0] == '/')
        return QFile::decodeName(user->pw_dir);
    return {};
}

QString writeTextFile(const QString& path, const TextPieces& text)
{
    return writeFileSafely(path, text);
}

// Qt's own dialog works on every Linux desktop, and under a bare X server.
bool nativeFileDialog()
{
    return false;
}

}  // namespace vellumar::platform
