// Statistical checks of real passwords. Sample sizes are fixed and every
// threshold is set so that a correct generator fails less than once in a
// million runs of the whole file (union bound over all checks).
#include "generator/password_generator.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <string>

namespace vellumar {
namespace {

// Upper tail of the chi-square distribution by the Wilson-Hilferty
// approximation, at z = 5.3 standard deviations (p about 6e-8 per check).
double chiSquareLimit(int degreesOfFreedom)
{
    constexpr double z = 5.3;
    const double k = degreesOfFreedom;
    const double a = 2.0 / (9.0 * k);
    return k * std::pow(1.0 - a + z * std::sqrt(a), 3.0);
}

double chiSquare(const std::map<char, long>& counts, std::string_view alphabet, long total)
{
    const double expected = static_cast<double>(total) / static_cast<double>(alphabet.size());
    double sum = 0;
    for (char c : alphabet) {
        const auto it = counts.find(c);
        const double observed = it == counts.end() ? 0.0 : static_cast<double>(it->second);
        sum += (observed - expected) * (observed - expected) / expected;
    }
    return sum;
}

std::string makeSample(const PasswordOptions& options, int passwords)
{
    SodiumRandomSource random;
    std::string sample;
    for (int i = 0; i < passwords; ++i) {
        const auto password = generatePassword(options, random, [](std::string_view message) {
            ADD_FAILURE() << "unexpected message: " << message;
        });
        EXPECT_TRUE(password);
        if (password)
            sample += *password;
    }
    return sample;
}

CharacterClass classOf(char c)
{
    for (auto cls : {CharacterClass::Upper, CharacterClass::Lower, CharacterClass::Digit})
        if (classCharacters(cls).find(c) != std::string_view::npos)
            return cls;
    return CharacterClass::Special;
}

// Checks class shares and the spread of characters within every chosen class.
void checkSample(const PasswordOptions& options, const std::string& sample)
{
    const std::array<bool, 4> chosen{options.upper, options.lower, options.digits, options.special};
    std::array<long, 4> classCounts{};
    std::array<std::map<char, long>, 4> charCounts;
    for (char c : sample) {
        const auto cls = static_cast<std::size_t>(classOf(c));
        ASSERT_TRUE(classCharacters(static_cast<CharacterClass>(cls)).find(c) != std::string_view::npos)
            << "character outside every class: " << int(c);
        ASSERT_TRUE(chosen[cls]) << "character of an unchosen class: " << c;
        ++classCounts[cls];
        ++charCounts[cls][c];
    }

    int chosenCount = 0;
    for (bool b : chosen)
        chosenCount += b;
    const double expectedPerClass = static_cast<double>(sample.size()) / chosenCount;
    double classChi = 0;
    for (std::size_t cls = 0; cls < 4; ++cls) {
        if (!chosen[cls])
            continue;
        const double d = static_cast<double>(classCounts[cls]) - expectedPerClass;
        classChi += d * d / expectedPerClass;

        const std::string_view alphabet = classCharacters(static_cast<CharacterClass>(cls));
        for (char c : alphabet)
            EXPECT_GT(charCounts[cls][c], 0) << "never produced: " << c;
        EXPECT_LT(chiSquare(charCounts[cls], alphabet, classCounts[cls]),
                  chiSquareLimit(static_cast<int>(alphabet.size()) - 1))
            << "class " << cls;
    }
    if (chosenCount > 1) {
        EXPECT_LT(classChi, chiSquareLimit(chosenCount - 1));
    }
}

TEST(GeneratorStatistics, AllClassesShareEvenlyAndEveryCharacterOccurs)
{
    const PasswordOptions all{true, true, true, true, "32767"};
    const std::string sample = makeSample(all, 4);
    ASSERT_EQ(sample.size(), 4u * 32767u);
    checkSample(all, sample);
    for (char c : {'Z', 'z', '9', '~'})
        EXPECT_NE(sample.find(c), std::string::npos) << c;
    EXPECT_EQ(sample.find('`'), std::string::npos);
    EXPECT_EQ(sample.find(' '), std::string::npos);
}

TEST(GeneratorStatistics, TwoClassesWithRedrawsShareEvenly)
{
    // Upper and special: half of the class draws land on unchosen classes.
    const PasswordOptions upperSpecial{true, false, false, true, "32767"};
    checkSample(upperSpecial, makeSample(upperSpecial, 2));
}

TEST(GeneratorStatistics, SingleClassesStayInsideTheirRange)
{
    for (int cls = 0; cls < 4; ++cls) {
        const PasswordOptions single{cls == 0, cls == 1, cls == 2, cls == 3, "4000"};
        checkSample(single, makeSample(single, 2));
    }
}

}  // namespace
}  // namespace vellumar
