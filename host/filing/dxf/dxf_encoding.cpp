// Decodes DXF string values to UTF-8 and encodes them for the version being written, through iconv.
#include "kelvora/dxf_encoding.h"

#include "dxf_utf16.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cctype>
#include <cstdint>
#include <utility>
#include <vector>

namespace kelvora {

namespace {

const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

// Length of the valid UTF-8 sequence at s[i], or 0 when there is none.
std::size_t utf8SequenceAt(std::string_view s, std::size_t i, char32_t& cp)
{
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char b0 = byte(i);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t length = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

bool hasHighBytes(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// Converts `in` with an open iconv descriptor; a byte the page does not know is
// taken as the character of the same number and noted.
std::string convertWithIconv(iconv_t cd, std::string_view in, bool& invalid)
{
    std::string out;
    out.reserve(in.size() * 2 + 8);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::vector<char> buffer(in.size() * 4 + 16);
    while (srcLeft > 0) {
        char* dst = buffer.data();
        std::size_t dstLeft = buffer.size();
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer.data(), static_cast<std::size_t>(dst - buffer.data()));
        if (r != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (a lead byte without its trail): skip one byte.
        invalid = true;
        appendUtf8(out, static_cast<unsigned char>(*src));
        ++src;
        --srcLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buffer.data();
    std::size_t dstLeft = buffer.size();
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer.data(), static_cast<std::size_t>(dst - buffer.data()));
    return out;
}

// UTF-8 text of each byte 0x80..0xFF of a single-byte page; empty where the page
// has no character.
using ByteTable = std::array<std::string, 128>;

// Tells single-byte pages from the East Asian double-byte ones.
bool isDoubleBytePage(std::string_view charset)
{
    return charset == "CP932" || charset == "CP936" || charset == "CP949" || charset == "CP950" ||
           charset == "JOHAB" || charset == "BIG5" || charset == "GB2312";
}

bool buildByteTable(const std::string& charset, ByteTable& table)
{
    iconv_t cd = iconv_open("UTF-8", charset.c_str());
    if (cd == kNoIconv)
        return false;
    for (int b = 0x80; b < 0x100; ++b) {
        char in = static_cast<char>(b);
        char* src = &in;
        std::size_t srcLeft = 1;
        char buf[16];
        char* dst = buf;
        std::size_t dstLeft = sizeof buf;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        // Pages with combining marks (1255, 1258) hold a character back until flushed.
        iconv(cd, nullptr, nullptr, &dst, &dstLeft);
        if (r != static_cast<std::size_t>(-1))
            table[static_cast<std::size_t>(b - 0x80)].assign(buf, static_cast<std::size_t>(dst - buf));
    }
    iconv_close(cd);
    return true;
}

const ByteTable& windows1252Table()
{
    static const ByteTable table = [] {
        ByteTable t;
        buildByteTable("CP1252", t);
        return t;
    }();
    return table;
}

// Windows-1252 byte of a character, for writing; 0 when the page lacks it.
unsigned char windows1252Byte(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<unsigned char>(cp);
    static const std::vector<std::pair<char32_t, unsigned char>> reverse = [] {
        std::vector<std::pair<char32_t, unsigned char>> r;
        const ByteTable& t = windows1252Table();
        for (std::size_t i = 0; i < t.size(); ++i) {
            char32_t c = 0;
            if (!t[i].empty() && utf8SequenceAt(t[i], 0, c) == t[i].size())
                r.emplace_back(c, static_cast<unsigned char>(0x80 + i));
        }
        std::sort(r.begin(), r.end());
        return r;
    }();
    auto it = std::lower_bound(reverse.begin(), reverse.end(), std::make_pair(cp, static_cast<unsigned char>(0)));
    if (it != reverse.end() && it->first == cp)
        return it->second;
    return 0;
}

void appendByteAsCharacter(std::string& out, unsigned char b, const ByteTable& table)
{
    const std::string& mapped = table[b - 0x80u];
    if (!mapped.empty())
        out += mapped;
    else
        appendUtf8(out, b);
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The four hex digits at s[i..i+4) as a number, or -1.
long hex4(std::string_view s, std::size_t i)
{
    if (i + 4 > s.size())
        return -1;
    long v = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        int d = hexValue(s[i + k]);
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

const char* multibytePageCharset(int page)
{
    switch (page) {
    case 1: return "CP932";
    case 2: return "CP950";
    case 3: return "CP949";
    case 4: return "JOHAB";
    case 5: return "CP936";
    default: return nullptr;
    }
}

std::optional<char32_t> decodeMultibyte(int page, unsigned char lead, unsigned char trail)
{
    const char* charset = multibytePageCharset(page);
    if (!charset)
        return std::nullopt;
    iconv_t cd = iconv_open("UTF-8", charset);
    if (cd == kNoIconv)
        return std::nullopt;
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char* src = in;
    std::size_t srcLeft = 2;
    char buf[16];
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || srcLeft != 0)
        return std::nullopt;
    std::string_view got(buf, static_cast<std::size_t>(dst - buf));
    char32_t cp = 0;
    if (got.empty() || utf8SequenceAt(got, 0, cp) != got.size())
        return std::nullopt;
    return cp;
}

void appendCaretOrByte(std::string& out, char c)
{
    unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x20 && b != '\t') {
        out += '^';
        out += static_cast<char>(b + 0x40);
    } else {
        out += c;
    }
}

const char kHexDigits[] = "0123456789ABCDEF";

void appendHex4(std::string& out, unsigned v)
{
    out += kHexDigits[(v >> 12) & 15];
    out += kHexDigits[(v >> 8) & 15];
    out += kHexDigits[(v >> 4) & 15];
    out += kHexDigits[v & 15];
}

std::string encodeWindows1252(std::string_view utf8, bool escapeAll)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        std::size_t n = utf8SequenceAt(utf8, i, cp);
        if (n == 0) {
            // Not UTF-8: the byte stands for the character of its number.
            cp = static_cast<unsigned char>(utf8[i]);
            n = 1;
        }
        i += n;
        if (cp < 0x80) {
            appendCaretOrByte(out, static_cast<char>(cp));
            continue;
        }
        unsigned char b = escapeAll ? 0 : windows1252Byte(cp);
        if (b != 0)
            out += static_cast<char>(b);
        else
            out += dxfUnicodeEscape(cp);
    }
    return out;
}

}  // namespace

bool isDxfUtf8Version(std::string_view acadVer)
{
    return acadVer >= kDxfFirstUtf8Version;
}

std::optional<std::string> dxfCodePageCharset(std::string_view codePage)
{
    std::string upper;
    for (char c : codePage)
        if (c != ' ' && c != '\t')
            upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto digitsAfter = [&](std::string_view prefix) -> std::string {
        if (upper.compare(0, prefix.size(), prefix) != 0)
            return {};
        std::string rest = upper.substr(prefix.size());
        if (rest.empty() || !std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return {};
        return rest;
    };
    if (std::string n = digitsAfter("ANSI_"); !n.empty()) {
        static const char* kAnsi[] = {"874", "932", "936", "949", "950", "1250", "1251", "1252",
                                      "1253", "1254", "1255", "1256", "1257", "1258"};
        for (const char* a : kAnsi)
            if (n == a)
                return "CP" + n;
        if (n == "1361")
            return std::string("JOHAB");
        return std::nullopt;
    }
    if (std::string n = digitsAfter("DOS"); !n.empty()) {
        static const char* kDos[] = {"437", "737", "775", "850", "852", "855", "857", "860", "861",
                                     "862", "863", "864", "865", "866", "869", "874", "932"};
        for (const char* d : kDos)
            if (n == d)
                return "CP" + n;
        return std::nullopt;
    }
    if (std::string n = digitsAfter("ISO8859-"); !n.empty()) {
        if (n.size() <= 2 && n != "0" && n != "12")
            return "ISO-8859-" + n;
        return std::nullopt;
    }
    if (upper == "UTF8" || upper == "UTF-8")
        return std::string("UTF-8");
    if (upper == "MACINTOSH" || upper == "MAC")
        return std::string("MACINTOSH");
    if (upper == "BIG5")
        return std::string("CP950");
    if (upper == "GB2312")
        return std::string("CP936");
    if (upper == "KSC5601")
        return std::string("CP949");
    if (upper == "JOHAB")
        return std::string("JOHAB");
    if (upper == "KOI8-R" || upper == "KOI8_R")
        return std::string("KOI8-R");
    return std::nullopt;
}

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        std::size_t n = utf8SequenceAt(bytes, i, cp);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

struct DxfTextDecoder::Impl {
    bool utf8File = false;
    bool doubleByte = false;
    ByteTable table;
    iconv_t cd = kNoIconv;

    ~Impl()
    {
        if (cd != kNoIconv)
            iconv_close(cd);
    }
};

DxfTextDecoder::DxfTextDecoder(std::string_view acadVer, std::string_view codePage) : m_impl(std::make_unique<Impl>())
{
    if (isDxfUtf8Version(acadVer)) {
        m_impl->utf8File = true;
        return;
    }
    std::optional<std::string> charset = codePage.empty() ? std::nullopt : dxfCodePageCharset(codePage);
    if (!charset) {
        m_fallback = !codePage.empty();
        charset = "CP1252";
    }
    if (*charset == "UTF-8") {
        m_impl->utf8File = true;
        return;
    }
    if (isDoubleBytePage(*charset)) {
        m_impl->cd = iconv_open("UTF-8", charset->c_str());
        if (m_impl->cd != kNoIconv) {
            m_impl->doubleByte = true;
            return;
        }
        m_fallback = true;
        charset = "CP1252";
    }
    if (!buildByteTable(*charset, m_impl->table)) {
        m_fallback = true;
        m_impl->table = windows1252Table();
    }
}

DxfTextDecoder::~DxfTextDecoder() = default;

bool DxfTextDecoder::isPlain(std::string_view bytes)
{
    for (char c : bytes) {
        unsigned char b = static_cast<unsigned char>(c);
        if (b >= 0x80 || b == '\\')
            return false;
    }
    return true;
}

std::string DxfTextDecoder::decode(std::string_view bytes, DxfDecodeNotes& notes) const
{
    if (isPlain(bytes))
        return std::string(bytes);
    std::string text;
    if (!hasHighBytes(bytes)) {
        text.assign(bytes);
    } else if (m_impl->utf8File || isValidUtf8(bytes)) {
        if (isValidUtf8(bytes)) {
            if (!m_impl->utf8File)
                notes.keptUtf8 = true;
            text.assign(bytes);
        } else {
            // A UTF-8 file with bytes that are not UTF-8: an ANSI writer that
            // labelled its file R2007; Windows-1252 is the likely page.
            notes.invalidBytes = true;
            const ByteTable& t = windows1252Table();
            for (std::size_t i = 0; i < bytes.size();) {
                char32_t cp = 0;
                std::size_t n = utf8SequenceAt(bytes, i, cp);
                if (n > 0) {
                    text.append(bytes.data() + i, n);
                    i += n;
                } else {
                    appendByteAsCharacter(text, static_cast<unsigned char>(bytes[i]), t);
                    ++i;
                }
            }
        }
    } else if (m_impl->doubleByte) {
        bool invalid = false;
        text = convertWithIconv(m_impl->cd, bytes, invalid);
        notes.invalidBytes = notes.invalidBytes || invalid;
    } else {
        text.reserve(bytes.size() + 8);
        for (char c : bytes) {
            unsigned char b = static_cast<unsigned char>(c);
            if (b < 0x80) {
                text += c;
            } else {
                if (m_impl->table[b - 0x80u].empty())
                    notes.invalidBytes = true;
                appendByteAsCharacter(text, b, m_impl->table);
            }
        }
    }
    if (text.find('\\') != std::string::npos)
        return decodeDxfEscapes(text);
    return text;
}

std::string decodeDxfEscapes(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] != '\\' || i + 3 >= s.size() || s[i + 2] != '+') {
            out += s[i++];
            continue;
        }
        if (s[i + 1] == 'U') {
            long unit = hex4(s, i + 3);
            if (unit < 0) {
                out += s[i++];
                continue;
            }
            char32_t cp = static_cast<char32_t>(unit);
            std::size_t used = 7;
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                // A character beyond U+FFFF comes as two escapes.
                long low = (i + 13 < s.size() + 1 && s.compare(i + 7, 3, "\\U+") == 0) ? hex4(s, i + 10) : -1;
                if (low < 0xDC00 || low > 0xDFFF) {
                    out += s[i++];
                    continue;
                }
                cp = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
                used = 14;
            } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
                out += s[i++];
                continue;
            }
            appendUtf8(out, cp);
            i += used;
            continue;
        }
        if (s[i + 1] == 'M' && i + 8 <= s.size()) {
            int page = s[i + 3] - '0';
            long code = hex4(s, i + 4);
            std::optional<char32_t> cp;
            if (code >= 0)
                cp = decodeMultibyte(page, static_cast<unsigned char>(code >> 8), static_cast<unsigned char>(code & 0xFF));
            if (cp) {
                appendUtf8(out, *cp);
                i += 8;
                continue;
            }
        }
        out += s[i++];
    }
    return out;
}

std::string dxfUnicodeEscape(char32_t ch)
{
    std::string out;
    auto one = [&](unsigned unit) {
        out += "\\U+";
        appendHex4(out, unit);
    };
    if (ch >= 0x10000) {
        char32_t v = ch - 0x10000;
        one(static_cast<unsigned>(0xD800 + (v >> 10)));
        one(static_cast<unsigned>(0xDC00 + (v & 0x3FF)));
    } else {
        one(static_cast<unsigned>(ch));
    }
    return out;
}

std::optional<std::string> dxfMultibyteEscape(char32_t ch, int page)
{
    const char* charset = multibytePageCharset(page);
    if (!charset)
        return std::nullopt;
    iconv_t cd = iconv_open(charset, "UTF-8");
    if (cd == kNoIconv)
        return std::nullopt;
    std::string in;
    appendUtf8(in, ch);
    char* src = in.data();
    std::size_t srcLeft = in.size();
    char buf[8];
    char* dst = buf;
    std::size_t dstLeft = sizeof buf;
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || dst - buf != 2)
        return std::nullopt;
    std::string out = "\\M+";
    out += static_cast<char>('0' + page);
    appendHex4(out, (static_cast<unsigned char>(buf[0]) << 8) | static_cast<unsigned char>(buf[1]));
    return out;
}

std::string encodeDxfText(std::string_view utf8, std::string_view acadVer)
{
    std::string out;
    out.reserve(utf8.size());
    if (isDxfUtf8Version(acadVer)) {
        for (char c : utf8)
            appendCaretOrByte(out, c);
        return out;
    }
    out = encodeWindows1252(utf8, false);
    // Readers take bytes that form UTF-8 for UTF-8 ("Îš" in Windows-1252 is the
    // UTF-8 of "Κ"): such a value is written with escapes only, so it reads back
    // as written.
    if (hasHighBytes(out) && isValidUtf8(out))
        out = encodeWindows1252(utf8, true);
    return out;
}

}  // namespace kelvora
