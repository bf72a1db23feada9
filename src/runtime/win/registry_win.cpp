// The registry over advapi32: RegOpenKeyExA, RegQueryValueExA, RegCloseKey;
// RegQueryValueExW for text that the ANSI code page cannot hold.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/win/ansi_text.h"
#include "runtime/win/windows_services.h"

namespace vellumar::win {
namespace {

// The predefined roots are 32-bit values (HKEY_LOCAL_MACHINE is 0x80000002)
// that Windows sign-extends to the width of a handle. A root stored in an
// unsigned integer arrives with a zero upper half and is widened here the
// way Windows does; anything else is a key handle that openKey returned.
HKEY toHandle(std::uintptr_t value)
{
    const auto wide = static_cast<std::uint64_t>(value);
    if ((wide >> 32) == 0 && (wide & 0xFFFFFFF0u) == 0x80000000u) {
        const auto root = static_cast<LONG>(static_cast<DWORD>(wide));
        return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(root));
    }
    return reinterpret_cast<HKEY>(value);
}

bool holdsText(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// A text value read wide, as UTF-8 with its terminating zero; empty when
// it cannot be read.
std::string wideText(HKEY key, const std::string& valueName)
{
    const std::wstring name = utf8ToWide(valueName);
    DWORD bytes = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return {};
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()),
                         &bytes) != ERROR_SUCCESS)
        return {};
    return wideToUtf8(std::wstring_view(text.data(), bytes / sizeof(wchar_t)));
}

class WindowsRegistry final : public Registry {
public:
    long openKey(RegistryRoot root, const std::string& subKey, std::uint32_t options,
                 std::uint32_t access, RegistryKey* key) override
    {
        HKEY opened = nullptr;
        const LONG result = RegOpenKeyExA(toHandle(root), utf8ToAnsi(subKey).c_str(), options,
                                          access, &opened);
        if (key != nullptr)
            *key = result == ERROR_SUCCESS ? reinterpret_cast<RegistryKey>(opened) : 0;
        return result;
    }

    long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                    unsigned char* data, std::uint32_t* size) override
    {
        DWORD valueType = REG_NONE;
        const DWORD capacity = size != nullptr ? *size : 0;
        DWORD returned = capacity;
        const LONG result =
            RegQueryValueExA(toHandle(key), utf8ToAnsi(valueName).c_str(), nullptr, &valueType,
                             data, size != nullptr ? &returned : nullptr);
        if (type != nullptr)
            *type = valueType;
        if (result == ERROR_SUCCESS && data != nullptr && size != nullptr && holdsText(valueType)) {
            // Text comes back in the ANSI code page; the program's text is
            // UTF-8, which may need more bytes than the buffer has.
            const std::string_view ansi(reinterpret_cast<const char*>(data), returned);
            std::string text = ansiToUtf8(ansi);
            // Letters the code page lacks came back as "?": read it wide.
            if (ansi.find('?') != std::string_view::npos) {
                if (std::string wide = wideText(toHandle(key), valueName); !wide.empty())
                    text = std::move(wide);
            }
            if (text.size() > capacity) {
                *size = static_cast<std::uint32_t>(text.size());
                return ERROR_MORE_DATA;
            }
            std::memcpy(data, text.data(), text.size());
            returned = static_cast<DWORD>(text.size());
        }
        if (size != nullptr)
            *size = returned;
        return result;
    }

    long closeKey(RegistryKey key) override { return RegCloseKey(toHandle(key)); }
};

}  // namespace

std::unique_ptr<Registry> makeRegistry()
{
    return std::make_unique<WindowsRegistry>();
}

}  // namespace vellumar::win
