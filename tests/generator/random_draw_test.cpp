// The draw below a bound over scripted bytes: results, and how many bytes the
// rejection of the biased low parts took. The bytes are chosen so that the low
// part of byte * n (or word * n) lands right at and right under the rejection
// threshold 256 mod n (2^32 mod n).
#include "generator/random_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace vellumar {
namespace {

struct DrawCase {
    std::uint32_t n;
    std::vector<std::uint8_t> bytes;
    std::uint32_t value;
    std::size_t used;  // bytes taken
};

TEST(DrawBelow, RejectsExactlyTheLowPartsUnderTheThreshold)
{
    const DrawCase cases[] = {
        {0, {9}, 0, 0},
        {1, {9}, 0, 0},
        {4, {0}, 0, 1},  // 256 mod 4 = 0: nothing is rejected
        {4, {255}, 3, 1},
        {256, {255}, 255, 1},
        // 256 mod 31 = 8: 25 * 31 = 3 * 256 + 7 is drawn again (twice),
        // 248 * 31 = 30 * 256 + 8 is kept.
        {31, {25, 25, 248, 100}, 30, 3},
        // 256 mod 26 = 22: 50 * 26 = 5 * 256 + 20 again, 119 * 26 = 12 * 256 + 22 kept.
        {26, {50, 119, 100}, 12, 2},
        // Bounds above 256 take words of four bytes, the first the highest:
        // 0x01000000 * 257 = 2^32 + 2^24.
        {257, {1, 0, 0, 0}, 1, 4},
        // 2^32 mod (2^32 - 1) = 1: the word 0 (low part 0) is drawn again,
        // 2^32 - 1 (low part 1) is kept.
        {0xFFFFFFFFu, {0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 7}, 0xFFFFFFFEu, 12},
    };
    for (const DrawCase& c : cases) {
        std::size_t used = 0;
        const std::uint32_t value = drawBelow(c.n, [&] { return c.bytes.at(used++); });
        EXPECT_EQ(value, c.value) << "n = " << c.n;
        EXPECT_EQ(used, c.used) << "n = " << c.n;
    }
}

TEST(SodiumRandomSource, StaysBelowTheBoundAcrossRefills)
{
    SodiumRandomSource random;
    EXPECT_EQ(random.below(0), 0u);
    EXPECT_EQ(random.below(1), 0u);
    bool sawTop = false;
    for (int i = 0; i < 20000; ++i) {  // more than one 16 KiB buffer
        const std::uint32_t value = random.below(3);
        ASSERT_LT(value, 3u);
        sawTop = sawTop || value == 2;
    }
    EXPECT_TRUE(sawTop);
    for (int i = 0; i < 1000; ++i)
        ASSERT_LT(random.below(0x80000001u), 0x80000001u);  // about half the words rejected
}

}  // namespace
}  // namespace vellumar
