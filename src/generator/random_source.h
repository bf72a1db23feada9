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

    std::uint32_t below(std::uint32_t n) override;

    // Raw random bits from the buffer; exposed for streaming to statistical
    // test suites.
    std::uint8_t nextByte();
    std::uint32_t nextWord();

private:
    static constexpr std::size_t kBytes = 16384;
    void refill();

    std::array<std::uint8_t, kBytes> buffer_{};
    std::size_t next_ = kBytes;
};

}  // namespace vellumar
