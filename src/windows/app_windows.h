#pragma once

#include "runtime/runtime.h"

namespace vellumar {

// Tells runtime.windows how to make each of the program's windows.
void defineAppWindows(Runtime& runtime);

}  // namespace vellumar
