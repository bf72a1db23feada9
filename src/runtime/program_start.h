#pragma once

#include <string>

namespace vellumar {

// Starts a program by its path (never split into words), in a normal window
// with the focus, without waiting for it. Returns false when it cannot be
// started.
class ProgramStart {
public:
    virtual ~ProgramStart() = default;
    virtual bool start(const std::string& programPath) = 0;
};

}  // namespace vellumar
