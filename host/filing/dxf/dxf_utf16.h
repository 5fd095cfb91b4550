// UTF-8 to UTF-16 and back, for the Unicode strings of proxy graphics.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvora {

void appendUtf8(std::string& out, char32_t cp);
// Invalid UTF-8 bytes become U+FFFD.
std::vector<std::uint16_t> utf8ToUtf16(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(const std::vector<std::uint16_t>& units);

}  // namespace kelvora
