#include "generator/random_source.h"

#include <sodium.h>

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
    randombytes_buf(buffer_.data(), buffer_.size());
    next_ = 0;
}

std::uint32_t SodiumRandomSource::nextWord()
{
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i)
        word = (word << 8) | nextByte();
    return word;
}

std::uint32_t SodiumRandomSource::belowWide(std::uint32_t n)
{
    std::uint64_t product = std::uint64_t{nextWord()} * n;
    if (static_cast<std::uint32_t>(product) < n) {
        const std::uint32_t threshold = static_cast<std::uint32_t>(-n) % n;  // 2^32 mod n
        while (static_cast<std::uint32_t>(product) < threshold)
            product = std::uint64_t{nextWord()} * n;
    }
    return static_cast<std::uint32_t>(product >> 32);
}

}  // namespace vellumar
