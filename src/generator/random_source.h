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

// Draws from the operating system's cryptographic generator through libsodium.
// Random bytes are fetched a buffer at a time (one system call per 16 KiB
// rather than per draw), a bound up to 256 costs one byte per draw, and the
// buffer is wiped when the source goes away.
class SodiumRandomSource final : public RandomSource {
public:
    SodiumRandomSource();
    ~SodiumRandomSource() override;
    SodiumRandomSource(const SodiumRandomSource&) = delete;
    SodiumRandomSource& operator=(const SodiumRandomSource&) = delete;

    // Defined here so that callers that know the type can inline the draws.
    std::uint32_t below(std::uint32_t n) override
    {
        if (n < 2)
            return 0;
        // Multiply-and-shift with rejection (Lemire): the high part of x * n
        // is uniform below n once the few values whose low part falls under
        // (2^k - n) mod n are drawn again. It needs a division only in the
        // rare case that the low part is below n.
        if (n <= 256) {
            std::uint32_t product = std::uint32_t{nextByte()} * n;
            if ((product & 0xFFu) < n) [[unlikely]] {
                const std::uint32_t threshold = (256u - n) % n;
                while ((product & 0xFFu) < threshold)
                    product = std::uint32_t{nextByte()} * n;
            }
            return product >> 8;
        }
        return belowWide(n);
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
    std::uint32_t nextWord();

private:
    static constexpr std::size_t kBytes = 16384;
    void refill();
    std::uint32_t belowWide(std::uint32_t n);

    std::array<std::uint8_t, kBytes> buffer_{};
    std::size_t next_ = kBytes;
};

}  // namespace vellumar
