// Exact behaviour of the generator with scripted draws.
#include "generator/password_generator.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "expected_alphabets.h"

namespace vellumar {
namespace {

// Returns the given draws in order (throws when they run out) and records
// every bound.
struct Draws final : RandomSource {
    explicit Draws(std::vector<std::uint32_t> v) : values(std::move(v)) {}
    std::uint32_t below(std::uint32_t n) override
    {
        bounds.push_back(n);
        return values.at(bounds.size() - 1);
    }
    std::vector<std::uint32_t> values, bounds;
};

TEST(PasswordGenerator, DrawsMapOntoEveryCharacterOfEveryClass)
{
    for (std::uint32_t cls = 0; cls < 4; ++cls) {
        const std::string_view alphabet = expected::kAlphabets[cls];
        const auto size = static_cast<std::uint32_t>(alphabet.size());
        Draws draws({});
        std::vector<std::uint32_t> bounds;
        for (std::uint32_t i = 0; i < size; ++i) {
            draws.values.insert(draws.values.end(), {cls, i});
            bounds.insert(bounds.end(), {4, size});
        }
        EXPECT_EQ(generatePassword({true, true, true, true, std::to_string(size)}, draws,
                                   [](std::string_view m) { ADD_FAILURE() << m; }),
                  std::string(alphabet));
        EXPECT_EQ(draws.bounds, bounds);
    }
}

TEST(PasswordGenerator, OptionsGiveThePasswordOrTheirMessage)
{
    const std::string noClass =
        "Your have to check at least one of the check boxes to create a password.";
    const std::string badLength =
        "The number of characters must be a whole number from 0 to 32767.";
    const struct {
        std::array<bool, 4> classes;
        std::vector<std::string> lengths;
        std::vector<std::uint32_t> draws;
        std::optional<std::string> password;
        std::string message;  // none when empty
    } cases[] = {
        // Only digits: the class draws 0, 1 and 3 are drawn again.
        {{false, false, true, false}, {"2"}, {0, 1, 3, 2, 7, 2, 4}, "74", ""},
        {{false, true, false, false}, {"1", " 1 ", "+1"}, {1, 25}, "z", ""},
        {{true, true, true, true}, {"3"}, {1, 0, 4}, std::nullopt,
         "Error in generating password, type is greater than 3."},
        {{false, false, false, false}, {"7", "abc", "", "99999"}, {}, std::nullopt, noClass},
        {{true, false, false, false}, {"0", "-5", " -32768 ", "-0"}, {}, "", ""},
        {{false, true, false, false}, {"", "abc", "12.5", "1e3", "99999", "32768", "7x", "- 7", "0x10"},
         {}, std::nullopt, badLength},
    };
    for (const auto& c : cases) {
        for (const std::string& length : c.lengths) {
            Draws draws(c.draws);
            std::vector<std::string> shown;
            const auto [upper, lower, digits, special] = c.classes;
            EXPECT_EQ(generatePassword({upper, lower, digits, special, length}, draws,
                                       [&shown](std::string_view m) { shown.emplace_back(m); }),
                      c.password)
                << '"' << length << '"';
            EXPECT_EQ(shown, std::vector<std::string>(!c.message.empty(), c.message)) << length;
            EXPECT_EQ(draws.bounds.size(), c.draws.size()) << length;
        }
    }
}

}  // namespace
}  // namespace vellumar
