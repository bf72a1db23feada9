#pragma once

#include <memory>

#include "runtime/runtime.h"

namespace vellumar {

// Owns this platform's implementations of the services that reach outside
// the toolkit (files, shell, registry, program start) and puts them into a
// Runtime.
class PlatformServices {
public:
    PlatformServices();
    ~PlatformServices();
    void fill(Runtime& runtime);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vellumar
