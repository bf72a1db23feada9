#include "runtime/whole_number.h"

#include <gtest/gtest.h>

namespace vellumar {
namespace {

TEST(WholeNumber, ReadsSignedSixteenBitNumbersWithBlanksAroundOnly)
{
    const std::pair<const char*, int> numbers[] = {
        {"7", 7},         {"0", 0},           {"-0", 0},          {"+12", 12},
        {"  42\t", 42},   {"\t-5 ", -5},      {"32767", 32767},   {"-32768", -32768},
        {"0007", 7},      {"000000000000000000032767", 32767},
    };
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(parseWholeNumber(text), value) << '"' << text << '"';
    for (const char* text : {"", " ", "+", "-", "abc", "12.5", "1e3", "1,000", "0x10", "32768",
                             "-32769", "99999", "99999999999999999999", "- 7", "7 7", "+-7",
                             "\xef\xbc\x97" /* full-width 7 */, "7\n"})
        EXPECT_EQ(parseWholeNumber(text), std::nullopt) << '"' << text << '"';
}

}  // namespace
}  // namespace vellumar
