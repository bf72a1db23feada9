#include "runtime/platform_services.h"

#include "runtime/file_service.h"
#include "runtime/save_dialog.h"

#include <cstdlib>

#include "runtime/desktop_services.h"
#include "runtime/memory_registry.h"
#include "windows/about/core/sys_info.h"

namespace vellumar {

struct PlatformServices::Impl {
    QtSaveDialog saveDialog;
    QtFileService files;
    XdgShellOpen shell;
    MemoryRegistry registry;
    PosixFileLookup fileLookup;
    DetachedProgramStart programStart;
};

PlatformServices::PlatformServices() : impl_(std::make_unique<Impl>()) {}
PlatformServices::~PlatformServices() = default;

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

}  // namespace vellumar
