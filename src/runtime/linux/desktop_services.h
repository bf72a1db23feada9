#pragma once

// The Linux desktop's stand-ins for the Windows shell, program start and
// file search (used by makeSystemDesktop).

#include <QObject>
#include <QStringList>

#include <functional>
#include <string>

#include "runtime/desktop.h"

namespace vellumar {

// Opens targets with xdg-open without waiting for it: the answer comes from
// the opener's exit status (0 opened; 2 missing file, 3 no handler, 4 action
// failed), however long it runs (in a bare session xdg-open waits for the
// browser it started). A local target that does not exist fails before
// anything is started. A help file (a path ending in ".chm") is opened only
// when the desktop has an application registered for its type (asked of
// xdg-mime); else, or when its open fails, its HTML guide (htmlGuideFor) is
// opened if it is there. Openers still running when the service goes (the
// program ends) are stopped then, while what they started goes on.
class XdgShellOpen final {
public:
    // The help file's type, as xdg-open's own lookup names it.
    static constexpr char kHelpFileType[] = "application/vnd.ms-htmlhelp";

    explicit XdgShellOpen(std::string opener = "xdg-open", std::string mimeQuery = "xdg-mime");
    ~XdgShellOpen();
    XdgShellOpen(const XdgShellOpen&) = delete;
    XdgShellOpen& operator=(const XdgShellOpen&) = delete;
    // Calls done once, with whether the target (or the guide) was opened:
    // from the event loop once an opener has ended, or before returning when
    // nothing could be started.
    void open(const ShellOpenRequest& request, std::function<void(bool opened)> done);
    // Helper processes started and not yet ended.
    int runningOpeners() const;

private:
    using Finished = std::function<void(bool succeeded, const QByteArray& output)>;
    // Starts program in folder; finished gets whether it ended with status 0
    // and, when readOutput, its standard output.
    void run(const std::string& program, const QStringList& arguments, const QString& folder, bool readOutput,
             Finished finished);
    void openFile(const QString& target, const QString& folder, std::function<void(bool)> done);
    void openGuide(const QString& helpFile, const QString& folder, std::function<void(bool)> done);

    std::string opener_;
    std::string mimeQuery_;
    QObject processes_;  // parent of the helper processes still running
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
