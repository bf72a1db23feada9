// GetKeyValue and StartSysInfo over the real Windows services: the registry
// through advapi32 with values stored by wine's reg and regedit
// (prepare_registry.sh, run by ctest first), the file check and the program
// start of kernel32. Runs only in the Windows build, under wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/memory_registry.h"
#include "runtime/win/windows_services.h"
#include "win_test_support.h"
#include "windows/about/core/sys_info.h"

namespace vellumar {
namespace {

using namespace std::chrono_literals;
using testing::ScratchFolder;
using testing::markerOf;
using testing::placeMarkerTool;
using testing::waitForMarker;
using Bytes = std::vector<unsigned char>;

constexpr char kKey[] = "SOFTWARE\\Vellumar\\Test";

bool underWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// What prepare_registry.sh and storeUnterminatedText store, byte for byte
// as the ANSI functions give them back.
struct StoredValue {
    const char* name;
    std::uint32_t type;
    Bytes data;
};

std::vector<StoredValue> storedValues()
{
    Bytes fitsWithZero(1023, 'a');
    fitsWithZero.push_back(0);
    Bytes tooLong(1025, 'a');
    tooLong.push_back(0);
    return {
        {"Zero", kRegSz, {'a', 'b', 'c', 0}},
        {"Bare", kRegSz, {'a', 'b', 'c'}},
        {"Full", kRegDword, {0x78, 0x56, 0x34, 0x12}},
        {"HighZero", kRegDword, {0x0C, 0x0B, 0x0A, 0x00}},
        {"Expand", kRegExpandSz, {'%', 'X', '%', 0}},
        {"Binary", kRegBinary, {1, 2, 3}},
        {"EmptyText", kRegSz, {}},
        {"EmptyDword", kRegDword, {}},
        {"Fits", kRegSz, Bytes(1024, 'a')},
        {"FitsWithZero", kRegSz, fitsWithZero},
        {"TooLong", kRegSz, tooLong},
    };
}

// Text without its terminating zero, which wine's reg and regedit cannot
// store (they add the zero): stored here through advapi32, byte for byte.
// RegSetValueExW, as on Windows, counts a zero that directly follows the
// data as the forgotten terminator, so the data is followed by another
// character.
void storeUnterminatedText(const char* name, const std::wstring& text)
{
    const std::wstring followed = text + L'X';
    const std::wstring wideName(name, name + std::char_traits<char>::length(name));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Vellumar\\Test", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, wideName.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(followed.data()),
                             static_cast<DWORD>(text.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

class GetKeyValueOverAdvapi32 : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        storeUnterminatedText("Bare", L"abc");
        storeUnterminatedText("Fits", std::wstring(1024, L'a'));
    }

    bool read(const std::string& name, std::string& value)
    {
        return GetKeyValue(*registry, kHkeyLocalMachine, kKey, name, value);
    }

    std::unique_ptr<Registry> registry = win::makeWindowsRegistry();
};

TEST_F(GetKeyValueOverAdvapi32, TheValuesAreStoredAsPrepared)
{
    RegistryKey key = 0;
    ASSERT_EQ(registry->openKey(kHkeyLocalMachine, kKey, 0, kKeyRead, &key), kErrorSuccess)
        << "run prepare_registry.sh first";
    for (const auto& stored : storedValues()) {
        SCOPED_TRACE(stored.name);
        std::vector<unsigned char> data(2048);
        std::uint32_t size = static_cast<std::uint32_t>(data.size());
        std::uint32_t type = 0;
        ASSERT_EQ(registry->queryValue(key, stored.name, &type, data.data(), &size), kErrorSuccess);
        EXPECT_EQ(type, stored.type);
        data.resize(size);
        EXPECT_EQ(data, stored.data);
    }
    registry->closeKey(key);
}

TEST_F(GetKeyValueOverAdvapi32, MissingValueOrKeyIsAFailure)
{
    std::string value = "before";
    EXPECT_FALSE(read("Missing", value));
    EXPECT_EQ(value, "");

    value = "before";
    EXPECT_FALSE(GetKeyValue(*registry, kHkeyLocalMachine, "SOFTWARE\\Nowhere", "PATH", value));
    EXPECT_EQ(value, "");
}

// The same bytes in the in-memory registry, whose answers the shared tests
// check value by value, give the same answers here.
TEST_F(GetKeyValueOverAdvapi32, AnswersAsTheInMemoryRegistryDoes)
{
    MemoryRegistry memory;
    std::vector<std::string> names{"Missing"};
    for (const auto& stored : storedValues()) {
        memory.setValue(kHkeyLocalMachine, kKey, stored.name, stored.type, stored.data);
        names.emplace_back(stored.name);
    }
    for (const auto& name : names) {
        SCOPED_TRACE(name);
        std::string fromWindows = "before", fromMemory = "before";
        const bool windowsResult = read(name, fromWindows);
        EXPECT_EQ(windowsResult, GetKeyValue(memory, kHkeyLocalMachine, kKey, name, fromMemory));
        EXPECT_EQ(fromWindows, fromMemory);
    }
    EXPECT_EQ(memory.openCount(), 0u);
}

// StartSysInfo with the real registry, file check and program start. The
// tests write the two entries under HKEY_LOCAL_MACHINE, so they run only in
// wine's throwaway prefix, never on a real system.
class StartSysInfoOnWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!underWine())
            GTEST_SKIP() << "writes system registry entries: runs under wine only";
        clearEntries();
    }
    void TearDown() override
    {
        if (underWine())
            clearEntries();
    }

    static void setEntry(const char* key, const char* name, const std::string& text)
    {
        ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key, name, REG_SZ, text.c_str(),
                                  static_cast<DWORD>(text.size() + 1)),
                  ERROR_SUCCESS);
    }
    static void clearEntries()
    {
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSysInfoKey, kSysInfoValue);
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSysInfoLocationKey, kSysInfoLocationValue);
    }
    void setFirst(const std::filesystem::path& program)
    {
        setEntry(kSysInfoKey, kSysInfoValue, program.string());
    }
    void setSecond(const std::filesystem::path& toolFolder)
    {
        setEntry(kSysInfoLocationKey, kSysInfoLocationValue, toolFolder.string());
    }
    void run()
    {
        StartSysInfo(*services.registry, *services.fileLookup, *services.programStart,
                     [this](std::string_view message) { messages.emplace_back(message); });
    }
    // Gives a tool a moment to show that it was not started.
    static bool ranWithin(const std::filesystem::path& tool, std::chrono::milliseconds limit)
    {
        return waitForMarker(tool, limit).has_value();
    }

    win::WindowsServices services = win::makeWindowsServices();
    std::vector<std::string> messages;
    ScratchFolder folder;
};

TEST_F(StartSysInfoOnWindows, FirstEntryStartsTheProgramInAFolderWithABlank)
{
    const auto tool = folder.path() / "System Tools" / "info.exe";
    const auto decoy = folder.path() / "System.exe";
    const auto msinfo = folder.path() / "Shared Info" / "MSINFO32.EXE";
    placeMarkerTool(tool);
    placeMarkerTool(decoy);
    placeMarkerTool(msinfo);
    setFirst(tool);
    setSecond(msinfo.parent_path());

    run();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(ranWithin(tool, 15s)) << "the tool did not run";
    EXPECT_FALSE(std::filesystem::exists(markerOf(decoy))) << "the path was split at its blank";
    EXPECT_FALSE(std::filesystem::exists(markerOf(msinfo))) << "the second entry was used";
}

TEST_F(StartSysInfoOnWindows, FirstEntryNamingAMissingProgramGivesTheMessage)
{
    const auto msinfo = folder.path() / "Shared Info" / "MSINFO32.EXE";
    placeMarkerTool(msinfo);
    setFirst(folder.path() / "System Tools" / "info.exe");
    setSecond(msinfo.parent_path());

    run();
    EXPECT_EQ(messages, std::vector<std::string>{kSysInfoUnavailable});
    EXPECT_FALSE(ranWithin(msinfo, 1s)) << "the second entry was tried";
}

TEST_F(StartSysInfoOnWindows, SecondEntryFolderHoldingMsinfo32StartsIt)
{
    const auto msinfo = folder.path() / "Shared Info" / "MSINFO32.EXE";
    placeMarkerTool(msinfo);
    setSecond(msinfo.parent_path());

    run();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(ranWithin(msinfo, 15s)) << "MSINFO32.EXE did not run";
}

TEST_F(StartSysInfoOnWindows, SecondEntryFolderWithoutAnOrdinaryMsinfo32GivesTheMessage)
{
    const auto folderWithout = folder.path() / "Empty Info";
    std::filesystem::create_directories(folderWithout);
    setSecond(folderWithout);
    run();
    EXPECT_EQ(messages, std::vector<std::string>{kSysInfoUnavailable});

    // A hidden MSINFO32.EXE is not found by the file check either.
    messages.clear();
    const auto hidden = folder.path() / "Hidden Info" / "MSINFO32.EXE";
    placeMarkerTool(hidden);
    ASSERT_TRUE(SetFileAttributesA(hidden.string().c_str(), FILE_ATTRIBUTE_HIDDEN));
    setSecond(hidden.parent_path());
    run();
    EXPECT_EQ(messages, std::vector<std::string>{kSysInfoUnavailable});
    EXPECT_FALSE(ranWithin(hidden, 1s));
    SetFileAttributesA(hidden.string().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(StartSysInfoOnWindows, NoEntryGivesTheMessage)
{
    run();
    EXPECT_EQ(messages, std::vector<std::string>{kSysInfoUnavailable});
}

}  // namespace
}  // namespace vellumar
