// UTF-8 conversions, name folding and the %% text codes.
#include "kelvora/wide_text.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace kelvora {

std::string toUtf8(std::wstring_view text)
{
    // Nearly every text of a drawing is ASCII: copied a character a byte, without growing.
    std::string out(text.size(), '\0');
    std::size_t ascii = 0;
    while (ascii < text.size() && static_cast<std::uint32_t>(text[ascii]) < 0x80) {
        out[ascii] = static_cast<char>(text[ascii]);
        ++ascii;
    }
    out.resize(ascii);
    for (wchar_t wc : text.substr(ascii)) {
        auto c = static_cast<char32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::wstring fromUtf8(std::string_view text)
{
    std::wstring out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        auto b = static_cast<unsigned char>(text[i]);
        char32_t c = 0;
        size_t extra = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            extra = 3;
        } else {
            out.push_back(L'\xFFFD');
            ++i;
            continue;
        }
        bool ok = true;
        for (size_t k = 1; k <= extra; ++k) {
            if (i + k >= text.size()) {
                ok = false;
                break;
            }
            auto cb = static_cast<unsigned char>(text[i + k]);
            if ((cb & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (cb & 0x3F);
        }
        if (!ok) {
            out.push_back(L'\xFFFD');
            ++i;
            continue;
        }
        out.push_back(static_cast<wchar_t>(c));
        i += extra + 1;
    }
    return out;
}

wchar_t* newWideString(std::wstring_view text)
{
    auto* s = new wchar_t[text.size() + 1];
    if (!text.empty())
        std::memcpy(s, text.data(), text.size() * sizeof(wchar_t));
    s[text.size()] = L'\0';
    return s;
}

bool nameLess(std::wstring_view a, std::wstring_view b)
{
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        wchar_t ca = foldNameChar(a[i]);
        wchar_t cb = foldNameChar(b[i]);
        if (ca != cb)
            return ca < cb;
    }
    return a.size() < b.size();
}

std::wstring expandTextControlCodes(std::wstring_view text)
{
    std::wstring out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == L'%' && i + 2 < text.size() && text[i + 1] == L'%') {
            wchar_t code = text[i + 2];
            switch (code) {
            case L'd':
            case L'D':
                out.push_back(L'\x00B0');
                i += 3;
                continue;
            case L'c':
            case L'C':
                out.push_back(L'\x2300');
                i += 3;
                continue;
            case L'p':
            case L'P':
                out.push_back(L'\x00B1');
                i += 3;
                continue;
            case L'%':
                out.push_back(L'%');
                i += 3;
                continue;
            case L'u':
            case L'U':
            case L'o':
            case L'O':
                i += 3;
                continue;
            default:
                if (code >= L'0' && code <= L'9') {
                    // %%nnn: up to three decimal digits give a character code.
                    size_t j = i + 2;
                    unsigned value = 0;
                    int digits = 0;
                    while (j < text.size() && digits < 3 && text[j] >= L'0' && text[j] <= L'9') {
                        value = value * 10 + static_cast<unsigned>(text[j] - L'0');
                        ++j;
                        ++digits;
                    }
                    out.push_back(static_cast<wchar_t>(value));
                    i = j;
                    continue;
                }
                break;
            }
        }
        out.push_back(text[i]);
        ++i;
    }
    return out;
}

}  // namespace kelvora
