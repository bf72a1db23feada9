// File lookup over FindFirstFileA / FindNextFileA, or their wide forms for a
// path that the ANSI code page cannot hold.

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

// The first ordinary file of a search, over either set of calls: Found is
// WIN32_FIND_DATAA or WIN32_FIND_DATAW with its FindFirstFile and
// FindNextFile; the name comes back as UTF-8.
template <typename Found, typename Name, typename First, typename Next, typename ToUtf8>
std::string firstOrdinary(const Name& path, First first, Next next, ToUtf8 toUtf8)
{
    Found found{};
    const HANDLE search = first(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::string name;
    do {
        if ((found.dwFileAttributes & kNotOrdinary) == 0) {
            name = toUtf8(found.cFileName);
            break;
        }
    } while (next(search, &found));
    FindClose(search);
    return name;
}

}  // namespace

std::string findFile(const std::string& path)
{
    if (path.empty())
        return {};
    if (fitsAnsi(path))
        return firstOrdinary<WIN32_FIND_DATAA>(utf8ToAnsi(path), FindFirstFileA, FindNextFileA,
                                               [](const char* name) { return ansiToUtf8(name); });
    return firstOrdinary<WIN32_FIND_DATAW>(utf8ToWide(path), FindFirstFileW, FindNextFileW,
                                           [](const wchar_t* name) { return wideToUtf8(name); });
}

}  // namespace vellumar::win
