// The draw below a bound over scripted bytes: the result, and how many bytes
// the rejection took. The bytes put the low part of byte * n (word * n) right
// at and right under the rejection threshold 256 mod n (2^32 mod n).
#include "generator/random_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace vellumar {
namespace {

TEST(DrawBelow, RejectsExactlyTheLowPartsUnderTheThreshold)
{
    const struct {
        std::uint32_t n;
        std::vector<std::uint8_t> bytes;
        std::uint32_t value;
        std::size_t used;  // bytes taken
    } cases[] = {
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
        // Above 256 a draw takes four bytes, the first the highest:
        // 0x01000000 * 257 = 2^32 + 2^24.
        {257, {1, 0, 0, 0}, 1, 4},
        // 2^32 mod (2^32 - 1) = 1: the word 0 is drawn again (twice), the
        // word 2^32 - 1 (low part 1) is kept.
        {0xFFFFFFFFu, {0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 7}, 0xFFFFFFFEu, 12},
    };
    for (const auto& c : cases) {
        std::size_t used = 0;
        EXPECT_EQ(drawBelow(c.n, [&] { return c.bytes.at(used++); }), c.value) << "n = " << c.n;
        EXPECT_EQ(used, c.used) << "n = " << c.n;
    }
}

}  // namespace
}  // namespace vellumar
