// The draw below a bound over scripted bytes, the generator over scripted and real draws.
#include "generator/password_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "expected_alphabets.h"

namespace vellumar {
namespace {

// Returns the given draws in order; throws when they run out.
struct Draws final : RandomSource {
    explicit Draws(std::vector<std::uint32_t> v) : values(std::move(v)) {}
    std::uint32_t below(std::uint32_t) override { return values.at(taken++); }
    std::vector<std::uint32_t> values;
    std::size_t taken = 0;
};

const ShowMessage kNoMessage = [](std::string_view m) { ADD_FAILURE() << m; };

// Bound, bytes, value, bytes taken. The bytes put the low part of byte * n
// (word * n) right at and right under the threshold 256 mod n (2^32 mod n).
TEST(GeneratorDraw, RejectsExactlyTheLowPartsUnderTheThreshold)
{
    const std::tuple<unsigned, std::vector<std::uint8_t>, unsigned, std::size_t> cases[] = {
        {1, {9}, 0, 0}, {256, {255}, 255, 1}, {257, {1, 0, 0, 0}, 1, 4},  // first byte highest
        // 256 mod 31 = 8: 25 * 31 (low part 7) is drawn again twice, 248 * 31 (low part 8) kept.
        {31, {25, 25, 248, 100}, 30, 3},
        // 2^32 mod (2^32 - 1) = 1: the word 0 is drawn again twice, 2^32 - 1 (low part 1) kept.
        {0xFFFFFFFFu, {0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 7}, 0xFFFFFFFEu, 12},
    };
    for (const auto& [n, bytes, value, taken] : cases) {
        std::size_t used = 0;
        EXPECT_EQ(drawBelow(n, [&] { return bytes.at(used++); }), value) << n;
        EXPECT_EQ(used, taken) << n;
    }
}

TEST(PasswordGenerator, OptionsGiveThePasswordOrTheirMessage)
{
    const struct {
        std::array<bool, 4> classes;
        std::string length;
        std::vector<std::uint32_t> draws;
        std::optional<std::string> password;
        std::string message;  // none when empty
    } cases[] = {
        // Only digits: the class draws 0, 1 and 3 are drawn again.
        {{false, false, true, false}, "2", {0, 1, 3, 2, 7, 2, 4}, "74", ""},
        {{false, true, false, false}, "1", {1, 25}, "z", ""},
        {{true, false, false, false}, "0", {}, "", ""},
        {{true, false, false, false}, "-5", {}, "", ""},
        {{true, true, true, true}, "3", {1, 0, 4}, std::nullopt,
         "Error in generating password, type is greater than 3."},
        {{false, false, false, false}, "abc", {}, std::nullopt,
         "Your have to check at least one of the check boxes to create a password."},
        {{false, true, false, false}, "abc", {}, std::nullopt,
         "The number of characters must be a whole number from 0 to 32767."},
    };
    for (const auto& c : cases) {
        Draws draws(c.draws);
        std::vector<std::string> shown;
        const auto [upper, lower, digits, special] = c.classes;
        EXPECT_EQ(generatePassword({upper, lower, digits, special, c.length}, draws,
                                   [&shown](std::string_view m) { shown.emplace_back(m); }),
                  c.password) << c.length;
        EXPECT_EQ(shown, std::vector<std::string>(!c.message.empty(), c.message)) << c.length;
        EXPECT_EQ(draws.taken, c.draws.size()) << c.length;
    }
}

// Real draws: a long password of the chosen classes uses every one of their
// characters and no other; the random bytes it used are wiped.
TEST(GeneratorWithSodium, UsesEveryCharacterOfTheChosenClassesOnly)
{
    SodiumRandomSource random;
    for (const unsigned chosen : {15u, 9u, 1u, 2u, 4u, 8u}) {  // classes as bits, upper first
        std::string allowed;
        for (unsigned cls = 0; cls < 4; ++cls)
            allowed += (chosen >> cls & 1) != 0 ? expected::kAlphabets[cls] : "";
        const auto password = generatePassword({(chosen & 1) != 0, (chosen & 2) != 0, (chosen & 4) != 0,
                                                (chosen & 8) != 0, "32767"}, random, kNoMessage);
        ASSERT_TRUE(password && password->size() == 32767);
        EXPECT_EQ(std::set<char>(password->begin(), password->end()), std::set<char>(allowed.begin(), allowed.end()))
            << chosen;
        EXPECT_GT(random.usedCount(), 0u) << chosen;
        EXPECT_TRUE(random.usedWiped()) << chosen;
    }
}

// The buffered source's inlined draws (the class search over marked bytes,
// the used bytes wiped once a password) make the same passwords as the draws
// one by one through the interface over the same bytes: for every set of
// classes, short passwords and long ones across buffers, and a change of
// classes in the middle of a buffer.
TEST(GeneratorWithSodium, InlinedDrawsAreTheDrawsThroughTheInterface)
{
    struct ByteDraws final : RandomSource {
        explicit ByteDraws(std::mt19937& g) : bytes(g) {}
        std::uint32_t below(std::uint32_t n) override
        {
            return drawBelow(n, [this] { return static_cast<std::uint8_t>(bytes()); });
        }
        std::mt19937& bytes;
    };
    const auto fillFrom = [](std::mt19937& g) {
        return [&g](std::span<std::uint8_t> buffer) {
            for (std::uint8_t& byte : buffer)
                byte = static_cast<std::uint8_t>(g());
        };
    };
    std::mt19937 inlinedBytes(7);
    std::mt19937 oneByOneBytes(7);
    SodiumRandomSource inlined(fillFrom(inlinedBytes));
    ByteDraws oneByOne(oneByOneBytes);
    for (const char* length : {"1", "7", "32767"}) {
        for (unsigned chosen = 1; chosen < 16; ++chosen) {  // classes as bits, upper first
            const PasswordOptions options{(chosen & 1) != 0, (chosen & 2) != 0, (chosen & 4) != 0, (chosen & 8) != 0,
                                          length};
            const auto expected = generatePassword(options, oneByOne, kNoMessage);
            EXPECT_EQ(generatePassword(options, inlined, kNoMessage), expected) << chosen << ' ' << length;
            EXPECT_TRUE(inlined.usedWiped()) << chosen << ' ' << length;
        }
    }
}

// Each 16 KiB buffer of the program's source is its own: no two of the first
// four of a source, or of two sources, share their first 32 bytes (a key that
// was not fresh would repeat a whole stream).
TEST(GeneratorWithSodium, EveryBufferIsFresh)
{
    constexpr std::size_t kBuffer = 16384;
    std::set<std::string> starts;
    for (int source = 0; source < 2; ++source) {
        SodiumRandomSource sodium;
        for (int buffer = 0; buffer < 4; ++buffer) {
            std::string bytes(kBuffer, '\0');
            for (char& byte : bytes)
                byte = static_cast<char>(sodium.nextByte());
            EXPECT_TRUE(starts.insert(bytes.substr(0, 32)).second) << source << ' ' << buffer;
        }
    }
}

// The program's source draws uniformly below the generator's bounds, through
// the interface the generator calls: a chi-square test of 2^20 draws a bound
// against the value chance passes once in 10^7 runs (n - 1 degrees of freedom).
// A byte modulo n, its low values 1/9 to 1/2 likelier, scores 1400 and more.
TEST(GeneratorWithSodium, DrawsBelowABoundUniformly)
{
    SodiumRandomSource sodium;
    RandomSource& random = sodium;
    for (const auto& [n, limit] : {std::pair{26u, 80.36}, {31u, 88.79}, {62u, 136.66}, {93u, 180.62}}) {
        std::vector<double> counts(n);
        for (int i = 0; i < 1 << 20; ++i)
            ++counts.at(random.below(n));
        const double expected = (1 << 20) / static_cast<double>(n);
        double chiSquare = 0;
        for (const double count : counts)
            chiSquare += (count - expected) * (count - expected) / expected;
        EXPECT_LT(chiSquare, limit) << n;
        EXPECT_TRUE(sodium.usedWiped()) << n;
    }
}

}  // namespace
}  // namespace vellumar
