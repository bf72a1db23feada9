// The registry over advapi32 with text beyond ASCII: RegQueryValueExA gives
// it in the ANSI code page, and its UTF-8 form can need more bytes than the
// caller's buffer has. The reader must then answer "more data" and leave
// every byte past the buffer alone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/sys_info.h"
#include "runtime/win/windows_services.h"

namespace vellumar {
namespace {

constexpr char kKey[] = "Software\\Vellumar\\AnsiText";
constexpr RegistryRoot kHkeyCurrentUser = 0x80000001u;
constexpr unsigned char kGuard = 0xCD;

// Stores the letter "é" (one byte in the Western code pages, two in UTF-8)
// count times, with its terminating zero, as programs store text.
std::string storeLetters(std::size_t count)
{
    const std::wstring name = L"Letters" + std::to_wstring(count);
    const std::wstring text(count, L'\u00E9');
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Vellumar\\AnsiText", 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))), ERROR_SUCCESS);
    RegCloseKey(key);
    return "Letters" + std::to_string(count);
}

TEST(WindowsRegistry, GivesUtf8WithinTheBufferOrAsksForMore)
{
    BOOL lossy = FALSE;
    char ansi[8];
    if (WideCharToMultiByte(CP_ACP, 0, L"\u00E9", 1, ansi, sizeof ansi, nullptr, &lossy) <= 0 || lossy)
        GTEST_SKIP() << "the ANSI code page " << GetACP() << " lacks the letter";
    const std::unique_ptr<Registry> registry = win::makeRegistry();
    // Letters and buffer: 601 bytes fit; 1023 fit exactly; 1025 are one too
    // many; ANSI fits (1001) but UTF-8 does not (2001); ANSI fills the buffer
    // exactly; a small buffer.
    for (const auto& [letters, capacity] : {std::pair<std::size_t, std::uint32_t>{300, 1024}, {511, 1024},
                                           {512, 1024}, {1000, 1024}, {1023, 1024}, {5, 8}}) {
        const std::string name = storeLetters(letters);
        std::string expected;
        for (std::size_t i = 0; i < letters; ++i)
            expected += "\xC3\xA9";
        expected += '\0';
        RegistryKey key = 0;
        ASSERT_EQ(registry->openKey(kHkeyCurrentUser, kKey, 0, kKeyRead, &key), kErrorSuccess);
        std::vector<unsigned char> buffer(capacity + 4096, kGuard);
        std::uint32_t size = capacity;
        std::uint32_t type = 0;
        const long status = registry->queryValue(key, name, &type, buffer.data(), &size);
        registry->closeKey(key);
        EXPECT_EQ(type, kRegSz) << name;
        EXPECT_EQ(size, expected.size()) << name;
        if (expected.size() <= capacity) {
            EXPECT_EQ(status, kErrorSuccess) << name;
            EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + expected.size()), expected) << name;
        } else {
            EXPECT_EQ(status, kErrorMoreData) << name;
        }
        for (std::size_t i = capacity; i < buffer.size(); ++i)
            ASSERT_EQ(buffer[i], kGuard) << "byte " << i << " past a buffer of " << capacity;
    }

    // What the About window reads: a path that fits as ANSI but not as UTF-8
    // is no value at all; one that fits is given as UTF-8.
    std::string value = "before";
    EXPECT_FALSE(GetKeyValue(*registry, kHkeyCurrentUser, kKey, storeLetters(1000), value));
    EXPECT_EQ(value, "");
    EXPECT_TRUE(GetKeyValue(*registry, kHkeyCurrentUser, kKey, storeLetters(300), value));
    EXPECT_EQ(value.size(), 600u);
}

}  // namespace
}  // namespace vellumar
