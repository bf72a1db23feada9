#pragma once

// The Linux desktop's stand-ins for the Windows shell, program start and
// file search (used by makeSystemDesktop).

#include <QObject>

#include <string>

#include "runtime/desktop.h"

namespace vellumar {

// Opens a target with xdg-open. xdg-open is given at most waitMs to fail:
// an exit code other than 0 (2 missing file, 3 no handler, 4 action failed)
// is a failure, still running after the wait is a success (xdg-open waits
// for the browser it started in a bare session). A local target that does
// not exist fails before anything is started. An opener still running after
// the wait is reaped when it ends; one still running when the service goes
// (the program ends) is stopped then, while what it started goes on.
class XdgShellOpen final {
public:
    static constexpr int kDefaultWaitMs = 1500;

    explicit XdgShellOpen(int waitMs = kDefaultWaitMs, std::string opener = "xdg-open");
    ~XdgShellOpen();
    XdgShellOpen(const XdgShellOpen&) = delete;
    XdgShellOpen& operator=(const XdgShellOpen&) = delete;
    bool open(const ShellOpenRequest& request);
    // Openers started and not yet ended.
    int runningOpeners() const;

private:
    int waitMs_;
    std::string opener_;
    QObject openers_;  // parent of the openers still running
};

// Starts the program at a path with no arguments, detached from this one.
bool startDetached(const std::string& programPath);

// Desktop::findFile over a directory listing: the first regular file, in
// name order; names starting with a dot count as hidden.
std::string findFileInFolder(const std::string& path);

// The full path of the first graphical system-information tool of a short
// list found in the folders of pathVariable (a PATH value), or empty text.
std::string findSystemInfoTool(const std::string& pathVariable);

// The first page of the HTML guide that belongs to a help file (a path ending
// in ".chm"): index.html in the folder "help" beside it. Empty text for any
// other target.
std::string htmlGuideFor(const std::string& target);

}  // namespace vellumar
