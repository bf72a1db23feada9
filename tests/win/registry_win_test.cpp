// The registry over advapi32 with text beyond ASCII: RegQueryValueExA gives
// it in the ANSI code page (text the code page lacks is read again wide), and
// its UTF-8 form may outgrow the caller's buffer. The reader must then answer
// "more data" and write nothing past it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/sys_info.h"
#include "runtime/win/windows_services.h"

namespace vellumar {
namespace {

constexpr char kKey[] = "Software\\Vellumar\\AnsiText";
constexpr RegistryRoot kHkeyCurrentUser = 0x80000001u;

// Stores a letter count times, with its terminating zero; gives the value's name.
std::string storeLetters(wchar_t letter, std::size_t count)
{
    const std::string name = "Letters" + std::to_string(letter) + "x" + std::to_string(count);
    EXPECT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Vellumar\\AnsiText",
                              std::wstring(name.begin(), name.end()).c_str(), REG_SZ,
                              std::wstring(count, letter).c_str(), DWORD((count + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    return name;
}

TEST(WindowsRegistry, GivesUtf8WithinTheBufferOrAsksForMore)
{
    const std::unique_ptr<Registry> registry = win::makeRegistry();
    // "é" (one byte in the Western code pages) and the Cyrillic "Ж" (none of
    // theirs), two bytes each in UTF-8. Letters and buffer: 601 bytes fit;
    // 1023 fit exactly; 1025 are one too many; ANSI fits (1001) but UTF-8
    // does not (2001); ANSI fills the buffer exactly; a small buffer.
    for (const auto& [letter, utf8] : {std::pair<wchar_t, std::string>{L'\u00E9', "\xC3\xA9"}, {L'\u0416', "\xD0\x96"}})
    for (const auto& [letters, capacity] : {std::pair<std::size_t, std::uint32_t>{300, 1024}, {511, 1024},
                                           {512, 1024}, {1000, 1024}, {1023, 1024}, {5, 8}}) {
        const std::string name = storeLetters(letter, letters);
        std::string expected;
        for (std::size_t i = 0; i < letters; ++i)
            expected += utf8;
        const bool fits = expected.size() < capacity;  // with the terminating zero
        RegistryKey key = 0;
        ASSERT_EQ(registry->openKey(kHkeyCurrentUser, kKey, 0, kKeyRead, &key), kErrorSuccess);
        std::vector<unsigned char> buffer(capacity + 4096, 0xCD);
        std::uint32_t size = capacity, type = 0;
        const long status = registry->queryValue(key, name, &type, buffer.data(), &size);
        registry->closeKey(key);
        EXPECT_EQ(status, fits ? kErrorSuccess : kErrorMoreData) << name;
        EXPECT_EQ(type, kRegSz) << name;
        EXPECT_EQ(size, expected.size() + 1) << name;
        if (fits) {
            EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + size), expected + '\0') << name;
        }
        EXPECT_EQ(std::count(buffer.begin() + capacity, buffer.end(), 0xCD), 4096) << "written past the buffer: " << name;
        // What the About window reads the path with: no value at all unless
        // the UTF-8 form fits.
        if (capacity == kRegistryDataCapacity) {
            std::string value = "before";
            EXPECT_EQ(GetKeyValue(*registry, kHkeyCurrentUser, kKey, name, value), fits) << name;
            EXPECT_EQ(value, fits ? expected : "") << name;
        }
    }
}

}  // namespace
}  // namespace vellumar
