// Program start over CreateProcessA, or CreateProcessW with the same
// arguments when the ANSI code page cannot hold the path.

#include <windows.h>

#include <string>

#include "runtime/win/ansi_text.h"
#include "runtime/win/windows_services.h"

namespace vellumar::win {
namespace {

// Starts the program at path (std::string or std::wstring) with the
// matching CreateProcess and STARTUPINFO; nothing waits for it.
template <typename Startup, typename Path, typename Create>
bool start(const Path& application, Create create)
{
    // The path is the application name, so it is never searched for or
    // split at a blank. The command line only repeats it, quoted, as the
    // program's own name; CreateProcessW may write to it.
    Path commandLine = application;
    commandLine.insert(commandLine.begin(), '"');
    commandLine.push_back('"');

    Startup startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;  // normal window with the focus
    PROCESS_INFORMATION process{};
    if (!create(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

bool startProgram(const std::string& programPath)
{
    if (programPath.empty())
        return false;
    if (fitsAnsi(programPath))
        return start<STARTUPINFOA>(utf8ToAnsi(programPath), CreateProcessA);
    return start<STARTUPINFOW>(utf8ToWide(programPath), CreateProcessW);
}

}  // namespace vellumar::win
