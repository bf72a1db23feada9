#pragma once

// What differs between the operating systems beneath the shared runtime
// files. linux/ and win/ each define all of it; CMake builds one of them.

#include <QString>

#include "runtime/file_service.h"

class QMimeData;

namespace vellumar::platform {

// Adds the marks by which the system's own clipboard history skips a secret
// (passwordMimeData already sets the hint clipboard managers read).
void addSecretMarks(QMimeData& data);

// The user's home folder as the system's user database names it, or empty
// text (the fallback when HOME names no folder).
QString userDatabaseHome();

// QtFileService::writeText on this system.
QString writeTextFile(const QString& path, const TextPieces& text);

// Whether the Save dialog is the system's own; else Qt's, which needs no
// desktop portal or platform theme.
bool nativeFileDialog();

}  // namespace vellumar::platform
