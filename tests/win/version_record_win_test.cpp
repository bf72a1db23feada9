// Reads the version record of this test program, which carries the program's
// resource file, through the Windows API (version.dll).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class VersionRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(self, &ignored);
        ASSERT_GT(size, 0u) << "no version record";
        record.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(self, 0, size, record.data()));
    }

    std::string text(const char* name)
    {
        void* value = nullptr;
        UINT length = 0;
        const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueA(record.data(), path.c_str(), &value, &length) || length == 0)
            return "<missing>";
        return static_cast<const char*>(value);
    }

    std::vector<char> record;
};

TEST_F(VersionRecord, NumbersAreOnePointZero)
{
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST_F(VersionRecord, TextsDescribeTheProgram)
{
    EXPECT_EQ(text("FileVersion"), "1.00");
    EXPECT_EQ(text("ProductVersion"), "1.00");
    EXPECT_EQ(text("ProductName"), "Vellumar");
    EXPECT_EQ(text("FileDescription"), "A tool to generate passwords");
    EXPECT_EQ(text("Comments"), "A tool to generate good passwords.");
    for (const char* ours : {"CompanyName", "LegalCopyright", "LegalTrademarks", "InternalName",
                             "OriginalFilename"})
        EXPECT_NE(text(ours), "<missing>") << ours;
}

TEST_F(VersionRecord, TheProgramHasItsIcon)
{
    EXPECT_NE(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, 0),
              nullptr);
}

}  // namespace
