#pragma once

// The Linux desktop's stand-ins for the Windows shell, program start and
// file search.

#include <QObject>

#include <string>

#include "runtime/file_lookup.h"
#include "runtime/program_start.h"
#include "runtime/shell_open.h"

namespace vellumar {

// Opens a target with xdg-open. xdg-open is given at most waitMs to fail:
// an exit code other than 0 (2 missing file, 3 no handler, 4 action failed)
// is a failure, still running after the wait is a success (xdg-open waits
// for the browser it started in a bare session). A local target that does
// not exist fails before anything is started. An opener still running after
// the wait is reaped when it ends; one still running when the service goes
// (the program ends) is stopped then, while what it started goes on.
class XdgShellOpen final : public ShellOpen {
public:
    static constexpr int kDefaultWaitMs = 1500;

    explicit XdgShellOpen(int waitMs = kDefaultWaitMs, std::string opener = "xdg-open");
    ~XdgShellOpen() override;
    bool open(const ShellOpenRequest& request) override;
    // Openers started and not yet ended.
    int runningOpeners() const;

private:
    int waitMs_;
    std::string opener_;
    QObject openers_;  // parent of the openers still running
};

// Starts the program at a path with no arguments, detached from this one.
class DetachedProgramStart final : public ProgramStart {
public:
    bool start(const std::string& programPath) override;
};

// Finds the first regular file, in name order, matching a path whose last
// part may hold the wildcards * and ?. Hidden files (names starting with a
// dot), folders and anything that is not a regular file are not found.
class PosixFileLookup final : public FileLookup {
public:
    std::string findFile(const std::string& path) override;
};

// The full path of the first graphical system-information tool of a short
// list found in the folders of pathVariable (a PATH value), or empty text.
std::string findSystemInfoTool(const std::string& pathVariable);

}  // namespace vellumar
