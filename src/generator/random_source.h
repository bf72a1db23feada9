#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <span>

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

// Which of 64 bytes draw a chosen class (bit c of chosen for class c), as
// drawBelow(4, ...) draws a class from a byte: its top two bits (256 is a
// multiple of 4, so a class draw never goes again). Bit i is byte i's.
inline std::uint64_t chosenClassBits(const std::uint8_t* bytes, unsigned chosen)
{
    std::uint64_t bits = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Eight bytes at a time: each byte's bit 7 says whether its class is
        // chosen, and one multiplication gathers those eight bits.
        constexpr std::uint64_t kTopBits = 0x8080808080808080u;
        const auto ifChosen = [chosen](unsigned cls) { return (chosen >> cls & 1u) != 0 ? ~std::uint64_t{0} : 0; };
        const std::uint64_t upper = ifChosen(0), lower = ifChosen(1), digit = ifChosen(2), special = ifChosen(3);
        for (int at = 0; at < 64; at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes + at, 8);
            const std::uint64_t high = word;      // each byte's bit 7
            const std::uint64_t low = word << 1;  // its bit 6, moved to bit 7
            const std::uint64_t hits =
                ((upper & ~high & ~low) | (lower & ~high & low) | (digit & high & ~low) | (special & high & low)) &
                kTopBits;
            // Moves bit 8i of hits >> 7 to bit 56 + i; no other product of
            // the multiplication reaches bit 56 or carries into it.
            bits |= ((hits >> 7) * 0x0102040810204080u >> 56) << at;
        }
    } else {
        for (int i = 0; i < 64; ++i)
            bits |= std::uint64_t{chosen >> (bytes[i] >> 6u) & 1u} << i;
    }
    return bits;
}

// Draws from buffers of 16 KiB, each the ChaCha20 stream of its own key from
// the operating system's cryptographic generator (libsodium's
// randombytes_buf_deterministic). A bound up to 256 costs one byte per draw.
// Used bytes are wiped before a draw through the interface returns, and
// before a password that the generator makes with the draws below returns;
// the buffer is wiped when the source goes away.
class SodiumRandomSource final : public RandomSource {
public:
    // Fills a buffer; the system's is used when none is given. Tests give
    // bytes of their own.
    using Fill = std::function<void(std::span<std::uint8_t>)>;

    explicit SodiumRandomSource(Fill fill = {});
    ~SodiumRandomSource() override;
    SodiumRandomSource(const SodiumRandomSource&) = delete;
    SodiumRandomSource& operator=(const SodiumRandomSource&) = delete;

    std::uint32_t below(std::uint32_t n) override
    {
        const std::uint32_t value = belowKeepingUsed(n);
        wipeUsed();
        return value;
    }

    // The draws for callers that know the type, inlined; they leave the used
    // bytes for wipeUsed(), which the caller calls before it returns.
    std::uint32_t belowKeepingUsed(std::uint32_t n)
    {
        return drawBelow(n, [this] { return takeByte(); });
    }
    // Class draws, again while they land on an unchosen class (chosen as for
    // chosenClassBits, at least one): the bytes and the class that below(4)
    // in such a loop would take and give. The chosen bytes of the buffer are
    // marked once, so finding the next one takes no branch on each byte.
    std::uint32_t chosenClassKeepingUsed(unsigned chosen)
    {
        if (chosen == 15u)
            return takeByte() >> 6u;
        for (;;) {
            if (next_ == kBytes) [[unlikely]]
                refill();
            if (markedFor_ != chosen) [[unlikely]]
                markChosen(chosen);
            const std::size_t word = next_ / 64;
            const std::uint64_t ahead = chosenMarks_[word] >> (next_ % 64);
            if (ahead != 0) [[likely]] {
                next_ += static_cast<std::size_t>(std::countr_zero(ahead));
                return buffer_[next_++] >> 6u;
            }
            next_ = (word + 1) * 64;
        }
    }
    // Wipes the bytes used since the last wipe, and their marks.
    void wipeUsed()
    {
        std::memset(buffer_.data() + wiped_, 0, next_ - wiped_);
        std::size_t word = wiped_ / 64;
        for (; word < next_ / 64; ++word)
            chosenMarks_[word] = 0;
        if (next_ % 64 != 0)
            chosenMarks_[word] &= ~std::uint64_t{0} << (next_ % 64);
        wiped_ = next_;
    }

    // Raw random bits from the buffer, each wiped as it goes; for streaming
    // to statistical test suites.
    std::uint8_t nextByte()
    {
        const std::uint8_t byte = takeByte();
        wipeUsed();
        return byte;
    }
    std::uint32_t nextWord()
    {
        auto next = [this] { return nextByte(); };
        return wordFromBytes(next);
    }

    // For tests: how many bytes of the current buffer have been drawn, and
    // whether those bytes and their marks are all zero.
    std::size_t usedCount() const { return next_; }
    bool usedWiped() const;

private:
    static constexpr std::size_t kBytes = 16384;
    // Fills the buffer afresh, over the used bytes not yet wiped.
    void refill();
    void markChosen(unsigned chosen);

    std::uint8_t takeByte()
    {
        if (next_ == kBytes) [[unlikely]]
            refill();
        return buffer_[next_++];
    }

    Fill fill_;
    std::array<std::uint8_t, kBytes> buffer_{};
    std::size_t next_ = kBytes;
    std::size_t wiped_ = kBytes;  // bytes before it are zero or unused
    // Bit i of word w: whether byte 64 w + i draws a class of markedFor_
    // (0 after a refill: none marked yet).
    std::array<std::uint64_t, kBytes / 64> chosenMarks_{};
    unsigned markedFor_ = 0;
};

}  // namespace vellumar
