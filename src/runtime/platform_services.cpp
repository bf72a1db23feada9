#include "runtime/platform_services.h"

#include "runtime/file_service.h"
#include "runtime/save_dialog.h"

#if defined(_WIN32)
#include "runtime/win/windows_services.h"
#else
#include <cstdlib>

#include "runtime/desktop_services.h"
#include "runtime/help_guide.h"
#include "runtime/memory_registry.h"
#include "windows/about/core/sys_info.h"
#endif

namespace vellumar {

#if defined(_WIN32)

struct PlatformServices::Impl {
    QtSaveDialog saveDialog;
    QtFileService files;
    win::WindowsServices system = win::makeWindowsServices();
};

void PlatformServices::fill(Runtime& runtime)
{
    runtime.saveDialog = &impl_->saveDialog;
    runtime.files = &impl_->files;
    runtime.shell = impl_->system.shell.get();
    runtime.registry = impl_->system.registry.get();
    runtime.fileLookup = impl_->system.fileLookup.get();
    runtime.programStart = impl_->system.programStart.get();
}

#else

struct PlatformServices::Impl {
    QtSaveDialog saveDialog;
    QtFileService files;
    XdgShellOpen xdg;
    HelpGuideShellOpen shell{xdg};
    MemoryRegistry registry;
    PosixFileLookup fileLookup;
    DetachedProgramStart programStart;
};

void PlatformServices::fill(Runtime& runtime)
{
    runtime.saveDialog = &impl_->saveDialog;
    runtime.files = &impl_->files;
    runtime.shell = &impl_->shell;
    runtime.registry = &impl_->registry;
    runtime.fileLookup = &impl_->fileLookup;
    runtime.programStart = &impl_->programStart;

    // There is no registry here: publish the system-information tool found
    // on PATH where the About window looks for it.
    const char* path = std::getenv("PATH");
    const std::string tool = findSystemInfoTool(path ? path : "");
    if (!tool.empty())
        impl_->registry.setText(kHkeyLocalMachine, kSysInfoKey, kSysInfoValue, tool);
}

#endif

PlatformServices::PlatformServices() : impl_(std::make_unique<Impl>()) {}
PlatformServices::~PlatformServices() = default;

}  // namespace vellumar
