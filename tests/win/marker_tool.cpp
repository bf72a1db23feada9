// A stand-in for a program that the tests start: it leaves an empty file
// beside itself named after itself with ".ran" appended, so each copy of it
// tells that it ran.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main()
{
    char marker[MAX_PATH + 4];
    const DWORD length = GetModuleFileNameA(nullptr, marker, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    std::strcpy(marker + length, ".ran");
    FILE* file = std::fopen(marker, "wb");
    return file == nullptr || std::fclose(file) != 0;
}
