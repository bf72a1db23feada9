// A stand-in for a program that the tests start: it leaves an empty file
// beside itself named after itself with ".ran" appended, so each copy of it
// tells that it ran (wide calls: its folder's name may lie beyond the ANSI
// code page).
#include <windows.h>

#include <cstdio>
#include <cwchar>

int main()
{
    wchar_t marker[MAX_PATH + 4];
    const DWORD length = GetModuleFileNameW(nullptr, marker, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    std::wcscpy(marker + length, L".ran");
    FILE* file = _wfopen(marker, L"wb");
    return file == nullptr || std::fclose(file) != 0;
}
