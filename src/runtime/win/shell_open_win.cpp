// Shell open over ShellExecuteA.

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "runtime/win/ansi_text.h"
#include "runtime/win/windows_services.h"

namespace vellumar::win {
bool shellOpen(const ShellOpenRequest& request)
{
    const std::string operation = utf8ToAnsi(request.operation);
    const std::string target = utf8ToAnsi(request.target);
    const std::string directory = utf8ToAnsi(request.directory);
    const HINSTANCE result = ShellExecuteA(
        reinterpret_cast<HWND>(request.ownerWindow),
        operation.empty() ? nullptr : operation.c_str(), target.c_str(), nullptr,
        directory.empty() ? nullptr : directory.c_str(), request.showCommand);
    // A result above 32 means the open was started; 32 or less is an
    // error code.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace vellumar::win
