#pragma once

#include <QString>

#include "runtime/file_service.h"

namespace vellumar {

// Replaces the file at path with text in the system's 8-bit encoding, at the
// level of system calls so that nothing swapped in by another user between a
// check and a write is ever written through. What it promises is described at
// FileService::writeText. Returns the reason for a failure, or empty text.
QString writeFileSafely(const QString& path, const TextPieces& text);

}  // namespace vellumar
