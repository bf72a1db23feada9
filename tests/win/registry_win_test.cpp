// The registry over advapi32 with text beyond ASCII: RegQueryValueExA gives
// it in the ANSI code page, and its UTF-8 form can need more bytes than the
// caller's buffer has. The reader must then answer "more data" and leave
// every byte past the buffer alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/registry.h"
#include "runtime/win/windows_services.h"
#include "runtime/sys_info.h"

namespace vellumar {
namespace {

constexpr wchar_t kWideKey[] = L"Software\\Vellumar\\AnsiText";
constexpr char kKey[] = "Software\\Vellumar\\AnsiText";
constexpr RegistryRoot kHkeyCurrentUser = 0x80000001u;
constexpr unsigned char kGuard = 0xCD;

// "é" once: one byte in the Western code pages, two in UTF-8.
const std::string kUtf8Letter = "\xC3\xA9";

bool codePageHasTheLetter()
{
    BOOL lossy = FALSE;
    char ansi[8];
    return WideCharToMultiByte(CP_ACP, 0, L"\u00E9", 1, ansi, sizeof ansi, nullptr, &lossy) > 0 &&
           !lossy;
}

void storeText(const std::wstring& name, const std::wstring& text)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kWideKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    // With its terminating zero, as programs store text.
    EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

std::string repeated(const std::string& unit, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += unit;
    return text;
}

struct Case {
    std::size_t letters;  // how many "é"
    std::uint32_t capacity;
};

class AnsiTextRegistry : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!codePageHasTheLetter())
            GTEST_SKIP() << "the ANSI code page " << GetACP() << " lacks the letter";
    }
    std::unique_ptr<Registry> registry = win::makeRegistry();
};

class RegistryAnsiText : public AnsiTextRegistry, public ::testing::WithParamInterface<Case> {};

// The value's UTF-8 form with its zero either fits the buffer (and is given
// whole) or does not (more data, its size, and nothing written past the
// buffer).
TEST_P(RegistryAnsiText, GivesUtf8WithinTheBufferOrAsksForMore)
{
    const Case c = GetParam();
    storeText(L"Letters" + std::to_wstring(c.letters), std::wstring(c.letters, L'\u00E9'));
    const std::string expected = repeated(kUtf8Letter, c.letters) + '\0';

    RegistryKey key = 0;
    ASSERT_EQ(registry->openKey(kHkeyCurrentUser, kKey, 0, kKeyRead, &key), kErrorSuccess);
    std::vector<unsigned char> buffer(c.capacity + 4096, kGuard);
    std::uint32_t size = c.capacity;
    std::uint32_t type = 0;
    const long status = registry->queryValue(key, "Letters" + std::to_string(c.letters), &type,
                                             buffer.data(), &size);
    registry->closeKey(key);

    EXPECT_EQ(type, kRegSz);
    if (expected.size() <= c.capacity) {
        ASSERT_EQ(status, kErrorSuccess);
        ASSERT_EQ(size, expected.size());
        EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + size), expected);
    } else {
        EXPECT_EQ(status, kErrorMoreData);
        EXPECT_EQ(size, expected.size());
    }
    for (std::size_t i = c.capacity; i < buffer.size(); ++i)
        ASSERT_EQ(buffer[i], kGuard) << "byte " << i << " past a buffer of " << c.capacity;
}

INSTANTIATE_TEST_SUITE_P(
    NearAndPastTheLimit, RegistryAnsiText,
    ::testing::Values(Case{300, 1024},   // 601 bytes: fits
                      Case{511, 1024},   // 1023 bytes: fits exactly
                      Case{512, 1024},   // 1025 bytes: one too many
                      Case{1000, 1024},  // ANSI fits (1001), UTF-8 does not (2001)
                      Case{1023, 1024},  // ANSI fills the buffer exactly
                      Case{5, 8}),       // a small buffer: 11 bytes
    [](const ::testing::TestParamInfo<Case>& param) {
        return std::to_string(param.param.letters) + "LettersIn" + std::to_string(param.param.capacity);
    });

// What the About window reads: a path that fits as ANSI but not as UTF-8 is
// no value at all, one that fits is given as UTF-8.
TEST_F(AnsiTextRegistry, GetKeyValueTakesOnlyWhatFits)
{
    storeText(L"Long", std::wstring(1000, L'\u00E9'));
    storeText(L"Short", std::wstring(300, L'\u00E9'));
    std::string value = "before";
    EXPECT_FALSE(GetKeyValue(*registry, kHkeyCurrentUser, kKey, "Long", value));
    EXPECT_EQ(value, "");
    EXPECT_TRUE(GetKeyValue(*registry, kHkeyCurrentUser, kKey, "Short", value));
    EXPECT_EQ(value, repeated(kUtf8Letter, 300));
}

}  // namespace
}  // namespace vellumar
