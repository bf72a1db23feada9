// libFuzzer target: the generator with arbitrary classes and length text gives
// one message, or a password of the length read from only the chosen classes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "expected_alphabets.h"
#include "generator/password_generator.h"
#include "runtime/whole_number.h"

namespace {

// Draws from a generator seeded with the input, so every finding replays.
struct InputRandom final : vellumar::RandomSource {
    explicit InputRandom(std::size_t seed) : engine(static_cast<std::uint_fast32_t>(seed)) {}
    std::uint32_t below(std::uint32_t n) override
    {
        return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(engine);
    }
    std::minstd_rand engine;
};

}  // namespace

// Bits 0 to 3 of the first byte choose upper, lower, digits, special; the rest is the length.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data), size), text = input.substr(1);
    std::string allowed;
    for (int cls = 0; cls < 4; ++cls)
        allowed += (data[0] >> cls & 1) != 0 ? vellumar::expected::kAlphabets[cls] : "";
    InputRandom random(std::hash<std::string>{}(input));
    int messages = 0;
    const auto password = vellumar::generatePassword(
        {(data[0] & 1) != 0, (data[0] & 2) != 0, (data[0] & 4) != 0, (data[0] & 8) != 0, text},
        random, [&messages](std::string_view) { ++messages; });
    const auto length = vellumar::parseWholeNumber(text);
    if (allowed.empty() || !length) {
        if (password || messages != 1)
            std::abort();
    } else if (!password || messages != 0 ||
               password->size() != static_cast<std::size_t>(std::max<int>(*length, 0)) ||
               password->find_first_not_of(allowed) != std::string::npos) {
        std::abort();
    }
    return 0;
}
