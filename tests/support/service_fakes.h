#pragma once

// Recording stand-ins for the toolkit-free runtime services (file lookup,
// program start); usable in GoogleTest tests on every platform.

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/file_lookup.h"
#include "runtime/program_start.h"
#include "runtime/shell_open.h"

namespace vellumar::testing {

// Finds exactly the paths it was given, answering with their last part.
class FakeFileLookup final : public FileLookup {
public:
    std::string findFile(const std::string& path) override
    {
        asked.push_back(path);
        if (!existing.contains(path))
            return {};
        const auto cut = path.find_last_of("\\/");
        return cut == std::string::npos ? path : path.substr(cut + 1);
    }

    std::set<std::string> existing;
    std::vector<std::string> asked;
};

// Records each program asked for; starts only those it was told exist.
class FakeProgramStart final : public ProgramStart {
public:
    bool start(const std::string& programPath) override
    {
        asked.push_back(programPath);
        if (throwOnStart)
            throw std::runtime_error("start failed");
        return existing.contains(programPath);
    }

    std::set<std::string> existing;
    std::vector<std::string> asked;
    bool throwOnStart = false;
};

// Records each open the shell is asked for and answers with `result`.
class RecordingShellOpen final : public ShellOpen {
public:
    bool open(const ShellOpenRequest& request) override
    {
        requests.push_back(request);
        return result;
    }

    std::vector<ShellOpenRequest> requests;
    bool result = true;
};

}  // namespace vellumar::testing
