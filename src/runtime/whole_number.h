#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vellumar {

// Reads text typed into a number field as a signed 16-bit whole number:
// optional blanks (spaces or tabs) around it, an optional + or - sign directly
// before decimal digits, and a value from -32768 to 32767. Anything else
// (empty text, letters, a decimal point, an exponent, a value out of range)
// gives nothing.
std::optional<std::int16_t> parseWholeNumber(std::string_view text);

}  // namespace vellumar
