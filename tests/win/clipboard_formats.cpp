// Reads the Windows clipboard as another program would after Vellumar has
// ended: the text must be the password given as the argument, and the marks
// that keep it out of Windows' clipboard history and cloud clipboard must be
// there (the two "Can..." formats hold a DWORD 0). Prints what differs.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

// The bytes of a clipboard format named `name`; false when it is absent.
bool formatBytes(const wchar_t* name, std::string& bytes)
{
    const UINT format = RegisterClipboardFormatW(name);
    HANDLE handle = GetClipboardData(format);
    if (handle == nullptr)
        return false;
    const void* data = GlobalLock(handle);
    bytes.assign(static_cast<const char*>(data), data ? GlobalSize(handle) : 0);
    GlobalUnlock(handle);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2 || !OpenClipboard(nullptr))
        return 2;
    int faults = 0;
    HANDLE text = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* chars = text ? static_cast<const wchar_t*>(GlobalLock(text)) : nullptr;
    if (chars == nullptr || std::wcscmp(chars, argv[1]) != 0) {
        std::printf("the text is not the password\n");
        ++faults;
    }
    if (chars != nullptr)
        GlobalUnlock(text);
    const std::string dwordZero(4, '\0');
    std::string bytes;
    if (!formatBytes(L"ExcludeClipboardContentFromMonitorProcessing", bytes)) {
        std::printf("no ExcludeClipboardContentFromMonitorProcessing\n");
        ++faults;
    }
    for (const wchar_t* name : {L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
        if (!formatBytes(name, bytes) || bytes.compare(0, 4, dwordZero) != 0) {
            std::printf("%ls is not a DWORD 0\n", name);
            ++faults;
        }
    }
    CloseClipboard();
    return faults == 0 ? 0 : 1;
}
