#include "generator/password_generator.h"

#include "runtime/whole_number.h"

#include <cassert>
#include <utility>

namespace vellumar {
namespace {

constexpr std::string_view kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kLower = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kDigits = "0123456789";

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

}  // namespace

SpecialCharacterTable makeSpecialCharacterTable()
{
    return kSpecial;
}

std::string_view classCharacters(CharacterClass cls)
{
    switch (cls) {
    case CharacterClass::Upper: return kUpper;
    case CharacterClass::Lower: return kLower;
    case CharacterClass::Digit: return kDigits;
    case CharacterClass::Special: return {kSpecial.data(), kSpecial.size()};
    }
    return {};
}

std::optional<std::string> generatePassword(const PasswordOptions& options,
                                            RandomSource& random,
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

    std::string password;
    if (*length <= 0)
        return password;
    password.reserve(static_cast<std::size_t>(*length));

    // An int counter: a 16-bit one could not step past 32767.
    for (int position = 0; position < *length;) {
        const std::uint32_t cls = random.below(4);
        if (cls > 3) {
            showMessage(messages::kBadClassDraw);
            return std::nullopt;
        }
        if (!chosen[cls])
            continue;  // draw the class of this position again
        const std::string_view chars = classCharacters(static_cast<CharacterClass>(cls));
        const std::uint32_t index = random.below(static_cast<std::uint32_t>(chars.size()));
        assert(index < chars.size());
        password.push_back(chars[index]);
        ++position;
    }
    return password;
}

}  // namespace vellumar
