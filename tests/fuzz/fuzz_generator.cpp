// libFuzzer target: the whole-number reading and the generator with arbitrary
// options and lengths. Checks the invariants rather than exact output.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <string_view>

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

// The reading spelled out the slow way: an optional sign and digits between
// blanks, from -32768 to 32767.
bool referenceRead(std::string_view text, long* value)
{
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return false;
    const std::string core(text.substr(begin, text.find_last_not_of(" \t") + 1 - begin));
    const std::size_t digits = (core[0] == '+' || core[0] == '-') ? 1 : 0;
    if (digits == core.size() || core.find_first_not_of("0123456789", digits) != std::string::npos)
        return false;
    const std::size_t firstNonZero = core.find_first_not_of('0', digits);
    if (firstNonZero != std::string::npos && core.size() - firstNonZero > 6)
        return false;  // far out of range
    *value = std::strtol(core.c_str(), nullptr, 10);
    return *value >= -32768 && *value <= 32767;
}

}  // namespace

// The first byte chooses the classes, the rest is the length text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data), size), text = input.substr(1);
    long length = 0;
    const bool readable = referenceRead(text, &length);
    const auto parsed = vellumar::parseWholeNumber(text);
    if (parsed.has_value() != readable || (readable && *parsed != length))
        std::abort();

    const bool chosen[4] = {(data[0] & 1) != 0, (data[0] & 2) != 0, (data[0] & 4) != 0,
                            (data[0] & 8) != 0};
    InputRandom random(std::hash<std::string_view>{}(input));
    int messages = 0;
    const auto password = vellumar::generatePassword(
        {chosen[0], chosen[1], chosen[2], chosen[3], std::string(text)}, random,
        [&messages](std::string_view) { ++messages; });
    if (!(chosen[0] || chosen[1] || chosen[2] || chosen[3]) || !readable) {
        if (password || messages != 1)
            std::abort();
        return 0;
    }
    if (!password || messages != 0 ||
        password->size() != static_cast<std::size_t>(std::max(length, 0L)))
        std::abort();
    for (char c : *password) {
        int cls = 0;
        while (cls < 4 &&
               !(chosen[cls] && vellumar::expected::kAlphabets[cls].find(c) != text.npos))
            ++cls;
        if (cls == 4)
            std::abort();  // a character of no chosen class
    }
    return 0;
}
