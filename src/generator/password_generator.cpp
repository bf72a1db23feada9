#include "generator/password_generator.h"

#include "runtime/whole_number.h"

#include <array>
#include <cassert>
#include <type_traits>
#include <utility>

namespace vellumar {
namespace {

constexpr std::string_view kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kLower = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kDigits = "0123456789";

// Every printable ASCII punctuation character except the grave accent, in
// ascending order of code: 33-47, 58-64, 91-95, 123-126.
using SpecialCharacterTable = std::array<char, 31>;

constexpr SpecialCharacterTable buildSpecialTable()
{
    SpecialCharacterTable table{};
    std::size_t i = 0;
    constexpr std::pair<char, char> ranges[] = {{33, 47}, {58, 64}, {91, 95}, {123, 126}};
    for (auto [first, last] : ranges)
        for (char c = first; c <= last; ++c)
            table[i++] = c;
    return table;
}

constexpr SpecialCharacterTable kSpecial = buildSpecialTable();
static_assert(kSpecial[0] == '!' && kSpecial[14] == '/' && kSpecial[15] == ':' &&
              kSpecial[21] == '@' && kSpecial[22] == '[' && kSpecial[26] == '_' &&
              kSpecial[27] == '{' && kSpecial[30] == '~');

// The characters of each class, in the order a class draw maps onto them:
// upper-case letters, lower-case letters, digits, special characters.
constexpr std::string_view kAlphabets[4] = {kUpper, kLower, kDigits,
                                            {kSpecial.data(), kSpecial.size()}};

// Checks the options, then draws the characters: per position a class, again
// while it lands on an unchosen one, then a character of that class. One body
// for both kinds of source, so that the libsodium one's draws are inlined.
template <class Source>
std::optional<std::string> makePassword(const PasswordOptions& options, Source& random,
                                        const ShowMessage& showMessage)
{
    const bool chosen[4] = {options.upper, options.lower, options.digits, options.special};
    if (!(chosen[0] || chosen[1] || chosen[2] || chosen[3])) {
        showMessage(messages::kNoClassChosen);
        return std::nullopt;
    }

    const std::optional<std::int16_t> length = parseWholeNumber(options.lengthText);
    if (!length) {
        showMessage(messages::kBadLength);
        return std::nullopt;
    }
    if (*length <= 0)
        return std::string();

    std::string password(static_cast<std::size_t>(*length), '\0');
    if constexpr (std::is_same_v<Source, SodiumRandomSource>) {
        // The loop below with the class draws that go again searched in the
        // source's buffer, without a branch on each, and the used bytes wiped
        // once at the end rather than one at a time.
        const unsigned chosenBits = (chosen[0] ? 1u : 0u) | (chosen[1] ? 2u : 0u) | (chosen[2] ? 4u : 0u) |
                                    (chosen[3] ? 8u : 0u);
        for (char& c : password) {
            const std::string_view chars = kAlphabets[random.chosenClassKeepingUsed(chosenBits)];
            c = chars[random.belowKeepingUsed(static_cast<std::uint32_t>(chars.size()))];
        }
        random.wipeUsed();
        return password;
    }
    // An int counter: a 16-bit one could not step past 32767.
    for (int position = 0; position < *length;) {
        const std::uint32_t cls = random.below(4);
        if (cls > 3) {
            showMessage(messages::kBadClassDraw);
            return std::nullopt;
        }
        if (!chosen[cls])
            continue;  // draw the class of this position again
        const std::string_view chars = kAlphabets[cls];
        const std::uint32_t index = random.below(static_cast<std::uint32_t>(chars.size()));
        assert(index < chars.size());
        password[static_cast<std::size_t>(position)] = chars[index];
        ++position;
    }
    return password;
}

}  // namespace

std::optional<std::string> generatePassword(const PasswordOptions& options,
                                            RandomSource& random,
                                            const ShowMessage& showMessage)
{
    // The program's source is the libsodium one: draw from it without a
    // virtual call per draw.
    if (auto* sodium = dynamic_cast<SodiumRandomSource*>(&random))
        return makePassword(options, *sodium, showMessage);
    return makePassword(options, random, showMessage);
}

}  // namespace vellumar
