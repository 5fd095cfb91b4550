// Decoding UTF-8 text into code points, with U+FFFD for every malformed sequence.
#pragma once

#include <cstddef>
#include <string_view>

namespace kelvora {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point starting at text[pos], advancing pos past it. A malformed or truncated
// sequence, an overlong form or a surrogate gives U+FFFD and advances by one byte, so that
// decoding always makes progress and resynchronises on the next lead byte.
char32_t decodeUtf8(std::string_view text, std::size_t& pos);

}  // namespace kelvora
