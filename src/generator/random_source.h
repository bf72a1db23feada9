#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vellumar {

// Source of uniform random whole numbers for the generator. An interface so
// that tests can script the exact draws.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Returns a uniformly distributed whole number in [0, n); n must be > 0.
    virtual std::uint32_t below(std::uint32_t n) = 0;
};

// The next four bytes as a 32-bit word, the first the highest.
template <class NextByte>
inline std::uint32_t wordFromBytes(NextByte& nextByte)
{
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i)
        word = (word << 8) | nextByte();
    return word;
}

// A uniform whole number below n drawn from random bytes that nextByte()
// returns; 0 for n below 2, without a byte. Multiply-and-shift with rejection
// (Lemire): the high part of x * n is uniform below n once the few x whose low
// part falls under 2^k mod n are drawn again. That remainder is below n and
// needs a division, so it is only worked out when the low part is below n.
// A bound up to 256 takes one byte per draw (k = 8), a larger one a word of
// four bytes (k = 32). A template so that tests can feed scripted bytes;
// declared inline because GCC otherwise left it out of line in the
// generator's loop, which made passwords 10 to 40 % slower to make.
template <class NextByte>
inline std::uint32_t drawBelow(std::uint32_t n, NextByte&& nextByte)
{
    if (n < 2)
        return 0;
    if (n <= 256) {
        std::uint32_t product = std::uint32_t{nextByte()} * n;
        if ((product & 0xFFu) < n) [[unlikely]] {
            const std::uint32_t threshold = (256u - n) % n;  // 256 mod n
            while ((product & 0xFFu) < threshold)
                product = std::uint32_t{nextByte()} * n;
        }
        return product >> 8;
    }
    const auto nextWord = [&nextByte] { return wordFromBytes(nextByte); };
    std::uint64_t product = std::uint64_t{nextWord()} * n;
    if (static_cast<std::uint32_t>(product) < n) [[unlikely]] {
        const std::uint32_t threshold = static_cast<std::uint32_t>(-n) % n;  // 2^32 mod n
        while (static_cast<std::uint32_t>(product) < threshold)
            product = std::uint64_t{nextWord()} * n;
    }
    return static_cast<std::uint32_t>(product >> 32);
}

// Draws from the operating system's cryptographic generator, directly where
// the system allows one call per buffer, else through libsodium. Random bytes
// are fetched a buffer at a time (one system call per 16 KiB rather than per
// draw), a bound up to 256 costs one byte per draw, and the buffer is wiped
// when the source goes away.
class SodiumRandomSource final : public RandomSource {
public:
    SodiumRandomSource();
    ~SodiumRandomSource() override;
    SodiumRandomSource(const SodiumRandomSource&) = delete;
    SodiumRandomSource& operator=(const SodiumRandomSource&) = delete;

    // Defined here so that callers that know the type can inline the draws.
    std::uint32_t below(std::uint32_t n) override
    {
        return drawBelow(n, [this] { return nextByte(); });
    }

    // Raw random bits from the buffer; exposed for streaming to statistical
    // test suites.
    std::uint8_t nextByte()
    {
        if (next_ == kBytes) [[unlikely]]
            refill();
        const std::uint8_t byte = buffer_[next_];
        buffer_[next_++] = 0;  // a used byte is not kept in memory
        return byte;
    }
    std::uint32_t nextWord()
    {
        auto next = [this] { return nextByte(); };
        return wordFromBytes(next);
    }

private:
    static constexpr std::size_t kBytes = 16384;
    void refill();

    std::array<std::uint8_t, kBytes> buffer_{};
    std::size_t next_ = kBytes;
};

}  // namespace vellumar
