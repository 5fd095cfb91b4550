// Reads the groups of an ASCII DXF file: CR LF or LF line ends, blanks around codes, 999 comments skipped.
#include "dxf_ascii_tag_reader.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelvora {

namespace {

constexpr std::string_view kUtf8Bom{"\xEF\xBB\xBF"};
constexpr int kCommentCode = 999;

std::string_view trimCodeLine(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

constexpr long kNoCode = std::numeric_limits<long>::min();

// A code of one to four digits, as nearly every code line is: read here, every other line pair of a
// file starts with one. Anything else is left to from_chars.
bool parsePlainCode(std::string_view text, long& code)
{
    if (text.empty() || text.size() > 4)
        return false;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    code = value;
    return true;
}

// The next '\n' in the `size` bytes from `p`, or null. Lines of a drawing are a few bytes long: the
// first sixteen bytes are looked at in one step before memchr is called.
const char* findLineEnd(const char* p, std::size_t size)
{
#if defined(__SSE2__)
    if (size >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int ends = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
        if (ends != 0)
            return p + __builtin_ctz(static_cast<unsigned>(ends));
        return static_cast<const char*>(std::memchr(p + 16, '\n', size - 16));
    }
#endif
    return static_cast<const char*>(std::memchr(p, '\n', size));
}

// The line as it will be quoted in a message: its start, control bytes escaped.
std::string shown(std::string_view line)
{
    constexpr std::size_t kShown = 40;
    std::string out;
    for (std::size_t i = 0; i < line.size() && i < kShown; ++i) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        if (c < 0x20 || c >= 0x7f) {
            static const char* kHex = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    if (line.size() > kShown)
        out += "...";
    return out;
}

}  // namespace

DxfAsciiTagReader::DxfAsciiTagReader(std::string_view data, DxfDiagnostics& diagnostics)
    : m_data(data), m_diagnostics(diagnostics)
{
    if (m_data.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        m_pos = kUtf8Bom.size();
}

bool DxfAsciiTagReader::readLine(std::string_view& line)
{
    if (m_pos >= m_data.size())
        return false;
    const char* start = m_data.data() + m_pos;
    std::size_t left = m_data.size() - m_pos;
    const char* nl = findLineEnd(start, left);
    std::size_t length = nl ? static_cast<std::size_t>(nl - start) : left;
    m_pos += nl ? length + 1 : length;
    if (length > 0 && start[length - 1] == '\r')
        --length;
    line = std::string_view(start, length);
    ++m_line;
    return true;
}

bool DxfAsciiTagReader::fail(std::uint32_t line, std::string text)
{
    m_diagnostics.error(line, std::move(text));
    m_failed = true;
    return false;
}

bool DxfAsciiTagReader::next(DxfTag& tag)
{
    if (m_failed)
        return false;
    for (;;) {
        std::uint32_t codeLine = m_line;
        std::string_view codeText;
        if (!readLine(codeText))
            return false;
        std::string_view trimmed = trimCodeLine(codeText);
        long code = -1;
        if (!parsePlainCode(trimmed, code)) {
            auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), code);
            if (trimmed.empty() || ec != std::errc() || end != trimmed.data() + trimmed.size())
                code = kNoCode;
        }
        if (code == kNoCode) {
            // A blank line where the file should end is harmless.
            if (trimmed.empty() && m_pos >= m_data.size())
                return false;
            return fail(codeLine, "invalid group code \"" + shown(codeText) + "\"");
        }
        if (!isValidDxfGroupCode(code))
            return fail(codeLine, "invalid group code " + std::to_string(code));
        std::string_view value;
        if (!readLine(value))
            return fail(m_line, "unexpected end of file: group code " + std::to_string(code) + " has no value");
        if (code == kCommentCode)
            continue;
        tag.code = static_cast<std::int32_t>(code);
        tag.line = codeLine;
        tag.value.assign(value.data(), value.size());
        if (!isDxfValueWellFormed(tag.code, value))
            m_diagnostics.error(codeLine + 1, dxfValueProblem(tag.code, value));
        return true;
    }
}

}  // namespace kelvora
