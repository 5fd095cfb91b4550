// Conversions between wide strings and UTF-8, and the case folding used to match names and captions.
#include "text_encoding.h"

#include "kelvora/wide_text.h"

#include <cstdint>

namespace kelvora {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 characters of the bytes 0x80 to 0x9F (0 where the code page has none).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

bool isScalarValue(char32_t cp)
{
    return cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

wchar_t legacyCharacter(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0) {
        char16_t ch = kCp1252High[byte - 0x80];
        return ch != 0 ? static_cast<wchar_t>(ch) : static_cast<wchar_t>(kReplacement);
    }
    return static_cast<wchar_t>(byte);
}

// The length of the well-formed UTF-8 sequence at text[pos] and its code point, or 0 when
// the bytes there are not one.
std::size_t wellFormedSequence(std::string_view text, std::size_t pos, char32_t& cp)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1Fu;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0Fu;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07u;
        min = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        unsigned char next = byte(pos + i);
        if ((next & 0xC0u) != 0x80u)
            return 0;
        cp = (cp << 6) | (next & 0x3Fu);
    }
    if (cp < min || !isScalarValue(cp))
        return 0;
    return length;
}

}  // namespace

std::string utf8FromWide(std::wstring_view text)
{
    return toUtf8(text);
}

std::wstring wideFromUtf8(std::string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto lead = static_cast<unsigned char>(text[pos]);
        if (lead < 0x80) {
            out += static_cast<wchar_t>(lead);
            ++pos;
            continue;
        }
        char32_t cp = 0;
        std::size_t length = wellFormedSequence(text, pos, cp);
        if (length == 0) {
            out += legacyCharacter(lead);
            ++pos;
        } else {
            out += static_cast<wchar_t>(cp);
            pos += length;
        }
    }
    return out;
}

wchar_t foldCase(wchar_t ch)
{
    if (ch >= L'A' && ch <= L'Z')
        return static_cast<wchar_t>(ch + 32);
    // Latin-1 capitals À..Þ, except the multiplication sign.
    if (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7)
        return static_cast<wchar_t>(ch + 32);
    return ch;
}

wchar_t upperCase(wchar_t ch)
{
    if (ch >= L'a' && ch <= L'z')
        return static_cast<wchar_t>(ch - 32);
    if (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7)
        return static_cast<wchar_t>(ch - 32);
    return ch;
}

bool equalNoCase(std::wstring_view a, std::wstring_view b)
{
    return compareNoCase(a, b) == 0;
}

int compareNoCase(std::wstring_view a, std::wstring_view b)
{
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        wchar_t x = foldCase(a[i]);
        wchar_t y = foldCase(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::wstring toUpper(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& ch : out)
        ch = upperCase(ch);
    return out;
}

}  // namespace kelvora
