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

std::uint8_t SodiumRandomSource::nextByte()
{
    if (next_ == kBytes)
        refill();
    const std::uint8_t byte = buffer_[next_];
    buffer_[next_++] = 0;  // a used byte is not kept in memory
    return byte;
}

std::uint32_t SodiumRandomSource::nextWord()
{
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i)
        word = (word << 8) | nextByte();
    return word;
}

std::uint32_t SodiumRandomSource::below(std::uint32_t n)
{
    if (n < 2)
        return 0;
    // Rejection sampling: accept only values below the largest multiple of n
    // that the drawn bits can hold, so that every remainder is equally likely.
    if (n <= 256) {
        const std::uint32_t acceptBelow = 256 - 256 % n;
        for (;;) {
            const std::uint32_t byte = nextByte();
            if (byte < acceptBelow)
                return byte % n;
        }
    }
    const std::uint32_t rejectBelow = static_cast<std::uint32_t>(-n) % n;  // 2^32 mod n
    for (;;) {
        const std::uint32_t word = nextWord();
        if (word >= rejectBelow)
            return word % n;
    }
}

}  // namespace vellumar
