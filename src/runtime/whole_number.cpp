#include "runtime/whole_number.h"

namespace vellumar {
namespace {
bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
}  // namespace

std::optional<std::int16_t> parseWholeNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;

    // Accumulate in a wide type and stop as soon as the value leaves the
    // 16-bit range, so that any number of (leading zero) digits is safe.
    std::int32_t magnitude = 0;
    const std::int32_t limit = negative ? 32768 : 32767;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int16_t>(negative ? -magnitude : magnitude);
}

}  // namespace vellumar
