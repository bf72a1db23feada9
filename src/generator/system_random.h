#pragma once

#include <cstddef>
#include <cstdint>

namespace vellumar {

// Fills size bytes from the operating system's cryptographic generator in one
// system call where the system allows it (Linux: getrandom, where libsodium
// makes one call per 256 bytes). Returns false where there is no such call or
// it failed; the caller then uses libsodium's.
bool fillFromSystem(std::uint8_t* data, std::size_t size);

}  // namespace vellumar
