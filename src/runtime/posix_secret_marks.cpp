#include "runtime/clipboard.h"

namespace vellumar {

// X11 and Wayland clipboard managers know the secret only by the hint that
// passwordMimeData sets on every platform.
void addPlatformSecretMarks(QMimeData&) {}

}  // namespace vellumar
