#include "runtime/platform_services.h"

#include "runtime/file_service.h"
#include "runtime/save_dialog.h"

namespace vellumar {

struct PlatformServices::Impl {
    QtSaveDialog saveDialog;
    QtFileService files;
};

PlatformServices::PlatformServices() : impl_(std::make_unique<Impl>()) {}
PlatformServices::~PlatformServices() = default;

void PlatformServices::fill(Runtime& runtime)
{
    runtime.saveDialog = &impl_->saveDialog;
    runtime.files = &impl_->files;
}

}  // namespace vellumar
