#include "runtime/platform_services.h"

namespace vellumar {

struct PlatformServices::Impl {
};

PlatformServices::PlatformServices() : impl_(std::make_unique<Impl>()) {}
PlatformServices::~PlatformServices() = default;

void PlatformServices::fill(Runtime& runtime)
{
    (void)runtime;
}

}  // namespace vellumar
