#include "runtime/win/windows_services.h"

namespace vellumar::win {

WindowsServices makeWindowsServices()
{
    WindowsServices services;
    services.registry = makeWindowsRegistry();
    services.shell = makeWindowsShellOpen();
    services.fileLookup = makeWindowsFileLookup();
    services.programStart = makeWindowsProgramStart();
    return services;
}

}  // namespace vellumar::win
