#include "runtime/win/ansi_text.h"

#include <windows.h>

namespace vellumar::win {
namespace {

bool isAscii(std::string_view text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::wstring toWide(UINT codePage, std::string_view text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string fromWide(UINT codePage, std::wstring_view wide)
{
    if (wide.empty())
        return {};
    const int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                        length, nullptr, nullptr);
    return text;
}

}  // namespace

bool fitsAnsi(std::string_view utf8)
{
    if (isAscii(utf8) || GetACP() == CP_UTF8)
        return true;
    const std::wstring wide = toWide(CP_UTF8, utf8);
    // No best-fit letters ("e" for "é"), and a default character means
    // one was lost. Code pages that refuse these flags count as not fitting.
    BOOL lost = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                           static_cast<int>(wide.size()), nullptr, 0, nullptr, &lost);
    return length > 0 && !lost;
}

std::wstring utf8ToWide(std::string_view utf8)
{
    return toWide(CP_UTF8, utf8);
}

std::string wideToUtf8(std::wstring_view wide)
{
    return fromWide(CP_UTF8, wide);
}

std::string utf8ToAnsi(std::string_view utf8)
{
    if (isAscii(utf8))
        return std::string(utf8);
    return fromWide(CP_ACP, toWide(CP_UTF8, utf8));
}

std::string ansiToUtf8(std::string_view ansi)
{
    if (isAscii(ansi))
        return std::string(ansi);
    return fromWide(CP_UTF8, toWide(CP_ACP, ansi));
}

}  // namespace vellumar::win
