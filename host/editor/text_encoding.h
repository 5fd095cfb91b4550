// Conversions between the host's wide strings and the UTF-8 of scripts, transcripts and files.
#pragma once

#include <string>
#include <string_view>

namespace kelvora {

// Wide text as UTF-8; a value that is no Unicode scalar (a surrogate, above U+10FFFF) becomes U+FFFD.
std::string utf8FromWide(std::wstring_view text);

// UTF-8 as wide text. A byte that does not start a well-formed sequence is read as the
// Windows-1252/Latin-1 character of that value, so that a script saved in a legacy code page
// still reads as its author typed it.
std::wstring wideFromUtf8(std::string_view text);

// Simple case folding for names and captions: ASCII and Latin-1 letters ("É" folds to "é").
wchar_t foldCase(wchar_t ch);
wchar_t upperCase(wchar_t ch);
bool equalNoCase(std::wstring_view a, std::wstring_view b);
int compareNoCase(std::wstring_view a, std::wstring_view b);
std::wstring toUpper(std::wstring_view text);

}  // namespace kelvora
