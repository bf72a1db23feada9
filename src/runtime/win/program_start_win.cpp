// Program start over CreateProcessA.

#include <windows.h>

#include <string>
#include <vector>

#include "runtime/win/ansi_text.h"
#include "runtime/win/windows_services.h"

namespace vellumar::win {

bool startProgram(const std::string& programPath)
{
    if (programPath.empty())
        return false;
    // The path is the application name, so it is never searched for or
    // split at a blank. The command line only repeats it, quoted, as the
    // program's own name.
    const std::string application = utf8ToAnsi(programPath);
    const std::string quoted = '"' + application + '"';
    std::vector<char> commandLine(quoted.begin(), quoted.end());
    commandLine.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;  // normal window with the focus
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process))
        return false;
    // Nothing waits for the program.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace vellumar::win
