#pragma once

#include <cstdint>
#include <string>

namespace vellumar {

// A registry reader shaped like the three Windows calls it stands for
// (RegOpenKeyExA, RegQueryValueExA, RegCloseKey): same argument order, same
// Windows error codes. Texts are UTF-8 (converted to the ANSI code page on
// Windows).
using RegistryKey = std::uintptr_t;
using RegistryRoot = std::uintptr_t;

inline constexpr RegistryRoot kHkeyLocalMachine = 0x80000002u;
inline constexpr std::uint32_t kKeyRead = 0x20019u;

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;

class Registry {
public:
    virtual ~Registry() = default;
    virtual long openKey(RegistryRoot root, const std::string& subKey, std::uint32_t options,
                         std::uint32_t access, RegistryKey* key) = 0;
    // data receives at most *size bytes; *size is set to the bytes returned.
    // Data larger than *size gives kErrorMoreData.
    virtual long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                            unsigned char* data, std::uint32_t* size) = 0;
    virtual long closeKey(RegistryKey key) = 0;
};

}  // namespace vellumar
