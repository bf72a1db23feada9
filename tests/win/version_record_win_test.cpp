// Reads the version record of this test program, which carries the program's
// resource file, through the Windows API (version.dll).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "version.h"

namespace {

TEST(VersionRecord, NumbersTextsAndIconAreThoseOfTheProgram)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    DWORD ignored = 0;
    std::vector<char> record(GetFileVersionInfoSizeA(self, &ignored));
    ASSERT_FALSE(record.empty()) << "no version record";
    ASSERT_TRUE(GetFileVersionInfoA(self, 0, static_cast<DWORD>(record.size()), record.data()));
    const auto text = [&record](const std::string& name) -> std::string {
        void* value = nullptr;
        UINT length = 0;
        const std::string path = "\\StringFileInfo\\040904B0\\" + name;
        if (!VerQueryValueA(record.data(), path.c_str(), &value, &length) || length == 0)
            return "<missing>";
        return static_cast<const char*>(value);
    };

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    using namespace vellumar;
    const DWORD high = kVersionMajor << 16 | kVersionMinor, low = kVersionPatch << 16;
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    // Major and two minor digits, ".patch" after them for a patch release.
    const std::string versionText = std::to_string(kVersionMajor) + (kVersionMinor < 10 ? ".0" : ".") +
                                    std::to_string(kVersionMinor) +
                                    (kVersionPatch ? "." + std::to_string(kVersionPatch) : "");
    EXPECT_EQ(text("FileVersion"), versionText);
    EXPECT_EQ(text("ProductVersion"), versionText);
    EXPECT_EQ(text("ProductName"), "Vellumar");
    EXPECT_EQ(text("FileDescription"), "A tool to generate passwords");
    EXPECT_EQ(text("Comments"), "A tool to generate good passwords.");
    for (const char* ours : {"CompanyName", "LegalCopyright", "LegalTrademarks", "InternalName",
                             "OriginalFilename"})
        EXPECT_NE(text(ours), "<missing>") << ours;

    EXPECT_NE(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, 0),
              nullptr);
}

}  // namespace
