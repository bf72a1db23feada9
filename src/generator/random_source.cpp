#include "generator/random_source.h"

#include <sodium.h>

#include <array>
#include <stdexcept>

namespace vellumar {

SodiumRandomSource::SodiumRandomSource()
{
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium could not be initialised");
}

SodiumRandomSource::~SodiumRandomSource()
{
    sodium_memzero(buffer_.data(), sizeof buffer_);
}

void SodiumRandomSource::refill()
{
    // A fresh 32-byte key from the system's generator for every buffer,
    // stretched by ChaCha20 in this process: the kernel's generator gives
    // about a third of the bytes per second, and the batch list draws
    // hundreds of megabytes. The key is wiped at once, so nothing kept here
    // tells past or future buffers.
    std::array<unsigned char, randombytes_SEEDBYTES> key{};
    randombytes_buf(key.data(), key.size());
    randombytes_buf_deterministic(buffer_.data(), buffer_.size(), key.data());
    sodium_memzero(key.data(), key.size());
    next_ = 0;
    wiped_ = 0;
}

}  // namespace vellumar
