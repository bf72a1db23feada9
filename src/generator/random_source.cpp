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
    // Multiply-and-shift with rejection (Lemire): the high part of x * n is
    // uniform below n once the few values whose low part falls under
    // (2^k - n) mod n are drawn again. It needs a division only in the rare
    // case that the low part is below n.
    if (n <= 256) {
        std::uint32_t product = std::uint32_t{nextByte()} * n;
        if ((product & 0xFFu) < n) {
            const std::uint32_t threshold = (256u - n) % n;
            while ((product & 0xFFu) < threshold)
                product = std::uint32_t{nextByte()} * n;
        }
        return product >> 8;
    }
    std::uint64_t product = std::uint64_t{nextWord()} * n;
    if (static_cast<std::uint32_t>(product) < n) {
        const std::uint32_t threshold = static_cast<std::uint32_t>(-n) % n;  // 2^32 mod n
        while (static_cast<std::uint32_t>(product) < threshold)
            product = std::uint64_t{nextWord()} * n;
    }
    return static_cast<std::uint32_t>(product >> 32);
}

}  // namespace vellumar
