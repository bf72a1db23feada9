#include "runtime/desktop.h"

#include <QString>

#include "runtime/clipboard.h"

#if defined(_WIN32)
#include "runtime/win/windows_services.h"
#else
#include <cstdlib>

#include "runtime/memory_registry.h"
#include "runtime/posix_desktop.h"
#endif

namespace vellumar {
namespace {

class SystemDesktop final : public Desktop {
public:
    SystemDesktop();

    void setClipboardText(const std::string& text) override
    {
        setClipboardPassword(QString::fromStdString(text));
    }
    void keepClipboardAfterExit() override { vellumar::keepClipboardAfterExit(); }
    void open(const ShellOpenRequest& request, std::function<void(bool)> done) override;
    bool startProgram(const std::string& programPath) override;
    std::string findFile(const std::string& path) override;
    Registry& registry() override { return *registry_; }
    std::string systemInfoTool() override;

private:
#if defined(_WIN32)
    std::unique_ptr<Registry> registry_ = win::makeRegistry();
#else
    std::unique_ptr<MemoryRegistry> registry_ = std::make_unique<MemoryRegistry>();  // stays empty
    XdgShellOpen xdg_;
#endif
};

#if defined(_WIN32)

SystemDesktop::SystemDesktop() = default;

void SystemDesktop::open(const ShellOpenRequest& request, std::function<void(bool)> done)
{
    done(win::shellOpen(request));  // the shell answers at once
}

bool SystemDesktop::startProgram(const std::string& programPath)
{
    return win::startProgram(programPath);
}

std::string SystemDesktop::findFile(const std::string& path)
{
    return win::findFile(path);
}

std::string SystemDesktop::systemInfoTool()
{
    return {};  // the registry names it
}

#else

SystemDesktop::SystemDesktop() = default;

std::string SystemDesktop::systemInfoTool()
{
    // There is no registry here: the tool is the first one found on PATH,
    // looked up when the About window asks (not before the first window).
    const char* path = std::getenv("PATH");
    return findSystemInfoTool(path ? path : "");
}

void SystemDesktop::open(const ShellOpenRequest& request, std::function<void(bool)> done)
{
    xdg_.open(request, std::move(done));
}

bool SystemDesktop::startProgram(const std::string& programPath)
{
    return startDetached(programPath);
}

std::string SystemDesktop::findFile(const std::string& path)
{
    return findFileInFolder(path);
}

#endif

}  // namespace

std::unique_ptr<Desktop> makeSystemDesktop()
{
    return std::make_unique<SystemDesktop>();
}

}  // namespace vellumar
