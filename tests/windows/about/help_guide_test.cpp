// Help without a CHM viewer: which targets have an HTML guide, and when the
// guide is opened instead.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "runtime/help_guide.h"

namespace vellumar {
namespace {

// Opens only the targets it is told to, and records every attempt.
class ScriptedShell final : public ShellOpen {
public:
    explicit ScriptedShell(std::set<std::string> opens) : opens_(std::move(opens)) {}
    bool open(const ShellOpenRequest& request) override
    {
        targets.push_back(request.target);
        directories.push_back(request.directory);
        return opens_.count(request.target) > 0;
    }
    std::vector<std::string> targets;
    std::vector<std::string> directories;

private:
    std::set<std::string> opens_;
};

TEST(HtmlGuideFor, OnlyHelpFilesHaveAGuide)
{
    EXPECT_EQ(htmlGuideFor("/opt/v/vellumar100.chm"), "/opt/v/help/index.html");
    EXPECT_EQ(htmlGuideFor("/opt/v/VELLUMAR100.CHM"), "/opt/v/help/index.html");
    EXPECT_EQ(htmlGuideFor("https://vellumar.example/"), "");
    EXPECT_EQ(htmlGuideFor("/opt/v/vellumar100.chm.txt"), "");
    EXPECT_EQ(htmlGuideFor(".chm"), "");
}

TEST(HelpGuideShellOpen, OpensTheGuideOnlyWhenTheHelpFileFails)
{
    const auto folder = std::filesystem::temp_directory_path() / ("vellumar_help_guide_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "help");
    std::ofstream(folder / "help" / "index.html") << "<html></html>";
    const std::string chm = (folder / "vellumar100.chm").string();
    const std::string guide = (folder / "help" / "index.html").string();
    const std::string missingChm = "/nonexistent/vellumar100.chm";
    const std::string site = "https://vellumar.example/";

    struct Case {
        std::string target;
        std::set<std::string> opens;
        bool opened;
        std::vector<std::string> tried;
    };
    const Case cases[] = {
        {chm, {chm}, true, {chm}},                      // a CHM viewer: the help file as before
        {chm, {guide}, true, {chm, guide}},             // none: the guide in the browser
        {chm, {}, false, {chm, guide}},                 // no browser either: the caller's message
        {missingChm, {}, false, {missingChm}},          // no guide on disk: nothing more is tried
        {site, {}, false, {site}},                      // a web address has no guide
    };
    for (const Case& c : cases) {
        ScriptedShell shell(c.opens);
        HelpGuideShellOpen help(shell);
        ShellOpenRequest request;
        request.target = c.target;
        request.directory = folder.string();
        EXPECT_EQ(help.open(request), c.opened) << c.target;
        EXPECT_EQ(shell.targets, c.tried) << c.target;
        for (const std::string& directory : shell.directories)
            EXPECT_EQ(directory, folder.string());
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vellumar
