// libFuzzer target: the whole-number reading and the generator with arbitrary
// options and lengths. Checks the invariants rather than exact output.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "generator/password_generator.h"
#include "runtime/whole_number.h"

namespace {

using vellumar::CharacterClass;

// Deterministic draws taken from the input, so every finding replays.
class InputRandom final : public vellumar::RandomSource {
public:
    explicit InputRandom(std::uint64_t seed) : state_(seed | 1) {}
    std::uint32_t below(std::uint32_t n) override
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return n == 0 ? 0 : static_cast<std::uint32_t>(state_ % n);
    }

private:
    std::uint64_t state_;
};

// The reading spelled out the slow way, to compare against.
bool referenceRead(std::string_view text, long* value)
{
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return false;
    std::size_t end = text.find_last_not_of(" \t") + 1;
    std::string core(text.substr(begin, end - begin));
    std::size_t digits = (core[0] == '+' || core[0] == '-') ? 1 : 0;
    if (digits == core.size() || core.find_first_not_of("0123456789", digits) != std::string::npos)
        return false;
    const std::size_t firstNonZero = core.find_first_not_of('0', digits);
    if (firstNonZero != std::string::npos && core.size() - firstNonZero > 6)
        return false;  // far out of range
    *value = std::strtol(core.c_str(), nullptr, 10);
    return *value >= -32768 && *value <= 32767;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t flags = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    long expected = 0;
    const bool readable = referenceRead(text, &expected);
    const auto parsed = vellumar::parseWholeNumber(text);
    if (parsed.has_value() != readable || (readable && *parsed != expected))
        std::abort();

    vellumar::PasswordOptions options;
    options.upper = flags & 1;
    options.lower = flags & 2;
    options.digits = flags & 4;
    options.special = flags & 8;
    options.lengthText = std::string(text);

    std::uint64_t seed = size;
    for (std::size_t i = 0; i < size && i < 8; ++i)
        seed = seed * 131 + data[i];
    InputRandom random(seed);
    int messages = 0;
    const auto password =
        vellumar::generatePassword(options, random, [&messages](std::string_view) { ++messages; });

    const bool anyClass = options.upper || options.lower || options.digits || options.special;
    if (!anyClass || !readable) {
        if (password || messages != 1)
            std::abort();
        return 0;
    }
    if (!password || messages != 0)
        std::abort();
    if (password->size() != static_cast<std::size_t>(expected > 0 ? expected : 0))
        std::abort();
    const bool chosen[4] = {options.upper, options.lower, options.digits, options.special};
    for (char c : *password) {
        bool allowed = false;
        for (int cls = 0; cls < 4; ++cls)
            allowed = allowed || (chosen[cls] && vellumar::classCharacters(static_cast<CharacterClass>(cls))
                                                         .find(c) != std::string_view::npos);
        if (!allowed)
            std::abort();
    }
    return 0;
}
