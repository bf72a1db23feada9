// GetKeyValue and StartSysInfo over the system's registry (advapi32 on Windows, in memory elsewhere).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fake_desktop.h"
#include "runtime/sys_info.h"

#if defined(_WIN32)
#include <windows.h>

#include "runtime/win/windows_services.h"
#endif

namespace vellumar {
namespace {

using Bytes = std::vector<unsigned char>;
using Texts = std::vector<std::string>;
constexpr char kKey[] = "SOFTWARE\\Vellumar\\Test";
constexpr char kToolKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";

// The text with its terminating zero, as programs store it.
Bytes text(const std::string& value) { return Bytes(value.c_str(), value.c_str() + value.size() + 1); }

class SysInfo : public ::testing::Test {
protected:
    void SetUp() override { clear(); }
    void TearDown() override { clear(); }
    // In memory, first checks that every key opened was closed and opened for reading; then empties all.
    void clear()
    {
#if defined(_WIN32)
        for (const char* key : {kKey, kToolKey, kFolderKey})
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
        desktop.registryInUse = windowsRegistry.get();
#else
        EXPECT_EQ(desktop.memory.openCount(), 0u);
        EXPECT_TRUE(desktop.memory.lastAccess() == 0 || desktop.memory.lastAccess() == 0x20019u);
        desktop.memory = MemoryRegistry();
#endif
        desktop.started.clear();
        desktop.lookedUp.clear();
    }
    void set(const char* key, const char* name, std::uint32_t type, const Bytes& data)
    {
#if defined(_WIN32)
        ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, name, type, data.data(), DWORD(data.size())), 0);
#else
        desktop.memory.setValue(kHkeyLocalMachine, key, name, type, data);
#endif
    }
#if defined(_WIN32)
    std::unique_ptr<Registry> windowsRegistry = win::makeRegistry();
#endif
    testing::FakeDesktop desktop;
};

struct ValueCase {
    const char* name;
    std::uint32_t type;
    Bytes data;
    std::optional<std::string> read;  // nothing: a failure, the text emptied
};

TEST_F(SysInfo, GetKeyValueReadsTextAndNumbers)
{
    const ValueCase cases[] = {
        {"Text", 1, text("abc"), "abc"},
        {"TextWithoutZero", 1, {'a', 'b', 'c'}, "abc"},
        {"EmptyText", 1, {}, ""},
        {"Dword", 4, {0x78, 0x56, 0x34, 0x12}, "305419896"},
        {"DwordHighZero", 4, {0x0C, 0x0B, 0x0A, 0x00}, "658188"},
        {"EmptyDword", 4, {}, ""},
        {"Expand", 2, text("%X%"), "untouched"},
        {"Binary", 3, {1, 2, 3}, "untouched"},
        {"FitsWithZero", 1, text(std::string(1023, 'a')), std::string(1023, 'a')},
        {"TooLong", 1, text(std::string(1024, 'c')), std::nullopt},
        {"Missing", 0, {}, std::nullopt},  // not stored
    };
    for (const ValueCase& value : cases)
        if (value.type != 0)
            set(kKey, value.name, value.type, value.data);
    for (const ValueCase& value : cases) {
        std::string read = "untouched";
        EXPECT_EQ(GetKeyValue(desktop.registry(), kHkeyLocalMachine, kKey, value.name, read), value.read.has_value())
            << value.name;
        EXPECT_EQ(read, value.read.value_or("")) << value.name;
    }
    std::string read = "untouched";  // a key that is not there
    EXPECT_FALSE(GetKeyValue(desktop.registry(), kHkeyLocalMachine, "SOFTWARE\\Vellumar\\None", "Text", read));
    EXPECT_EQ(read, "");
}

struct StartCase {
    const char* name;
    std::optional<Bytes> tool;          // REG_SZ value of the first entry
    std::optional<std::string> folder;  // the second entry
    std::set<std::string> files;        // what the file lookup finds
    std::set<std::string> programs;     // what starts
    Texts started;
    bool message;
    bool startThrows = false;
    std::string named = {};  // the tool the desktop names
};

TEST_F(SysInfo, StartSysInfoTriesTheFirstEntryThenTheSecond)
{
    const std::string tool = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
    const std::string inFolder = "C:\\Tools\\MSINFO32.EXE";
    const StartCase cases[] = {
        {"first starts without a file check", text(tool), "C:\\Tools", {}, {tool}, {tool}, false},
        {"first fails: no second try", text(tool), "C:\\Tools", {inFolder}, {inFolder}, {tool}, true},
        {"first empty: no second try", text(""), "C:\\Tools", {inFolder}, {inFolder}, {}, true},
        {"second names the folder", std::nullopt, "C:\\Tools", {inFolder}, {inFolder}, {inFolder}, false},
        {"second without the program", std::nullopt, "C:\\Tools", {}, {inFolder}, {}, true},
        {"no entry", std::nullopt, std::nullopt, {inFolder}, {inFolder}, {}, true},
        {"a start that throws", text(tool), std::nullopt, {}, {tool}, {tool}, true, true},
        {"the desktop's tool before the registry", text(tool), std::nullopt, {}, {"/bin/x"}, {"/bin/x"}, false, false,
         "/bin/x"},
    };
    for (const StartCase& c : cases) {
        clear();
        if (c.tool)
            set(kToolKey, "PATH", 1, *c.tool);
        if (c.folder)
            set(kFolderKey, "MSINFO", 1, text(*c.folder));
        desktop.files = c.files;
        desktop.programs = c.programs;
        desktop.throwOnStart = c.startThrows;
        desktop.namedTool = c.named;
        Texts messages;
        StartSysInfo(desktop, [&messages](std::string_view m) { messages.emplace_back(m); });
        EXPECT_EQ(desktop.started, c.started) << c.name;
        EXPECT_EQ(messages, c.message ? Texts{"System Information Is Unavailable At This Time"} : Texts{}) << c.name;
        // The folder is looked in only without the first entry.
        EXPECT_EQ(desktop.lookedUp, !c.tool && c.folder ? Texts{inFolder} : Texts{}) << c.name;
    }
}

}  // namespace
}  // namespace vellumar
