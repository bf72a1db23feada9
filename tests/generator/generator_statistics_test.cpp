// Statistical checks of real passwords. Sample sizes are fixed and every
// threshold is set so that a correct generator fails less than once in a
// million runs of the whole file (union bound over all checks).
#include "generator/password_generator.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "expected_alphabets.h"

namespace vellumar {
namespace {

// Upper tail of the chi-square distribution by the Wilson-Hilferty
// approximation, at z = 5.3 standard deviations (p about 6e-8 per check).
double chiSquareLimit(std::size_t degreesOfFreedom)
{
    const double k = static_cast<double>(degreesOfFreedom), a = 2.0 / (9.0 * k);
    return k * std::pow(1.0 - a + 5.3 * std::sqrt(a), 3.0);
}

// Chi-square of the counts against equal shares.
double chiSquare(const std::vector<double>& counts)
{
    const double expected =
        std::accumulate(counts.begin(), counts.end(), 0.0) / static_cast<double>(counts.size());
    double sum = 0;
    for (double observed : counts)
        sum += (observed - expected) * (observed - expected) / expected;
    return sum;
}

TEST(GeneratorStatistics, ClassesAndTheirCharactersShareEvenly)
{
    const struct {
        std::array<bool, 4> chosen;
        std::size_t length;
        int passwords;
    } runs[] = {
        {{true, true, true, true}, 32767, 4},    // the longest length, made in full
        {{true, false, false, true}, 32767, 2},  // half the class draws are drawn again
        {{true, false, false, false}, 4000, 2}, {{false, true, false, false}, 4000, 2},
        {{false, false, true, false}, 4000, 2}, {{false, false, false, true}, 4000, 2},
    };
    for (const auto& run : runs) {
        SodiumRandomSource random;
        const auto [upper, lower, digits, special] = run.chosen;
        std::array<std::vector<double>, 4> counts;  // per class, per character
        for (std::size_t cls = 0; cls < 4; ++cls)
            counts[cls].assign(expected::kAlphabets[cls].size(), 0);
        for (int i = 0; i < run.passwords; ++i) {
            const auto password =
                generatePassword({upper, lower, digits, special, std::to_string(run.length)}, random,
                                 [](std::string_view m) { ADD_FAILURE() << m; });
            ASSERT_TRUE(password && password->size() == run.length);
            for (char c : *password) {
                std::size_t cls = 0, at = std::string_view::npos;
                for (; cls < 4 && at == std::string_view::npos; ++cls)
                    at = run.chosen[cls] ? expected::kAlphabets[cls].find(c) : at;
                ASSERT_NE(at, std::string_view::npos) << "character of no chosen class: " << c;
                ++counts[cls - 1][at];  // the class where it was found
            }
        }
        std::vector<double> classTotals;
        for (std::size_t cls = 0; cls < 4; ++cls) {
            if (run.chosen[cls]) {
                EXPECT_LT(chiSquare(counts[cls]), chiSquareLimit(counts[cls].size() - 1))
                    << "class " << cls;
                classTotals.push_back(std::accumulate(counts[cls].begin(), counts[cls].end(), 0.0));
            }
        }
        if (classTotals.size() > 1) {
            EXPECT_LT(chiSquare(classTotals), chiSquareLimit(classTotals.size() - 1));
        }
    }
}

}  // namespace
}  // namespace vellumar
