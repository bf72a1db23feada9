// Shell open over ShellExecuteA, or ShellExecuteW with the same arguments
// when the ANSI code page cannot hold one of the texts.

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "runtime/win/ansi_text.h"
#include "runtime/win/windows_services.h"

namespace vellumar::win {
namespace {

// Null for an empty text: the shell's default operation, no directory.
template <typename Text>
auto* orNull(const Text& text)
{
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

bool shellOpen(const ShellOpenRequest& request)
{
    const auto owner = reinterpret_cast<HWND>(request.ownerWindow);
    HINSTANCE result = nullptr;
    if (fitsAnsi(request.operation) && fitsAnsi(request.target) && fitsAnsi(request.directory)) {
        const std::string operation = utf8ToAnsi(request.operation);
        const std::string target = utf8ToAnsi(request.target);
        const std::string directory = utf8ToAnsi(request.directory);
        result = ShellExecuteA(owner, orNull(operation), target.c_str(), nullptr, orNull(directory),
                               request.showCommand);
    } else {
        const std::wstring operation = utf8ToWide(request.operation);
        const std::wstring target = utf8ToWide(request.target);
        const std::wstring directory = utf8ToWide(request.directory);
        result = ShellExecuteW(owner, orNull(operation), target.c_str(), nullptr, orNull(directory),
                               request.showCommand);
    }
    // A result above 32 means the open was started; 32 or less is an
    // error code.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace vellumar::win
