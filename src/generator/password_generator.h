#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "generator/random_source.h"

namespace vellumar {

// What the user chose in the main window, read afresh for every password.
struct PasswordOptions {
    bool upper = false;
    bool lower = true;
    bool digits = true;
    bool special = false;
    std::string lengthText = "7";  // converted only when a class is chosen
};

namespace messages {
inline constexpr std::string_view kNoClassChosen =
    "Your have to check at least one of the check boxes to create a password.";
inline constexpr std::string_view kBadClassDraw =
    "Error in generating password, type is greater than 3.";
inline constexpr std::string_view kBadLength =
    "The number of characters must be a whole number from 0 to 32767.";
}  // namespace messages

using ShowMessage = std::function<void(std::string_view)>;

// Makes one password. Returns the password (empty for a length of 0 or less),
// or nothing after telling the user through showMessage why none was made.
// With the buffered system source behind the interface its draws are
// inlined rather than called through the interface.
std::optional<std::string> generatePassword(const PasswordOptions& options,
                                            RandomSource& random,
                                            const ShowMessage& showMessage);

}  // namespace vellumar
