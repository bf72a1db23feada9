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
    randombytes_buf(buffer_.data(), sizeof buffer_);
    next_ = 0;
}

std::uint32_t SodiumRandomSource::nextWord()
{
    if (next_ == kWords)
        refill();
    const std::uint32_t word = buffer_[next_];
    buffer_[next_++] = 0;  // a used word is not kept in memory
    return word;
}

std::uint32_t SodiumRandomSource::below(std::uint32_t n)
{
    if (n < 2)
        return 0;
    // Accept only words below the largest multiple of n that fits in 32 bits,
    // so that every remainder is equally likely.
    const std::uint32_t rejectFrom = static_cast<std::uint32_t>(-n) % n;  // 2^32 mod n
    for (;;) {
        const std::uint32_t word = nextWord();
        if (word >= rejectFrom)
            return word % n;
    }
}

}  // namespace vellumar
