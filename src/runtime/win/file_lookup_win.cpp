// File lookup over FindFirstFileA / FindNextFileA.

#include <windows.h>

#include <string>

#include "runtime/win/ansi_text.h"
#include "runtime/win/windows_services.h"

namespace vellumar::win {
namespace {

// Only ordinary files are found: hidden files, system files and folders are
// passed over (read-only and archived files are ordinary).
constexpr DWORD kNotOrdinary =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

}  // namespace

std::string findFile(const std::string& path)
{
    if (path.empty())
        return {};
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(utf8ToAnsi(path).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::string name;
    do {
        if ((found.dwFileAttributes & kNotOrdinary) == 0) {
            name = ansiToUtf8(found.cFileName);
            break;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return name;
}

}  // namespace vellumar::win
