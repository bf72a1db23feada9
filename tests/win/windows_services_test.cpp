// File lookup and program start over the real Windows calls (under wine when
// cross-built). The program started is a copy of marker_tool.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "runtime/win/ansi_text.h"
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

// UTF-8 names the ANSI code page holds go to the ...A calls, others (Cyrillic on
// a Western system) to the ...W calls: a folder holding a file of its name and
// a marker tool started in it. A failed start says so. (Shell open is tested
// by the real-window Help test, the program in a Cyrillic folder.)
TEST(WindowsDesktop, PassesNamesBeyondAscii)
{
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    ScratchFolder folder;
    const std::pair<std::wstring, std::string> names[] = {
        {L"Gr\u00fc\u00dfe \u00e9t\u00e9", "Gr\xc3\xbc\xc3\x9f" "e \xc3\xa9t\xc3\xa9"},  // Grüße été
        {L"\u041f\u0430\u0440\u043e\u043b\u0438", "\xd0\x9f\xd0\xb0\xd1\x80\xd0\xbe\xd0\xbb\xd0\xb8"}};  // Пароли
    for (const auto& [wide, utf8] : names) {
        SCOPED_TRACE(utf8 + (win::fitsAnsi(utf8) ? ": ANSI calls" : ": wide calls"));
        const fs::path sub = folder.path / wide;
        fs::create_directory(sub);
        std::ofstream(sub / (wide + L".txt")) << "x";
        const std::string subUtf8 = folder / utf8;
        EXPECT_EQ(win::findFile(subUtf8 + "\\" + utf8 + ".txt"), utf8 + ".txt");
        for (const std::string& path : {std::string(), subUtf8, subUtf8 + "\\missing.exe"})
            EXPECT_FALSE(win::startProgram(path)) << path;

        fs::copy_file(fs::path(self).parent_path() / "marker_tool.exe", sub / "started.exe");
        EXPECT_TRUE(win::startProgram(subUtf8 + "\\started.exe"));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!fs::exists(sub / "started.exe.ran") && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_TRUE(fs::exists(sub / "started.exe.ran"));
    }
}

}  // namespace
}  // namespace vellumar
