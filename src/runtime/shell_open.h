#pragma once

#include <cstdint>
#include <string>

namespace vellumar {

// SW_SHOWNORMAL: show the opened program's window normally and activate it.
inline constexpr int kShowNormal = 1;

// What the shell is asked to open. Texts are UTF-8.
struct ShellOpenRequest {
    std::uintptr_t ownerWindow = 0;  // native handle of the owner window
    std::string operation;           // "Open"
    std::string target;              // web address or file path
    std::string directory;           // working directory for the opened program
    int showCommand = kShowNormal;
};

// Opens a document or web address with whatever the system has registered
// for it. Returns false when the open could not be started.
class ShellOpen {
public:
    virtual ~ShellOpen() = default;
    virtual bool open(const ShellOpenRequest& request) = 0;
};

}  // namespace vellumar
