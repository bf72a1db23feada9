// Each class's characters in draw order, written out so that a wrong generator table fails.
#pragma once
#include <string_view>
namespace vellumar::expected {
inline constexpr std::string_view kAlphabets[4] = {
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz", "0123456789",
    R"(!"#$%&'()*+,-./:;<=>?@[\]^_{|}~)"};  // all punctuation but the grave accent
}  // namespace vellumar::expected
