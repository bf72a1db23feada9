#pragma once

#include <string>

namespace vellumar {

// Looks a path up the way the system-information start expects: the name
// (without folder) of the first ordinary file that matches, or empty text.
// Hidden files, system files and folders are not found.
class FileLookup {
public:
    virtual ~FileLookup() = default;
    virtual std::string findFile(const std::string& path) = 0;
};

}  // namespace vellumar
