#include "runtime/desktop.h"

#include "runtime/clipboard.h"
#include "runtime/win/windows_services.h"

namespace vellumar {
namespace {

// The Windows desktop: the shell, CreateProcess, FindFirstFile and the
// registry, through the toolkit-free calls of windows_services.h.
class SystemDesktop final : public ClipboardDesktop {
public:
    void open(const ShellOpenRequest& request, std::function<void(bool)> done) override
    {
        done(win::shellOpen(request));  // the shell answers at once
    }
    bool startProgram(const std::string& programPath) override { return win::startProgram(programPath); }
    std::string findFile(const std::string& path) override { return win::findFile(path); }
    Registry& registry() override { return *registry_; }

private:
    std::unique_ptr<Registry> registry_ = win::makeRegistry();
};

}  // namespace

std::unique_ptr<Desktop> makeSystemDesktop()
{
    return std::make_unique<SystemDesktop>();
}

}  // namespace vellumar
