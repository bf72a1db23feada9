// Exact behaviour of the generator with scripted draws.
#include "generator/password_generator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripted_random.h"

namespace vellumar {
namespace {

using testing::ScriptedRandom;

struct Messages {
    std::vector<std::string> shown;
    ShowMessage callback()
    {
        return [this](std::string_view text) { shown.emplace_back(text); };
    }
};

PasswordOptions options(bool upper, bool lower, bool digits, bool special, std::string length)
{
    return PasswordOptions{upper, lower, digits, special, std::move(length)};
}

TEST(PasswordGenerator, MapsClassAndCharacterDrawsToTheFullRanges)
{
    // Class draw, then character draw, per position; the last entry of every
    // class is reachable (Z, z, 9, ~).
    ScriptedRandom random{0, 0, 0, 25, 1, 0, 1, 25, 2, 0, 2, 9, 3, 0, 3, 30};
    Messages messages;
    const auto password = generatePassword(options(true, true, true, true, "8"), random,
                                           messages.callback());
    ASSERT_TRUE(password);
    EXPECT_EQ(*password, "AZaz09!~");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(random.remaining(), 0u);
    const std::deque<std::uint32_t> bounds{4, 26, 4, 26, 4, 26, 4, 26, 4, 10, 4, 10, 4, 31, 4, 31};
    EXPECT_EQ(random.bounds, bounds);
}

TEST(PasswordGenerator, RedrawsTheClassWhileItLandsOnAnUnchosenOne)
{
    // Only digits: class draws 0, 1 and 3 are repeated, 2 takes the position.
    ScriptedRandom random{0, 1, 3, 2, 7, 2, 4};
    Messages messages;
    const auto password =
        generatePassword(options(false, false, true, false, "2"), random, messages.callback());
    ASSERT_TRUE(password);
    EXPECT_EQ(*password, "74");
    EXPECT_EQ(random.remaining(), 0u);
}

TEST(PasswordGenerator, SpecialTableIsAllPunctuationButTheGraveAccent)
{
    const SpecialCharacterTable table = makeSpecialCharacterTable();
    std::string expected;
    for (int c = 33; c < 127; ++c) {
        const bool punctuation = !(c >= '0' && c <= '9') && !(c >= 'A' && c <= 'Z') &&
                                 !(c >= 'a' && c <= 'z') && c != '`';
        if (punctuation)
            expected.push_back(static_cast<char>(c));
    }
    EXPECT_EQ(std::string(table.begin(), table.end()), expected);
    EXPECT_EQ(classCharacters(CharacterClass::Upper), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(classCharacters(CharacterClass::Lower), "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(classCharacters(CharacterClass::Digit), "0123456789");
}

TEST(PasswordGenerator, NoClassChosenShowsItsMessageWithoutReadingTheLength)
{
    for (const char* length : {"7", "abc", "", "99999"}) {
        ScriptedRandom random{};
        Messages messages;
        const auto password =
            generatePassword(options(false, false, false, false, length), random, messages.callback());
        EXPECT_FALSE(password) << length;
        ASSERT_EQ(messages.shown.size(), 1u) << length;
        EXPECT_EQ(messages.shown[0],
                  "Your have to check at least one of the check boxes to create a password.");
        EXPECT_TRUE(random.bounds.empty());
    }
}

TEST(PasswordGenerator, LengthOfZeroOrLessGivesEmptyTextWithoutMessage)
{
    for (const char* length : {"0", "-5", " -32768 ", "-0"}) {
        ScriptedRandom random{};
        Messages messages;
        const auto password =
            generatePassword(options(true, false, false, false, length), random, messages.callback());
        ASSERT_TRUE(password) << length;
        EXPECT_EQ(*password, "") << length;
        EXPECT_TRUE(messages.shown.empty()) << length;
    }
}

TEST(PasswordGenerator, LengthThatIsNoWholeNumberShowsTheLengthMessage)
{
    for (const char* length : {"", "abc", "12.5", "1e3", "99999", "32768", "7x", "- 7", "0x10"}) {
        ScriptedRandom random{};
        Messages messages;
        const auto password =
            generatePassword(options(false, true, false, false, length), random, messages.callback());
        EXPECT_FALSE(password) << length;
        ASSERT_EQ(messages.shown.size(), 1u) << length;
        EXPECT_EQ(messages.shown[0], "The number of characters must be a whole number from 0 to 32767.");
        EXPECT_TRUE(random.bounds.empty()) << length;
    }
}

TEST(PasswordGenerator, ClassDrawAboveThreeIsCaughtByTheGuard)
{
    ScriptedRandom random{1, 0, 4};
    Messages messages;
    const auto password =
        generatePassword(options(true, true, true, true, "3"), random, messages.callback());
    EXPECT_FALSE(password);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Error in generating password, type is greater than 3.");
}

TEST(PasswordGenerator, LongestLengthIsMadeInFull)
{
    SodiumRandomSource random;
    Messages messages;
    const auto password =
        generatePassword(options(true, true, true, true, "32767"), random, messages.callback());
    ASSERT_TRUE(password);
    EXPECT_EQ(password->size(), 32767u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(SodiumRandomSource, StaysBelowTheBoundAndHandlesTrivialBounds)
{
    SodiumRandomSource random;
    EXPECT_EQ(random.below(0), 0u);
    EXPECT_EQ(random.below(1), 0u);
    bool sawTop = false;
    // Crosses several buffer refills.
    for (int i = 0; i < 10000; ++i) {
        const std::uint32_t value = random.below(3);
        ASSERT_LT(value, 3u);
        sawTop = sawTop || value == 2;
    }
    EXPECT_TRUE(sawTop);
    for (int i = 0; i < 1000; ++i)
        ASSERT_LT(random.below(0x80000001u), 0x80000001u);  // most words rejected here
}

}  // namespace
}  // namespace vellumar
