#pragma once

#include <memory>

#include "runtime/file_lookup.h"
#include "runtime/program_start.h"
#include "runtime/registry.h"
#include "runtime/shell_open.h"

namespace vellumar::win {

// The Windows implementations of the services that reach outside the
// program: the registry over advapi32, shell open over ShellExecuteA, file
// lookup over FindFirstFileA and program start over CreateProcessA. Free of
// the toolkit, so that the program and the Windows tests share them. Built
// only for Windows.
struct WindowsServices {
    std::unique_ptr<Registry> registry;
    std::unique_ptr<ShellOpen> shell;
    std::unique_ptr<FileLookup> fileLookup;
    std::unique_ptr<ProgramStart> programStart;
};

WindowsServices makeWindowsServices();

std::unique_ptr<Registry> makeWindowsRegistry();
std::unique_ptr<ShellOpen> makeWindowsShellOpen();
std::unique_ptr<FileLookup> makeWindowsFileLookup();
std::unique_ptr<ProgramStart> makeWindowsProgramStart();

}  // namespace vellumar::win
