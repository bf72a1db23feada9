#pragma once

// What the windows ask of the desktop: the clipboard, opening documents and
// web addresses, starting programs, finding files and reading the registry
// (where the system-information tool is registered). Free of the toolkit, so
// that the same flows run over the Windows calls in toolkit-free tests.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "runtime/registry.h"

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

class Desktop {
public:
    virtual ~Desktop() = default;

    // Puts text (UTF-8) on the system clipboard as plain text, marked as a
    // secret so that clipboard managers keep it out of their history.
    virtual void setClipboardText(const std::string& text) = 0;
    // Called as the program ends: while the program still owns the clipboard,
    // its text stays there after the program has gone.
    virtual void keepClipboardAfterExit() = 0;

    // Opens a document or web address with whatever the system has registered
    // for it, without holding up the windows: done is called once, with false
    // when the open failed, later from the event loop or before open returns.
    virtual void open(const ShellOpenRequest& request, std::function<void(bool opened)> done) = 0;

    // Starts a program by its path (never split into words), in a normal
    // window with the focus, without waiting for it. False when it cannot be
    // started.
    virtual bool startProgram(const std::string& programPath) = 0;

    // The name (without folder) of the first ordinary file that matches a
    // path whose last part may hold the wildcards * and ?, or empty text.
    // Hidden files, system files and folders are not found.
    virtual std::string findFile(const std::string& path) = 0;

    virtual Registry& registry() = 0;
    // The system-information tool where the platform names it without the
    // registry, or empty text: then StartSysInfo looks in the registry.
    virtual std::string systemInfoTool() { return {}; }
};

// This system's desktop: the clipboard through the toolkit; the shell,
// program start, file search and registry of Windows, or on Linux xdg-open
// (XdgShellOpen: the HTML guide for a help file no viewer is registered for),
// a detached process, a directory search, an empty registry and, as the
// system-information tool, the first one found on PATH at start.
std::unique_ptr<Desktop> makeSystemDesktop();

}  // namespace vellumar
