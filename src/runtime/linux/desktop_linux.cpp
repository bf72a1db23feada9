#include "runtime/desktop.h"

#include <cstdlib>

#include "runtime/clipboard.h"
#include "runtime/linux/desktop_services.h"
#include "runtime/memory_registry.h"

namespace vellumar {
namespace {

// The Linux desktop: xdg-open for the shell, a detached start for programs,
// a folder listing for the file lookup, and no registry.
class SystemDesktop final : public ClipboardDesktop {
public:
    void open(const ShellOpenRequest& request, std::function<void(bool)> done) override
    {
        xdg_.open(request, std::move(done));
    }
    bool startProgram(const std::string& programPath) override { return startDetached(programPath); }
    std::string findFile(const std::string& path) override { return findFileInFolder(path); }
    Registry& registry() override { return registry_; }
    // The first tool found on PATH, looked up when the About window asks
    // (not before the first window is up).
    std::string systemInfoTool() override
    {
        const char* path = std::getenv("PATH");
        return findSystemInfoTool(path ? path : "");
    }

private:
    MemoryRegistry registry_;  // stays empty
    XdgShellOpen xdg_;
};

}  // namespace

std::unique_ptr<Desktop> makeSystemDesktop()
{
    return std::make_unique<SystemDesktop>();
}

}  // namespace vellumar
