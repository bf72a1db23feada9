// A stand-in for a program that the tests start: it leaves a marker file
// beside itself, named after itself with ".ran" appended, that holds the
// folder it was started in. Copies of it under other names and in other
// folders leave their own markers.
#include <windows.h>

#include <cstdio>

int main()
{
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 4)
        return 1;
    char marker[MAX_PATH];
    std::snprintf(marker, sizeof marker, "%s.ran", self);

    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);

    FILE* file = std::fopen(marker, "wb");
    if (file == nullptr)
        return 1;
    std::fputs(folder, file);
    std::fclose(file);
    return 0;
}
