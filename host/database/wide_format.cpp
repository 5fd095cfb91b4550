// The wide printf formatter: parses each conversion and formats numbers through snprintf.
#include "kelvora/wide_format.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "kelvora/wide_text.h"

namespace kelvora {

namespace {

enum class Length { None, Char, Short, Long, LongLong, Size, IntMax, PtrDiff, LongDouble, Int32, Int64 };

struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    Length length = Length::None;
    bool narrowHint = false;  // h (or hh) before s or c
    bool wideHint = false;    // l or w before s or c
    wchar_t letter = 0;
};

bool isFlag(wchar_t ch)
{
    return ch == L'-' || ch == L'+' || ch == L' ' || ch == L'#' || ch == L'0';
}

bool isDigit(wchar_t ch)
{
    return ch >= L'0' && ch <= L'9';
}

int capped(long long value)
{
    return value > kMaxFieldWidth ? kMaxFieldWidth : static_cast<int>(value);
}

std::string narrowFormat(const Conversion& s, std::string_view lengthModifier, char letter)
{
    std::string format = "%";
    format += s.flags;
    if (s.width >= 0)
        format += std::to_string(s.width);
    if (s.precision >= 0)
        format += "." + std::to_string(s.precision);
    format += lengthModifier;
    format += letter;
    return format;
}

template <typename T>
std::wstring printNumber(const std::string& format, T value)
{
    int size = std::snprintf(nullptr, 0, format.c_str(), value);
    if (size <= 0)
        return {};
    std::string buffer(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(buffer.data(), buffer.size(), format.c_str(), value);
    buffer.resize(static_cast<std::size_t>(size));
    return std::wstring(buffer.begin(), buffer.end());
}

void pad(std::wstring& out, std::wstring_view text, const Conversion& s)
{
    std::size_t width = s.width > 0 ? static_cast<std::size_t>(s.width) : 0;
    std::size_t fill = width > text.size() ? width - text.size() : 0;
    bool left = s.flags.find('-') != std::string::npos;
    if (!left)
        out.append(fill, L' ');
    out += text;
    if (left)
        out.append(fill, L' ');
}

class Formatter {
public:
    Formatter(const wchar_t* format, va_list args) : m_format(format) { va_copy(m_args, args); }
    ~Formatter() { va_end(m_args); }
    Formatter(const Formatter&) = delete;
    Formatter& operator=(const Formatter&) = delete;

    std::wstring run()
    {
        const wchar_t* p = m_format;
        while (*p != 0) {
            if (*p != L'%') {
                m_out += *p++;
                continue;
            }
            const wchar_t* start = p++;
            if (*p == L'%') {
                m_out += L'%';
                ++p;
                continue;
            }
            Conversion s;
            if (!parseConversion(p, s)) {
                m_out.append(start, p);
                continue;
            }
            if (!convert(s))
                m_out.append(start, p);
        }
        return m_out;
    }

private:
    // Reads flags, width, precision, length and conversion; p ends after what was read.
    bool parseConversion(const wchar_t*& p, Conversion& s)
    {
        while (isFlag(*p))
            s.flags += static_cast<char>(*p++);
        if (*p == L'*') {
            ++p;
            int w = va_arg(m_args, int);
            if (w < 0) {
                s.flags += '-';
                w = w == INT32_MIN ? kMaxFieldWidth : -w;
            }
            s.width = capped(w);
        } else if (isDigit(*p)) {
            long long w = 0;
            for (; isDigit(*p); ++p) {
                if (w <= kMaxFieldWidth)
                    w = w * 10 + (*p - L'0');
            }
            s.width = capped(w);
        }
        if (*p == L'.') {
            ++p;
            if (*p == L'*') {
                ++p;
                int prec = va_arg(m_args, int);
                s.precision = prec < 0 ? -1 : capped(prec);
            } else {
                long long prec = 0;
                for (; isDigit(*p); ++p) {
                    if (prec <= kMaxFieldWidth)
                        prec = prec * 10 + (*p - L'0');
                }
                s.precision = capped(prec);
            }
        }
        parseLength(p, s);
        if (*p == 0)
            return false;
        s.letter = *p++;
        return true;
    }

    static void parseLength(const wchar_t*& p, Conversion& s)
    {
        std::wstring_view rest(p);
        auto take = [&](std::wstring_view prefix, Length length) {
            if (rest.substr(0, prefix.size()) != prefix)
                return false;
            s.length = length;
            p += prefix.size();
            return true;
        };
        if (take(L"hh", Length::Char) || take(L"h", Length::Short)) {
            s.narrowHint = true;
            return;
        }
        if (take(L"ll", Length::LongLong) || take(L"I64", Length::Int64) || take(L"I32", Length::Int32))
            return;
        if (take(L"l", Length::Long) || take(L"w", Length::Long)) {
            s.wideHint = true;
            return;
        }
        if (take(L"L", Length::LongDouble) || take(L"z", Length::Size) || take(L"I", Length::Size) ||
            take(L"j", Length::IntMax) || take(L"t", Length::PtrDiff))
            return;
    }

    long long signedArgument(Length length)
    {
        switch (length) {
        case Length::Char: return static_cast<signed char>(va_arg(m_args, int));
        case Length::Short: return static_cast<short>(va_arg(m_args, int));
        case Length::Long: return va_arg(m_args, long);
        case Length::LongLong:
        case Length::Int64: return va_arg(m_args, long long);
        case Length::Size: return static_cast<long long>(va_arg(m_args, std::size_t));
        case Length::IntMax: return static_cast<long long>(va_arg(m_args, std::intmax_t));
        case Length::PtrDiff: return static_cast<long long>(va_arg(m_args, std::ptrdiff_t));
        case Length::Int32:
        case Length::None:
        case Length::LongDouble: return va_arg(m_args, int);
        }
        return 0;
    }

    unsigned long long unsignedArgument(Length length)
    {
        switch (length) {
        case Length::Char: return static_cast<unsigned char>(va_arg(m_args, unsigned int));
        case Length::Short: return static_cast<unsigned short>(va_arg(m_args, unsigned int));
        case Length::Long: return va_arg(m_args, unsigned long);
        case Length::LongLong:
        case Length::Int64: return va_arg(m_args, unsigned long long);
        case Length::Size: return va_arg(m_args, std::size_t);
        case Length::IntMax: return static_cast<unsigned long long>(va_arg(m_args, std::uintmax_t));
        case Length::PtrDiff: return static_cast<unsigned long long>(va_arg(m_args, std::ptrdiff_t));
        case Length::Int32:
        case Length::None:
        case Length::LongDouble: return va_arg(m_args, unsigned int);
        }
        return 0;
    }

    void appendString(const Conversion& s, std::wstring_view text)
    {
        if (s.precision >= 0 && static_cast<std::size_t>(s.precision) < text.size())
            text = text.substr(0, static_cast<std::size_t>(s.precision));
        pad(m_out, text, s);
    }

    bool convert(const Conversion& s)
    {
        switch (s.letter) {
        case L'd':
        case L'i':
            m_out += printNumber(narrowFormat(s, "ll", 'd'), signedArgument(s.length));
            return true;
        case L'u':
        case L'o':
        case L'x':
        case L'X':
            m_out += printNumber(narrowFormat(s, "ll", static_cast<char>(s.letter)), unsignedArgument(s.length));
            return true;
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G':
        case L'a':
        case L'A':
            if (s.length == Length::LongDouble)
                m_out += printNumber(narrowFormat(s, "L", static_cast<char>(s.letter)), va_arg(m_args, long double));
            else
                m_out += printNumber(narrowFormat(s, "", static_cast<char>(s.letter)), va_arg(m_args, double));
            return true;
        case L'c':
        case L'C': {
            bool narrow = s.letter == L'C' ? !s.wideHint : s.narrowHint;
            int value = va_arg(m_args, int);
            wchar_t ch = narrow ? static_cast<wchar_t>(static_cast<unsigned char>(value)) : static_cast<wchar_t>(value);
            Conversion withoutPrecision = s;
            withoutPrecision.precision = -1;
            appendString(withoutPrecision, std::wstring_view(&ch, 1));
            return true;
        }
        case L's':
        case L'S': {
            bool narrow = s.letter == L'S' ? !s.wideHint : s.narrowHint;
            if (narrow) {
                const char* text = va_arg(m_args, const char*);
                appendString(s, text != nullptr ? fromUtf8(text) : std::wstring(L"(null)"));
            } else {
                const wchar_t* text = va_arg(m_args, const wchar_t*);
                appendString(s, text != nullptr ? std::wstring_view(text) : std::wstring_view(L"(null)"));
            }
            return true;
        }
        case L'p':
            (void)va_arg(m_args, void*);
            appendString(s, L"<pointer>");
            return true;
        case L'n':
            (void)va_arg(m_args, void*);
            return true;
        default:
            return false;
        }
    }

    const wchar_t* m_format;
    va_list m_args;
    std::wstring m_out;
};

}  // namespace

std::wstring formatPrintfV(const wchar_t* format, va_list args)
{
    if (format == nullptr)
        return {};
    Formatter formatter(format, args);
    return formatter.run();
}

std::wstring formatPrintf(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring out = formatPrintfV(format, args);
    va_end(args);
    return out;
}

}  // namespace kelvora
