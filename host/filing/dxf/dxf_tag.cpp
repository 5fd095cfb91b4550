// Value types of DXF group codes, checks and conversions of values kept as text.
#include "kelvora/dxf_tag.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace kelvora {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A real number as DXF writers produce it: optional sign, digits with an optional
// point (".5" and "5." included), optional exponent. No "nan", no "inf".
bool looksLikeDouble(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    return i == s.size();
}

std::optional<double> parseDouble(std::string_view s)
{
    s = trimBlanks(s);
    if (!looksLikeDouble(s))
        return std::nullopt;
    if (s.front() == '+')
        s.remove_prefix(1);
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<std::int64_t> parseInteger(std::string_view s)
{
    s = trimBlanks(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return std::nullopt;
    std::int64_t v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::optional<std::uint64_t> parseHandle(std::string_view s)
{
    s = trimBlanks(s);
    // 16 hex digits hold 64 bits; more cannot be a handle.
    if (s.empty() || s.size() > 16)
        return std::nullopt;
    std::uint64_t v = 0;
    for (char c : s) {
        int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        v = (v << 4) | static_cast<std::uint64_t>(d);
    }
    return v;
}

std::string quoted(std::string_view value)
{
    // Long or binary garbage would make an unreadable message: show its start only.
    constexpr std::size_t kShown = 40;
    std::string out = "\"";
    for (std::size_t i = 0; i < value.size() && i < kShown; ++i) {
        unsigned char c = static_cast<unsigned char>(value[i]);
        if (c < 0x20 || c == 0x7f) {
            static const char* kHex = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    if (value.size() > kShown)
        out += "...";
    out += '"';
    return out;
}

DxfValueType valueTypeOfCode(int code)
{
    if (code >= 10 && code <= 59)
        return DxfValueType::kDouble;
    if (code >= 60 && code <= 79)
        return DxfValueType::kInt16;
    if (code >= 90 && code <= 99)
        return DxfValueType::kInt32;
    if (code == 5 || code == 105)
        return DxfValueType::kHandle;
    if (code >= 110 && code <= 149)
        return DxfValueType::kDouble;
    if (code >= 160 && code <= 169)
        return DxfValueType::kInt64;
    if (code >= 170 && code <= 179)
        return DxfValueType::kInt16;
    if (code >= 210 && code <= 239)
        return DxfValueType::kDouble;
    if (code >= 270 && code <= 289)
        return DxfValueType::kInt16;
    if (code >= 290 && code <= 299)
        return DxfValueType::kBool;
    if (code >= 310 && code <= 319)
        return DxfValueType::kBinary;
    if (code >= 320 && code <= 369)
        return DxfValueType::kHandle;
    if (code >= 370 && code <= 389)
        return DxfValueType::kInt16;
    if (code >= 390 && code <= 399)
        return DxfValueType::kHandle;
    if (code >= 400 && code <= 409)
        return DxfValueType::kInt16;
    if (code >= 420 && code <= 429)
        return DxfValueType::kInt32;
    if (code >= 440 && code <= 459)
        return DxfValueType::kInt32;
    if (code >= 460 && code <= 469)
        return DxfValueType::kDouble;
    if (code >= 480 && code <= 481)
        return DxfValueType::kHandle;
    if (code == 1004)
        return DxfValueType::kBinary;
    if (code == 1005)
        return DxfValueType::kHandle;
    if (code >= 1010 && code <= 1059)
        return DxfValueType::kDouble;
    if (code >= 1060 && code <= 1070)
        return DxfValueType::kInt16;
    if (code == 1071)
        return DxfValueType::kInt32;
    return DxfValueType::kString;
}

}  // namespace

DxfValueType dxfValueType(int code)
{
    // Asked for every group read and written: answered from a table.
    static const auto types = [] {
        std::array<DxfValueType, kDxfMaxGroupCode + 1> t{};
        for (int c = 0; c <= kDxfMaxGroupCode; ++c)
            t[static_cast<std::size_t>(c)] = valueTypeOfCode(c);
        return t;
    }();
    return isValidDxfGroupCode(code) ? types[static_cast<std::size_t>(code)] : DxfValueType::kString;
}

const char* dxfValueTypeName(DxfValueType type)
{
    switch (type) {
    case DxfValueType::kString: return "a string";
    case DxfValueType::kHandle: return "a handle";
    case DxfValueType::kDouble: return "a real number";
    case DxfValueType::kInt16: return "a 16-bit integer";
    case DxfValueType::kInt32: return "a 32-bit integer";
    case DxfValueType::kInt64: return "a 64-bit integer";
    case DxfValueType::kBool: return "a boolean";
    case DxfValueType::kBinary: return "binary data";
    }
    return "a value";
}

std::string_view DxfTag::trimmed() const
{
    return trimBlanks(value);
}

std::optional<double> DxfTag::toDouble() const
{
    return parseDouble(value);
}

std::optional<std::int64_t> DxfTag::toInteger() const
{
    return parseInteger(value);
}

std::optional<bool> DxfTag::toBool() const
{
    auto v = parseInteger(value);
    if (!v || (*v != 0 && *v != 1))
        return std::nullopt;
    return *v == 1;
}

std::optional<std::uint64_t> DxfTag::toHandle() const
{
    return parseHandle(value);
}

std::optional<std::vector<std::uint8_t>> DxfTag::toBinary() const
{
    std::string_view s = trimBlanks(value);
    if (s.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> out(s.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        int hi = hexDigit(s[2 * i]);
        int lo = hexDigit(s[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out[i] = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    return out;
}

namespace {

// What is wrong with a value of that type, or null when nothing is.
const char* valueFault(DxfValueType type, std::string_view value)
{
    switch (type) {
    case DxfValueType::kString:
        return nullptr;
    case DxfValueType::kDouble:
        return parseDouble(value) ? nullptr : "a real number is expected";
    case DxfValueType::kInt16:
    case DxfValueType::kInt32:
    case DxfValueType::kInt64:
    case DxfValueType::kBool: {
        auto v = parseInteger(value);
        if (!v)
            return "an integer is expected";
        // Unsigned writers put 16- and 32-bit values up to their unsigned maximum;
        // anything wider cannot come from a well-formed file.
        if (type == DxfValueType::kInt16 && (*v < -32768 || *v > 65535))
            return "out of the range of a 16-bit integer";
        if (type == DxfValueType::kInt32 && (*v < std::numeric_limits<std::int32_t>::min() || *v > 0xFFFFFFFFLL))
            return "out of the range of a 32-bit integer";
        if (type == DxfValueType::kBool && (*v < 0 || *v > 255))
            return "a boolean (0 or 1) is expected";
        return nullptr;
    }
    case DxfValueType::kHandle:
        // Handles are text in ASCII files, and group 5 is no handle in an R12
        // DIMSTYLE: whether a handle is one is judged with its record.
        return nullptr;
    case DxfValueType::kBinary: {
        std::string_view s = trimBlanks(value);
        if (s.size() % 2 != 0)
            return "an even number of hexadecimal digits is expected";
        for (char c : s)
            if (hexDigit(c) < 0)
                return "hexadecimal digits are expected";
        return nullptr;
    }
    }
    return nullptr;
}

}  // namespace

std::string dxfValueProblem(int code, std::string_view value)
{
    const char* fault = valueFault(dxfValueType(code), value);
    if (fault == nullptr)
        return {};
    return "invalid value " + quoted(value) + " for group code " + std::to_string(code) + ": " + fault;
}

bool isDxfValueWellFormed(int code, std::string_view value)
{
    DxfValueType type = dxfValueType(code);
    if (type == DxfValueType::kString)
        return true;
    if (type == DxfValueType::kDouble) {
        std::string_view s = trimBlanks(value);
        if (!looksLikeDouble(s))
            return false;
        // Only an exponent, or more digits than a double spans, can take a
        // well-formed number out of range.
        constexpr std::size_t kDigitsInRange = 300;
        if (s.size() > kDigitsInRange)
            return parseDouble(s).has_value();
        for (char c : s)
            if (c == 'e' || c == 'E')
                return parseDouble(s).has_value();
        return true;
    }
    return valueFault(type, value) == nullptr;
}

std::string_view formatDxfDouble(double value, char (&buffer)[kDxfDoubleTextBytes])
{
    // The shortest form has at most 24 characters ("-2.2250738585072014e-308"): ".0" always fits.
    auto [end, ec] = std::to_chars(buffer, buffer + kDxfDoubleTextBytes - 2, value);
    if (ec != std::errc())
        return {};
    bool hasPointOrExponent = false;
    for (const char* c = buffer; c != end; ++c)
        if (*c == '.' || *c == 'e' || *c == 'E' || *c == 'n' || *c == 'i')
            hasPointOrExponent = true;
    if (!hasPointOrExponent) {
        *end++ = '.';
        *end++ = '0';
    }
    return std::string_view(buffer, static_cast<std::size_t>(end - buffer));
}

std::string formatDxfDouble(double value)
{
    char buffer[kDxfDoubleTextBytes];
    return std::string(formatDxfDouble(value, buffer));
}

std::string formatDxfHandle(std::uint64_t handle)
{
    char buf[17];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, handle, 16);
    std::string out(buf, ec == std::errc() ? end : buf);
    for (char& c : out)
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string formatDxfHex(const std::uint8_t* data, std::size_t size)
{
    static const char* kHex = "0123456789ABCDEF";
    std::string out(size * 2, '0');
    for (std::size_t i = 0; i < size; ++i) {
        out[2 * i] = kHex[data[i] >> 4];
        out[2 * i + 1] = kHex[data[i] & 15];
    }
    return out;
}

DxfTag makeDxfDoubleTag(int code, double value)
{
    return DxfTag(code, formatDxfDouble(value));
}

DxfTag makeDxfIntegerTag(int code, std::int64_t value)
{
    return DxfTag(code, std::to_string(value));
}

}  // namespace kelvora
