#include "generator/random_source.h"

#include <sodium.h>

#include <algorithm>
#include <array>
#include <utility>
#include <stdexcept>

namespace vellumar {

SodiumRandomSource::SodiumRandomSource(Fill fill) : fill_(std::move(fill))
{
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium could not be initialised");
}

SodiumRandomSource::~SodiumRandomSource()
{
    sodium_memzero(buffer_.data(), sizeof buffer_);
    sodium_memzero(chosenMarks_.data(), sizeof chosenMarks_);
}

void SodiumRandomSource::refill()
{
    // A fresh 32-byte key from the system's generator for every buffer,
    // stretched by ChaCha20 in this process: the kernel's generator gives
    // about a third of the bytes per second, and the batch list draws
    // hundreds of megabytes. The key is wiped at once, so nothing kept here
    // tells past or future buffers.
    if (fill_) {
        fill_(buffer_);
    } else {
        std::array<unsigned char, randombytes_SEEDBYTES> key{};
        randombytes_buf(key.data(), key.size());
        randombytes_buf_deterministic(buffer_.data(), buffer_.size(), key.data());
        sodium_memzero(key.data(), key.size());
    }
    next_ = 0;
    wiped_ = 0;
    chosenMarks_.fill(0);  // the marks of the bytes just overwritten
    markedFor_ = 0;
}

void SodiumRandomSource::markChosen(unsigned chosen)
{
    // Only the bytes not yet drawn; the others' marks stay wiped.
    const std::size_t first = next_ / 64;
    std::fill_n(chosenMarks_.begin(), first, std::uint64_t{0});
    for (std::size_t word = first; word < chosenMarks_.size(); ++word)
        chosenMarks_[word] = chosenClassBits(buffer_.data() + word * 64, chosen);
    chosenMarks_[first] &= ~std::uint64_t{0} << (next_ % 64);
    markedFor_ = chosen;
}

bool SodiumRandomSource::usedWiped() const
{
    const auto zero = [](auto value) { return value == 0; };
    const std::size_t fullWords = next_ / 64;
    return std::all_of(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(next_), zero) &&
           std::all_of(chosenMarks_.begin(), chosenMarks_.begin() + static_cast<std::ptrdiff_t>(fullWords), zero) &&
           (next_ % 64 == 0 || (chosenMarks_[fullWords] << (64 - next_ % 64)) == 0);
}

}  // namespace vellumar
