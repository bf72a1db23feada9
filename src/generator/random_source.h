#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// What takeChosenClass took: how many bytes, and the class of the last (4
// when none of them was chosen).
struct ClassTake {
    std::size_t taken;
    std::uint32_t cls;
};

// Class draws over bytes as drawBelow(4, ...) makes them: one byte each, the
// class its top two bits, never drawn again (256 is a multiple of 4). Takes
// the bytes up to and including the first whose class is chosen (bit c of
// chosen for class c). Eight bytes at a time where words are little-endian:
// then its branches do not hang on each random class, as a loop of single
// draws that go again on an unchosen class does. It only reads the bytes:
// writing them (wiping) here would make the next read of the overlapping
// word wait for that write, a third of the time of a character.
inline ClassTake takeChosenClass(const std::uint8_t* bytes, std::size_t size, unsigned chosen)
{
    std::size_t taken = 0;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kTopBits = 0x8080808080808080u;
        const auto ifChosen = [chosen](unsigned cls) { return (chosen >> cls & 1u) != 0 ? ~std::uint64_t{0} : 0; };
        const std::uint64_t upper = ifChosen(0), lower = ifChosen(1), digit = ifChosen(2), special = ifChosen(3);
        for (; taken + 8 <= size; taken += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes + taken, 8);
            const std::uint64_t high = word;      // each byte's bit 7
            const std::uint64_t low = word << 1;  // its bit 6, moved to bit 7
            const std::uint64_t hits =
                ((upper & ~high & ~low) | (lower & ~high & low) | (digit & high & ~low) | (special & high & low)) &
                kTopBits;
            if (hits == 0)
                continue;
            const int bits = std::countr_zero(hits) + 1;  // the chosen byte's and all before it
            const auto cls = static_cast<std::uint32_t>(word >> (bits - 2) & 3u);
            return {taken + static_cast<std::size_t>(bits / 8), cls};
        }
    }
    while (taken < size) {
        const std::uint32_t cls = bytes[taken++] >> 6u;
        if ((chosen >> cls & 1u) != 0)
            return {taken, cls};
    }
    return {taken, 4};
}

// Draws from buffers of 16 KiB, each the ChaCha20 stream of its own key from
// the operating system's cryptographic generator (libsodium's
// randombytes_buf_deterministic). A bound up to 256 costs one byte per draw.
// Used bytes are wiped before a draw through the interface returns, and
// before a password that the generator makes with the draws below returns;
// the buffer is wiped when the source goes away.
class SodiumRandomSource final : public RandomSource {
public:
    SodiumRandomSource();
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
    // takeChosenClass, at least one): the bytes and the class that below(4)
    // in such a loop would take and give.
    std::uint32_t chosenClassKeepingUsed(unsigned chosen)
    {
        if (chosen == 15u)
            return takeByte() >> 6u;
        for (;;) {
            if (next_ == kBytes) [[unlikely]]
                refill();
            const ClassTake take = takeChosenClass(buffer_.data() + next_, kBytes - next_, chosen);
            next_ += take.taken;
            if (take.cls < 4)
                return take.cls;
        }
    }
    void wipeUsed()
    {
        std::memset(buffer_.data() + wiped_, 0, next_ - wiped_);
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

    // The bytes drawn from the current buffer so far, for tests: all zero
    // once wiped.
    std::span<const std::uint8_t> usedBytes() const { return {buffer_.data(), next_}; }

private:
    static constexpr std::size_t kBytes = 16384;
    // Fills the buffer afresh, over the used bytes not yet wiped.
    void refill();

    std::uint8_t takeByte()
    {
        if (next_ == kBytes) [[unlikely]]
            refill();
        return buffer_[next_++];
    }

    std::array<std::uint8_t, kBytes> buffer_{};
    std::size_t next_ = kBytes;
    std::size_t wiped_ = kBytes;  // bytes before it are zero or unused
};

}  // namespace vellumar
