#pragma once

// The Windows calls behind the desktop (makeSystemDesktop): the registry over
// advapi32, shell open over ShellExecuteA, program start over CreateProcessA
// and file lookup over FindFirstFileA. Free of the toolkit, so that the
// program and the Windows tests share them. Built only for Windows.

#include <memory>
#include <string>

#include "runtime/desktop.h"

namespace vellumar::win {

std::unique_ptr<Registry> makeRegistry();
bool shellOpen(const ShellOpenRequest& request);
bool startProgram(const std::string& programPath);
std::string findFile(const std::string& path);

}  // namespace vellumar::win
