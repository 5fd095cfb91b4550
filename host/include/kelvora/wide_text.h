// Conversions between the host's wide strings and UTF-8, and the case-insensitive name comparison of symbol names.
#pragma once

#include <string>
#include <string_view>

namespace kelvora {

std::string toUtf8(std::wstring_view text);
// Invalid UTF-8 bytes become U+FFFD.
std::wstring fromUtf8(std::string_view text);

// A copy allocated with new[] (for ACHAR* results that the caller frees with acutDelString).
wchar_t* newWideString(std::wstring_view text);

// Case folding of symbol table and dictionary names: ASCII and Latin-1 letters fold to upper case.
// Inline: every entity read and written compares and hashes names with it.
inline wchar_t foldNameChar(wchar_t c)
{
    if (c >= L'a' && c <= L'z')
        return static_cast<wchar_t>(c - L'a' + L'A');
    // Latin-1 small letters (except the division sign and y with diaeresis, which has no Latin-1 capital).
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<wchar_t>(c - 0x20);
    return c;
}

inline bool namesEqual(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && foldNameChar(a[i]) != foldNameChar(b[i]))
            return false;
    return true;
}
// Ordering of folded names (for sorted iteration).
bool nameLess(std::wstring_view a, std::wstring_view b);

// The text a string shows once the %% control codes are applied: %%d degree sign, %%c diameter sign,
// %%p plus-minus sign, %%% percent sign, %%nnn the character nnn; %%u and %%o (underline, overline
// toggles) show nothing.
std::wstring expandTextControlCodes(std::wstring_view text);

}  // namespace kelvora
