#pragma once

// Help without a CHM viewer: the help file's pages also lie as HTML in the
// folder "help" beside it.

#include <string>

#include "runtime/shell_open.h"

namespace vellumar {

// The first page of the HTML guide that belongs to a help file (a path ending
// in ".chm"): index.html in the folder "help" beside it. Empty text for any
// other target.
std::string htmlGuideFor(const std::string& target);

// Opens targets with another shell open; when a help file cannot be opened
// (no CHM viewer, say), opens the first page of its HTML guide instead, if
// that page exists. Fails only when both fail.
class HelpGuideShellOpen final : public ShellOpen {
public:
    explicit HelpGuideShellOpen(ShellOpen& shell) : shell_(shell) {}
    bool open(const ShellOpenRequest& request) override;

private:
    ShellOpen& shell_;
};

}  // namespace vellumar
