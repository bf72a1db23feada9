// The Windows services over the real system calls (advapi32, shell32,
// kernel32). Runs only in the Windows build (under wine when cross-built).
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "runtime/win/windows_services.h"
#include "win_test_support.h"

namespace vellumar {
namespace {

using namespace std::chrono_literals;
using testing::ScratchFolder;
using testing::markerOf;
using testing::placeMarkerTool;
using testing::waitForMarker;

void touch(const std::filesystem::path& file)
{
    std::ofstream(file) << "x";
}

void setAttributes(const std::filesystem::path& file, DWORD attributes)
{
    ASSERT_TRUE(SetFileAttributesA(file.string().c_str(), attributes));
    ASSERT_EQ(GetFileAttributesA(file.string().c_str()) & attributes, attributes)
        << "the file system keeps no DOS attributes for " << file;
}

TEST(WindowsFileLookup, FindsOnlyOrdinaryFiles)
{
    ScratchFolder folder;
    const auto& dir = folder.path();
    touch(dir / "a-hidden.txt");
    touch(dir / "b-system.txt");
    std::filesystem::create_directory(dir / "c-folder.txt");
    touch(dir / "d-plain.txt");
    touch(dir / "e-readonly.txt");
    setAttributes(dir / "a-hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    setAttributes(dir / "b-system.txt", FILE_ATTRIBUTE_SYSTEM);
    setAttributes(dir / "e-readonly.txt", FILE_ATTRIBUTE_READONLY);

    auto lookup = win::makeWindowsFileLookup();
    const std::string base = folder.text() + "\\";
    EXPECT_EQ(lookup->findFile(base + "a-hidden.txt"), "");
    EXPECT_EQ(lookup->findFile(base + "b-system.txt"), "");
    EXPECT_EQ(lookup->findFile(base + "c-folder.txt"), "");
    EXPECT_EQ(lookup->findFile(base + "d-plain.txt"), "d-plain.txt");
    EXPECT_EQ(lookup->findFile(base + "D-PLAIN.TXT"), "d-plain.txt");  // no regard to case
    EXPECT_EQ(lookup->findFile(base + "e-readonly.txt"), "e-readonly.txt");
    EXPECT_EQ(lookup->findFile(base + "missing.txt"), "");
    EXPECT_EQ(lookup->findFile(base + "no-folder\\d-plain.txt"), "");
    EXPECT_EQ(lookup->findFile(""), "");
    // A pattern passes over what is not ordinary to the first file that is.
    const std::string first = lookup->findFile(base + "*.txt");
    EXPECT_TRUE(first == "d-plain.txt" || first == "e-readonly.txt") << first;

    SetFileAttributesA((dir / "e-readonly.txt").string().c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The program's text is UTF-8; the ...A calls take the ANSI code page.
TEST(WindowsFileLookup, PassesNamesThroughTheAnsiCodePage)
{
    const std::wstring wideName = L"Gr\u00fc\u00dfe \u00e9t\u00e9.txt";  // Grüße été.txt
    BOOL lossy = FALSE;
    char ansi[64];
    if (GetACP() == CP_UTF8 ||
        WideCharToMultiByte(CP_ACP, 0, wideName.c_str(), -1, ansi, sizeof ansi, nullptr, &lossy) == 0 ||
        lossy)
        GTEST_SKIP() << "the ANSI code page " << GetACP() << " lacks these letters";

    ScratchFolder folder;
    std::ofstream(folder.path() / wideName) << "x";
    const std::string utf8Name = "Gr\xc3\xbc\xc3\x9f" "e \xc3\xa9t\xc3\xa9.txt";
    auto lookup = win::makeWindowsFileLookup();
    EXPECT_EQ(lookup->findFile(folder.text() + "\\" + utf8Name), utf8Name);
    EXPECT_EQ(lookup->findFile(folder.text() + "\\Gr*.txt"), utf8Name);

    const auto tool = folder.path() / L"\u00c4rger" / "tool.exe";  // Ärger\tool.exe
    placeMarkerTool(tool);
    auto start = win::makeWindowsProgramStart();
    ASSERT_TRUE(start->start(folder.text() + "\\\xc3\x84rger\\tool.exe"));
    EXPECT_TRUE(waitForMarker(tool, 15s).has_value()) << "the tool did not run";
}

TEST(WindowsProgramStart, StartsThePathAsAWholeWithoutSplittingAtBlanks)
{
    ScratchFolder folder;
    // "<scratch>\System Tools\info.exe", with a decoy "<scratch>\System.exe"
    // that a command line split at the blank would start instead.
    const auto tool = folder.path() / "System Tools" / "info.exe";
    const auto decoy = folder.path() / "System.exe";
    placeMarkerTool(tool);
    placeMarkerTool(decoy);

    auto start = win::makeWindowsProgramStart();
    ASSERT_TRUE(start->start(tool.string()));
    EXPECT_TRUE(waitForMarker(tool, 15s).has_value()) << "the tool did not run";
    EXPECT_FALSE(std::filesystem::exists(markerOf(decoy))) << "the decoy ran";

    EXPECT_FALSE(start->start((folder.path() / "System Tools" / "missing.exe").string()));
    EXPECT_FALSE(start->start((folder.path() / "System Tools").string()));  // a folder
    EXPECT_FALSE(start->start(""));
}

TEST(WindowsShellOpen, ReportsAMissingFileAsFailure)
{
    ScratchFolder folder;
    auto shell = win::makeWindowsShellOpen();
    ShellOpenRequest request;
    request.operation = "Open";
    request.target = folder.text() + "\\vellumar100.chm";
    request.directory = folder.text();
    EXPECT_FALSE(shell->open(request));
}

TEST(WindowsShellOpen, OpensAProgramInTheGivenFolder)
{
    ScratchFolder folder;
    const auto tool = folder.path() / "Shell Target" / "opened.exe";
    const auto workDir = folder.path() / "Work Dir";
    placeMarkerTool(tool);
    std::filesystem::create_directories(workDir);

    auto shell = win::makeWindowsShellOpen();
    ShellOpenRequest request;
    request.operation = "Open";
    request.target = tool.string();
    request.directory = workDir.string();
    ASSERT_TRUE(shell->open(request));
    const auto startedIn = waitForMarker(tool, 15s);
    ASSERT_TRUE(startedIn.has_value()) << "the shell did not start the program";
    EXPECT_TRUE(std::filesystem::equivalent(*startedIn, workDir)) << *startedIn;
}

}  // namespace
}  // namespace vellumar
