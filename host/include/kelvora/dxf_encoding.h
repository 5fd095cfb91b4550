// Text encodings of DXF files: code pages before R2007, UTF-8 from R2007, and the \U+ and \M+ escapes.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kelvora {

// The first version whose files are UTF-8 (R2007).
inline constexpr std::string_view kDxfFirstUtf8Version = "AC1021";
// What R2000 and R2004 files are written in, and what an older file without
// $DWGCODEPAGE is taken to be in.
inline constexpr std::string_view kDxfDefaultCodePage = "ANSI_1252";

// Versions compare as their $ACADVER texts do ("AC1015" < "AC1021").
bool isDxfUtf8Version(std::string_view acadVer);

// The iconv name of a $DWGCODEPAGE value ("ANSI_1252" -> "CP1252", "ANSI_932" ->
// "CP932", "DOS850" -> "CP850"), any case; nothing for a page we do not know.
std::optional<std::string> dxfCodePageCharset(std::string_view codePage);

// What decoding one value found, so that the reader can warn once per kind.
struct DxfDecodeNotes {
    bool keptUtf8 = false;      // UTF-8 in a file that declares a single-byte page: kept as UTF-8
    bool invalidBytes = false;  // bytes that are not text in the file's encoding: taken byte for character
};

// Turns the string values of one file into UTF-8: through the code page before
// R2007 (UTF-8 found there is kept, as files written by careless programs hold
// it), as UTF-8 from R2007 on; then \U+XXXX and \M+nXXXX escapes are resolved.
class DxfTextDecoder {
public:
    // `codePage` is the $DWGCODEPAGE value; empty or unknown means ANSI_1252.
    DxfTextDecoder(std::string_view acadVer, std::string_view codePage);
    ~DxfTextDecoder();
    DxfTextDecoder(const DxfTextDecoder&) = delete;
    DxfTextDecoder& operator=(const DxfTextDecoder&) = delete;

    // True when the code page was not known and ANSI_1252 stands in for it.
    bool usedFallbackPage() const { return m_fallback; }
    std::string decode(std::string_view bytes, DxfDecodeNotes& notes) const;
    // Nothing to do: plain ASCII without a backslash (the common case).
    static bool isPlain(std::string_view bytes);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    bool m_fallback = false;
};

// Resolves \U+XXXX (UTF-16 units, surrogate pairs joined) and \M+nXXXX (a
// double-byte character of the East Asian page n: 1 Japanese 932, 2 Traditional
// Chinese 950, 3 Korean 949, 4 Korean Johab 1361, 5 Simplified Chinese 936) in
// UTF-8 text. A malformed escape stays as written.
std::string decodeDxfEscapes(std::string_view utf8);

// "\U+XXXX" for one character (a surrogate pair of escapes beyond U+FFFF).
std::string dxfUnicodeEscape(char32_t ch);
// "\M+nXXXX" for one character of the East Asian page n (see above); nothing when
// the page cannot hold the character.
std::optional<std::string> dxfMultibyteEscape(char32_t ch, int page);

// A UTF-8 value as a file of version `acadVer` holds it: unchanged from R2007 on;
// before, Windows-1252 bytes with every other character as \U+XXXX. Control
// characters (a line end would break the file) are written in caret form, "^J".
std::string encodeDxfText(std::string_view utf8, std::string_view acadVer);

// True when `bytes` is valid UTF-8 (overlong forms and surrogates refused).
bool isValidUtf8(std::string_view bytes);

}  // namespace kelvora
