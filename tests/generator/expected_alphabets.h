// The characters of each class in draw order (upper, lower, digits, special),
// written out rather than taken from the generator, so that a wrong table
// fails the tests.
#pragma once

#include <string_view>

namespace vellumar::expected {

inline constexpr std::string_view kAlphabets[4] = {
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz", "0123456789",
    R"(!"#$%&'()*+,-./:;<=>?@[\]^_{|}~)"};  // all punctuation but the grave accent

}  // namespace vellumar::expected
