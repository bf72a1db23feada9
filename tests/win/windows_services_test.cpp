// The Windows calls behind the desktop, for real (shell32, kernel32). Runs
// only in the Windows build (under wine when cross-built). The programs they
// start are copies of marker_tool, which leaves a marker file.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

#include "runtime/win/windows_services.h"

namespace vellumar {
namespace {

namespace fs = std::filesystem;

// A fresh folder below the temporary folder, removed at the end of the test.
struct ScratchFolder {
    ScratchFolder() { fs::create_directories(path); }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string text() const { return path.string(); }
    const fs::path path = fs::temp_directory_path() / ("vellumar-test-" + std::to_string(GetCurrentProcessId()) +
                                                       "-" + std::to_string(GetTickCount64()));
};

// Puts a copy of the marker tool (built beside this test) at target.
void placeMarkerTool(const fs::path& target)
{
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    fs::create_directories(target.parent_path());
    fs::copy_file(fs::path(std::string(self, length)).parent_path() / "marker_tool.exe", target,
                  fs::copy_options::overwrite_existing);
}

// The folder the tool at `tool` was started in, once it has left its marker;
// nothing when it does not run within a generous bound.
std::optional<std::string> waitForMarker(fs::path tool)
{
    const fs::path marker = tool += ".ran";
    for (int i = 0; i < 300; ++i) {
        if (fs::exists(marker)) {
            // The tool may still be writing: wait until it lets go of the file.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            std::ifstream in(marker, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), {});
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

TEST(WindowsDesktop, FindsOnlyOrdinaryFiles)
{
    ScratchFolder folder;
    for (const char* name : {"a-hidden.txt", "b-system.txt", "d-plain.txt", "e-readonly.txt"})
        std::ofstream(folder.path / name) << "x";
    fs::create_directory(folder.path / "c-folder.txt");
    for (const auto& [name, attribute] : {std::pair{"a-hidden.txt", FILE_ATTRIBUTE_HIDDEN},
                                          {"b-system.txt", FILE_ATTRIBUTE_SYSTEM},
                                          {"e-readonly.txt", FILE_ATTRIBUTE_READONLY}}) {
        const std::string file = (folder.path / name).string();
        ASSERT_TRUE(SetFileAttributesA(file.c_str(), attribute));
        ASSERT_EQ(GetFileAttributesA(file.c_str()) & attribute, attribute) << "no DOS attributes for " << file;
    }
    const std::string base = folder.text() + "\\";
    const std::pair<std::string, std::string> cases[] = {
        {"a-hidden.txt", ""},   {"b-system.txt", ""},         {"c-folder.txt", ""},
        {"d-plain.txt", "d-plain.txt"}, {"D-PLAIN.TXT", "d-plain.txt"}, {"e-readonly.txt", "e-readonly.txt"},
        {"missing.txt", ""},    {"no-folder\\d-plain.txt", ""},
    };
    for (const auto& [name, found] : cases)
        EXPECT_EQ(win::findFile(base + name), found) << name;
    EXPECT_EQ(win::findFile(""), "");
    // A pattern passes over what is not ordinary to the first file that is.
    const std::string first = win::findFile(base + "*.txt");
    EXPECT_TRUE(first == "d-plain.txt" || first == "e-readonly.txt") << first;
    SetFileAttributesA((folder.path / "e-readonly.txt").string().c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The program's text is UTF-8; the ...A calls take the ANSI code page.
TEST(WindowsDesktop, PassesNamesThroughTheAnsiCodePage)
{
    const std::wstring wideName = L"Gr\u00fc\u00dfe \u00e9t\u00e9.txt";  // Grüße été.txt
    BOOL lossy = FALSE;
    char ansi[64];
    if (GetACP() == CP_UTF8 ||
        WideCharToMultiByte(CP_ACP, 0, wideName.c_str(), -1, ansi, sizeof ansi, nullptr, &lossy) == 0 || lossy)
        GTEST_SKIP() << "the ANSI code page " << GetACP() << " lacks these letters";
    ScratchFolder folder;
    std::ofstream(folder.path / wideName) << "x";
    const std::string utf8Name = "Gr\xc3\xbc\xc3\x9f" "e \xc3\xa9t\xc3\xa9.txt";
    EXPECT_EQ(win::findFile(folder.text() + "\\" + utf8Name), utf8Name);
    EXPECT_EQ(win::findFile(folder.text() + "\\Gr*.txt"), utf8Name);

    const auto tool = folder.path / L"\u00c4rger" / "tool.exe";  // Ärger\tool.exe
    placeMarkerTool(tool);
    ASSERT_TRUE(win::startProgram(folder.text() + "\\\xc3\x84rger\\tool.exe"));
    EXPECT_TRUE(waitForMarker(tool)) << "the tool did not run";
}

TEST(WindowsDesktop, StartsThePathAsAWholeAndOpensInTheGivenFolder)
{
    ScratchFolder folder;
    // "<scratch>\System Tools\info.exe", with a decoy "<scratch>\System.exe"
    // that a command line split at the blank would start instead.
    const auto tool = folder.path / "System Tools" / "info.exe";
    const auto decoy = folder.path / "System.exe";
    placeMarkerTool(tool);
    placeMarkerTool(decoy);
    ASSERT_TRUE(win::startProgram(tool.string()));
    EXPECT_TRUE(waitForMarker(tool)) << "the tool did not run";
    EXPECT_FALSE(fs::exists(fs::path(decoy) += ".ran")) << "the decoy ran";
    EXPECT_FALSE(win::startProgram((folder.path / "System Tools" / "missing.exe").string()));
    EXPECT_FALSE(win::startProgram((folder.path / "System Tools").string()));  // a folder
    EXPECT_FALSE(win::startProgram(""));

    const auto opened = folder.path / "Shell Target" / "opened.exe";
    const auto workDir = folder.path / "Work Dir";
    placeMarkerTool(opened);
    fs::create_directories(workDir);
    ShellOpenRequest request;
    request.operation = "Open";
    request.target = opened.string();
    request.directory = workDir.string();
    ASSERT_TRUE(win::shellOpen(request));
    const auto startedIn = waitForMarker(opened);
    ASSERT_TRUE(startedIn) << "the shell did not start the program";
    EXPECT_TRUE(fs::equivalent(*startedIn, workDir)) << *startedIn;
    request.target = folder.text() + "\\vellumar100.chm";
    EXPECT_FALSE(win::shellOpen(request));
}

}  // namespace
}  // namespace vellumar
