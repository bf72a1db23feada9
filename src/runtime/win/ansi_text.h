#pragma once

#include <string>
#include <string_view>

namespace vellumar::win {

// Conversions between the program's UTF-8 text and the system's ANSI code
// page, for the ...A functions of the Windows API. Characters that the code
// page lacks become the code page's default character.
std::string utf8ToAnsi(std::string_view utf8);
std::string ansiToUtf8(std::string_view ansi);

// Whether the ANSI code page holds every character of a UTF-8 text: the
// ...A functions take it as it is; otherwise the ...W functions must.
bool fitsAnsi(std::string_view utf8);
std::wstring utf8ToWide(std::string_view utf8);
std::string wideToUtf8(std::wstring_view wide);

}  // namespace vellumar::win
