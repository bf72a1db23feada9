// File lookup and program start over the real Windows calls (under wine when
// cross-built). The program started is a copy of marker_tool.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
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
    std::string operator/(const std::string& name) const { return path.string() + "\\" + name; }
    const fs::path path = fs::temp_directory_path() / ("vellumar-test-" + std::to_string(GetCurrentProcessId()) +
                                                       "-" + std::to_string(GetTickCount64()));
};

TEST(WindowsDesktop, FindsOnlyOrdinaryFiles)
{
    ScratchFolder folder;
    fs::create_directory(folder.path / "c-folder.txt");
    for (const auto& [name, attribute] : {std::pair{"a-hidden.txt", FILE_ATTRIBUTE_HIDDEN},
                                          {"b-system.txt", FILE_ATTRIBUTE_SYSTEM},
                                          {"d-archived.txt", FILE_ATTRIBUTE_ARCHIVE},
                                          {"e-readonly.txt", FILE_ATTRIBUTE_READONLY}}) {
        std::ofstream(folder / name) << "x";
        ASSERT_TRUE(SetFileAttributesA((folder / name).c_str(), attribute));
        ASSERT_EQ(GetFileAttributesA((folder / name).c_str()) & attribute, attribute) << "no DOS attributes: " << name;
    }
    const std::pair<std::string, std::string> cases[] = {
        {"a-hidden.txt", ""}, {"b-system.txt", ""}, {"c-folder.txt", ""}, {"missing.txt", ""},
        {"no-folder\\d-archived.txt", ""}, {"d-archived.txt", "d-archived.txt"},
        {"D-ARCHIVED.TXT", "d-archived.txt"}, {"e-readonly.txt", "e-readonly.txt"},
    };
    for (const auto& [name, found] : cases)
        EXPECT_EQ(win::findFile(folder / name), found) << name;
    EXPECT_EQ(win::findFile(""), "");
    // A pattern passes over what is not ordinary to the first file that is.
    const std::string first = win::findFile(folder / "*.txt");
    EXPECT_TRUE(first == "d-archived.txt" || first == "e-readonly.txt") << first;
    SetFileAttributesA((folder / "e-readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);  // so that it can be removed
}

// A start that fails says so: the About window then shows its message.
TEST(WindowsDesktop, StartsNothingButAProgramFile)
{
    ScratchFolder folder;
    for (const std::string& path : {std::string(), folder.path.string(), folder / "missing.exe"})
        EXPECT_FALSE(win::startProgram(path)) << path;
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
    EXPECT_EQ(win::findFile(folder / utf8Name), utf8Name);
    EXPECT_EQ(win::findFile(folder / "Gr*.txt"), utf8Name);

    // Ärger\tool.exe, a copy of the marker tool built beside this test.
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    const fs::path tool = folder.path / L"\u00c4rger" / "tool.exe";
    fs::create_directory(tool.parent_path());
    fs::copy_file(fs::path(self).parent_path() / "marker_tool.exe", tool);
    ASSERT_TRUE(win::startProgram(folder / "\xc3\x84rger\\tool.exe"));
    const fs::path marker = fs::path(tool) += ".ran";
    for (int i = 0; i < 300 && !fs::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(fs::exists(marker)) << "the tool did not run";
}

}  // namespace
}  // namespace vellumar
