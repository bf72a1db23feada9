// A stand-in for a program that the tests start: it leaves a file beside
// itself named after itself with ".ran" appended, holding the command line it
// got in UTF-8, so each copy of it tells that it ran and with what (wide
// calls: its folder's name may lie beyond the ANSI code page).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

int main()
{
    wchar_t marker[MAX_PATH + 4];
    const DWORD length = GetModuleFileNameW(nullptr, marker, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    std::wcscpy(marker + length, L".ran");
    const wchar_t* line = GetCommandLineW();
    std::string utf8(WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    FILE* file = _wfopen(marker, L"wb");
    if (file == nullptr)
        return 1;
    const bool written = std::fputs(utf8.c_str(), file) >= 0;
    return std::fclose(file) != 0 || !written;
}
