#pragma once

// A recording desktop, free of the toolkit: GoogleTest tests on every
// platform and the widget tests use it.

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/desktop.h"
#include "runtime/memory_registry.h"

namespace vellumar::testing {

class FakeDesktop final : public Desktop {
public:
    void setClipboardText(const std::string& text) override { clipboard.push_back(text); }
    void keepClipboardAfterExit() override { ++keptAfterExit; }
    void open(const ShellOpenRequest& request, std::function<void(bool)> done) override
    {
        opened.push_back(request);
        done(openSucceeds);
    }
    bool startProgram(const std::string& programPath) override
    {
        started.push_back(programPath);
        if (throwOnStart)
            throw std::runtime_error("start failed");
        return programs.contains(programPath);
    }
    // Finds exactly the paths in files, answering with their last part.
    std::string findFile(const std::string& path) override
    {
        lookedUp.push_back(path);
        return files.contains(path) ? path.substr(path.find_last_of("\\/") + 1) : std::string();
    }
    Registry& registry() override { return *registryInUse; }
    std::string systemInfoTool() override { return namedTool; }

    std::vector<std::string> clipboard;
    int keptAfterExit = 0;
    std::vector<ShellOpenRequest> opened;
    bool openSucceeds = true;
    std::set<std::string> programs;  // the paths that start
    std::vector<std::string> started;
    bool throwOnStart = false;
    std::set<std::string> files;
    std::vector<std::string> lookedUp;
    MemoryRegistry memory;
    Registry* registryInUse = &memory;
    std::string namedTool;
};

}  // namespace vellumar::testing
