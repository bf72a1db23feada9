// GetKeyValue and StartSysInfo over the in-memory registry.
#include <gtest/gtest.h>

#include "runtime/memory_registry.h"
#include "service_fakes.h"
#include "windows/about/core/sys_info.h"

namespace vellumar {
namespace {

using testing::FakeFileLookup;
using testing::FakeProgramStart;
using Bytes = std::vector<unsigned char>;

constexpr char kKey[] = "SOFTWARE\\Vellumar\\Test";

class GetKeyValueTest : public ::testing::Test {
protected:
    bool read(const std::string& name, std::string& value)
    {
        return GetKeyValue(registry, kHkeyLocalMachine, kKey, name, value);
    }

    MemoryRegistry registry;
};

TEST_F(GetKeyValueTest, TextLosesOnlyItsTerminatingZero)
{
    registry.setValue(kHkeyLocalMachine, kKey, "Zero", kRegSz, Bytes{'a', 'b', 'c', 0});
    registry.setValue(kHkeyLocalMachine, kKey, "Bare", kRegSz, Bytes{'a', 'b', 'c'});
    std::string zero, bare;
    EXPECT_TRUE(read("Zero", zero));
    EXPECT_EQ(zero, "abc");
    EXPECT_TRUE(read("Bare", bare));
    EXPECT_EQ(bare, "abc");
    EXPECT_EQ(registry.lastAccess(), kKeyRead);
    EXPECT_EQ(registry.openCount(), 0u);
}

TEST_F(GetKeyValueTest, DwordKeepsAllFourBytesAsDecimal)
{
    registry.setValue(kHkeyLocalMachine, kKey, "Full", kRegDword, Bytes{0x78, 0x56, 0x34, 0x12});
    registry.setValue(kHkeyLocalMachine, kKey, "HighZero", kRegDword, Bytes{0x0C, 0x0B, 0x0A, 0x00});
    std::string full = "left over", highZero;
    EXPECT_TRUE(read("Full", full));
    EXPECT_EQ(full, "305419896");  // 0x12345678
    EXPECT_TRUE(read("HighZero", highZero));
    EXPECT_EQ(highZero, "658188");  // 0x000A0B0C
}

TEST_F(GetKeyValueTest, ZeroBytesGiveEmptyTextAndCloseTheKey)
{
    registry.setValue(kHkeyLocalMachine, kKey, "EmptyText", kRegSz, Bytes{});
    registry.setValue(kHkeyLocalMachine, kKey, "EmptyDword", kRegDword, Bytes{});
    std::string text = "x", number = "y";
    EXPECT_TRUE(read("EmptyText", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(read("EmptyDword", number));
    EXPECT_EQ(number, "");
    EXPECT_EQ(registry.openCount(), 0u);
}

TEST_F(GetKeyValueTest, OtherTypesCountAsReadAndLeaveTheTextAlone)
{
    registry.setValue(kHkeyLocalMachine, kKey, "Expand", kRegExpandSz, Bytes{'%', 'X', '%', 0});
    registry.setValue(kHkeyLocalMachine, kKey, "Binary", kRegBinary, Bytes{1, 2, 3});
    std::string value = "before";
    EXPECT_TRUE(read("Expand", value));
    EXPECT_EQ(value, "before");
    EXPECT_TRUE(read("Binary", value));
    EXPECT_EQ(value, "before");
}

TEST_F(GetKeyValueTest, FailuresEmptyTheTextAndCloseTheKey)
{
    registry.setValue(kHkeyLocalMachine, kKey, "Fits", kRegSz, Bytes(1024, 'a'));
    registry.setValue(kHkeyLocalMachine, kKey, "TooLong", kRegSz, Bytes(1025, 'a'));
    std::string value = "before";
    EXPECT_TRUE(read("Fits", value));
    EXPECT_EQ(value, std::string(1024, 'a'));

    value = "before";
    EXPECT_FALSE(read("TooLong", value));
    EXPECT_EQ(value, "");

    value = "before";
    EXPECT_FALSE(read("Missing", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.openCount(), 0u);

    value = "before";
    EXPECT_FALSE(GetKeyValue(registry, kHkeyLocalMachine, "SOFTWARE\\Nowhere", "PATH", value));
    EXPECT_EQ(value, "");
}

class StartSysInfoTest : public ::testing::Test {
protected:
    void run()
    {
        StartSysInfo(registry, files, programs,
                     [this](std::string_view message) { messages.emplace_back(message); });
    }
    void setFirst(const std::string& path) { registry.setText(kHkeyLocalMachine, kSysInfoKey, kSysInfoValue, path); }
    void setSecond(const std::string& folder)
    {
        registry.setText(kHkeyLocalMachine, kSysInfoLocationKey, kSysInfoLocationValue, folder);
    }

    MemoryRegistry registry;
    FakeFileLookup files;
    FakeProgramStart programs;
    std::vector<std::string> messages;
};

TEST_F(StartSysInfoTest, FirstEntryIsStartedAsItIsWithoutFileCheck)
{
    const std::string tool = "C:\\Program Files\\Common Files\\msinfo32.exe";
    setFirst(tool);
    setSecond("C:\\Tools");
    programs.existing.insert(tool);
    run();
    EXPECT_EQ(programs.asked, std::vector<std::string>{tool});
    EXPECT_TRUE(files.asked.empty());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(registry.openCount(), 0u);
}

TEST_F(StartSysInfoTest, FirstEntryThatCannotStartGivesMessageWithoutTryingSecond)
{
    setFirst("C:\\Missing\\tool.exe");
    setSecond("C:\\Tools");
    files.existing.insert("C:\\Tools\\MSINFO32.EXE");
    programs.existing.insert("C:\\Tools\\MSINFO32.EXE");
    run();
    EXPECT_EQ(programs.asked, std::vector<std::string>{"C:\\Missing\\tool.exe"});
    EXPECT_TRUE(files.asked.empty());
    EXPECT_EQ(messages, std::vector<std::string>{kSysInfoUnavailable});
}

TEST_F(StartSysInfoTest, FirstEntryOfAnotherTypeOrEmptyGivesMessageWithoutTryingSecond)
{
    for (const std::uint32_t type : {kRegExpandSz, kRegSz}) {
        SCOPED_TRACE(type);
        MemoryRegistry fresh;
        registry = std::move(fresh);
        messages.clear();
        files.asked.clear();
        registry.setValue(kHkeyLocalMachine, kSysInfoKey, kSysInfoValue, type,
                          type == kRegSz ? Bytes{} : Bytes{'%', 'W', '%', 0});
        setSecond("C:\\Tools");
        files.existing.insert("C:\\Tools\\MSINFO32.EXE");
        programs.existing.insert("C:\\Tools\\MSINFO32.EXE");
        run();
        EXPECT_TRUE(files.asked.empty());
        EXPECT_EQ(messages, std::vector<std::string>{kSysInfoUnavailable});
    }
    EXPECT_TRUE(programs.asked.empty());
}

TEST_F(StartSysInfoTest, SecondEntryNamesTheFolderOfMsinfo32)
{
    setSecond("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo");
    const std::string tool = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\MSINFO32.EXE";
    files.existing.insert(tool);
    programs.existing.insert(tool);
    run();
    EXPECT_EQ(files.asked, std::vector<std::string>{tool});
    EXPECT_EQ(programs.asked, std::vector<std::string>{tool});
    EXPECT_TRUE(messages.empty());
}

TEST_F(StartSysInfoTest, SecondEntryFolderWithoutMsinfo32GivesMessage)
{
    setSecond("C:\\Empty");
    run();
    EXPECT_EQ(files.asked, std::vector<std::string>{"C:\\Empty\\MSINFO32.EXE"});
    EXPECT_TRUE(programs.asked.empty());
    EXPECT_EQ(messages, std::vector<std::string>{kSysInfoUnavailable});
}

TEST_F(StartSysInfoTest, NoEntryOrAServiceErrorGivesOneMessage)
{
    run();
    EXPECT_EQ(messages, std::vector<std::string>{kSysInfoUnavailable});

    messages.clear();
    setFirst("C:\\tool.exe");
    programs.throwOnStart = true;
    run();
    EXPECT_EQ(messages, std::vector<std::string>{kSysInfoUnavailable});
}

}  // namespace
}  // namespace vellumar
