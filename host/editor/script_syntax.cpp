// Parsing of script lines and answers: numbers, points, keywords and command names.
#include "kelvora/script_syntax.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "text_encoding.h"

namespace kelvora {

namespace {

bool isBlank(wchar_t ch)
{
    return ch == L' ' || ch == L'\t';
}

bool isDigit(wchar_t ch)
{
    return ch >= L'0' && ch <= L'9';
}

bool isUpper(wchar_t ch)
{
    return upperCase(ch) == ch && foldCase(ch) != ch;
}

// Splits "a,b[,c]" into its parts; nothing when a part is not a number.
std::optional<std::vector<double>> parseCoordinates(std::wstring_view text)
{
    std::vector<double> values;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = text.find(L',', start);
        auto part = text.substr(start, comma == std::wstring_view::npos ? std::wstring_view::npos : comma - start);
        auto value = parseReal(part);
        if (!value)
            return std::nullopt;
        values.push_back(*value);
        if (comma == std::wstring_view::npos)
            break;
        start = comma + 1;
    }
    return values;
}

struct Polar {
    double distance = 0.0;
    double angleRad = 0.0;
};

std::optional<Polar> parsePolar(std::wstring_view text)
{
    std::size_t lt = text.find(L'<');
    if (lt == std::wstring_view::npos || text.find(L'<', lt + 1) != std::wstring_view::npos)
        return std::nullopt;
    auto distance = parseReal(text.substr(0, lt));
    auto angleDeg = parseReal(text.substr(lt + 1));
    if (!distance || !angleDeg)
        return std::nullopt;
    return Polar{*distance, *angleDeg * std::numbers::pi / 180.0};
}

// How many leading characters select a keyword written as `word`: up to its last capital,
// or all of it when it has none.
std::size_t minimumFor(std::wstring_view word, std::wstring& abbreviation)
{
    std::size_t last = std::wstring_view::npos;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (isUpper(word[i])) {
            abbreviation += word[i];
            last = i;
        }
    }
    if (last == std::wstring_view::npos)
        return word.size();
    // "eXit": the capitals alone ("X") are the abbreviation, and a prefix must reach them.
    return last + 1;
}

bool selects(const Keyword& keyword, std::wstring_view word, std::wstring_view answer)
{
    if (answer.empty())
        return false;
    if (equalNoCase(answer, word))
        return true;
    if (!keyword.abbreviation.empty() && equalNoCase(answer, keyword.abbreviation))
        return true;
    return answer.size() >= keyword.minimum && answer.size() <= word.size() &&
           equalNoCase(answer, word.substr(0, answer.size()));
}

}  // namespace

bool isCommentLine(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return i < line.size() && line[i] == ';';
}

bool isCancelLine(std::wstring_view line)
{
    std::wstring_view t = trimBlanks(line);
    return t == L"^C" || t == L"^c";
}

bool isDialogLine(std::string_view line)
{
    if (line.empty() || line[0] != '@')
        return false;
    std::wstring wide = wideFromUtf8(line);
    static const ScriptPoint kOrigin;
    return !parsePoint(wide, kOrigin).has_value();
}

std::wstring_view trimBlanks(std::wstring_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<double> parseReal(std::wstring_view text)
{
    text = trimBlanks(text);
    std::size_t i = 0;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == L'.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
            ++j;
        std::size_t expDigits = 0;
        while (j < text.size() && isDigit(text[j])) {
            ++j;
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
        i = j;
    }
    if (i != text.size())
        return std::nullopt;
    std::string narrow(text.begin(), text.end());
    double value = std::strtod(narrow.c_str(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long long> parseInteger(std::wstring_view text)
{
    text = trimBlanks(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulate as a negative number, which reaches the most negative long long.
    long long value = 0;
    constexpr long long kLimit = -(9223372036854775807LL);
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
        int digit = text[i] - L'0';
        if (value < (kLimit - 1 + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == kLimit - 1)
            return std::nullopt;
        value = -value;
    }
    return value;
}

std::optional<ScriptPoint> parsePoint(std::wstring_view text, const ScriptPoint& lastPoint)
{
    text = trimBlanks(text);
    if (text.empty())
        return std::nullopt;
    bool relative = text.front() == L'@';
    ScriptPoint base = relative ? lastPoint : ScriptPoint{};
    if (relative) {
        text = trimBlanks(text.substr(1));
        if (text.empty())
            return lastPoint;
    }
    if (auto polar = parsePolar(text)) {
        return ScriptPoint{base.x + polar->distance * std::cos(polar->angleRad),
                           base.y + polar->distance * std::sin(polar->angleRad), base.z};
    }
    auto coordinates = parseCoordinates(text);
    if (!coordinates || coordinates->size() < 2 || coordinates->size() > 3)
        return std::nullopt;
    const auto& c = *coordinates;
    double z = c.size() == 3 ? c[2] : 0.0;
    if (relative)
        return ScriptPoint{base.x + c[0], base.y + c[1], base.z + z};
    return ScriptPoint{c[0], c[1], z};
}

KeywordList KeywordList::parse(std::wstring_view list)
{
    std::vector<std::wstring> locals;
    std::vector<std::wstring> globals;
    bool inGlobals = false;
    std::size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && isBlank(list[i]))
            ++i;
        std::size_t start = i;
        while (i < list.size() && !isBlank(list[i]))
            ++i;
        std::wstring_view word = list.substr(start, i - start);
        if (word.empty())
            continue;
        if (word == L"_") {
            inGlobals = true;
            continue;
        }
        (inGlobals ? globals : locals).emplace_back(word);
    }
    KeywordList result;
    for (std::size_t k = 0; k < locals.size(); ++k) {
        Keyword keyword;
        std::wstring_view written = locals[k];
        std::size_t comma = written.find(L',');
        if (comma != std::wstring_view::npos) {
            // "LTYPE,LT": the part after the comma is the abbreviation.
            keyword.local = std::wstring(written.substr(0, comma));
            std::wstring_view abbreviation = written.substr(comma + 1);
            keyword.minimum = abbreviation.empty() ? keyword.local.size() : abbreviation.size();
        } else {
            keyword.local = std::wstring(written);
            keyword.minimum = minimumFor(keyword.local, keyword.abbreviation);
        }
        if (keyword.local.empty())
            continue;
        if (k < globals.size()) {
            std::wstring_view global = globals[k];
            keyword.global = std::wstring(global.substr(0, global.find(L',')));
        } else {
            keyword.global = keyword.local;
        }
        result.m_keywords.push_back(std::move(keyword));
    }
    return result;
}

const Keyword* KeywordList::match(std::wstring_view answer) const
{
    answer = trimBlanks(answer);
    if (!answer.empty() && answer.front() == L'_') {
        answer.remove_prefix(1);
        for (const Keyword& keyword : m_keywords) {
            if (equalNoCase(answer, keyword.global))
                return &keyword;
        }
        for (const Keyword& keyword : m_keywords) {
            std::wstring abbreviation;
            Keyword asGlobal{keyword.global, keyword.global, minimumFor(keyword.global, abbreviation), abbreviation};
            if (selects(asGlobal, keyword.global, answer))
                return &keyword;
        }
        return nullptr;
    }
    for (const Keyword& keyword : m_keywords) {
        if (selects(keyword, keyword.local, answer))
            return &keyword;
    }
    return nullptr;
}

std::optional<CommandName> parseCommandName(std::wstring_view line)
{
    std::wstring_view t = trimBlanks(line);
    CommandName result;
    while (!t.empty() && (t.front() == L'_' || t.front() == L'.')) {
        if (t.front() == L'_')
            result.global = true;
        else
            result.builtIn = true;
        t.remove_prefix(1);
    }
    if (t.empty())
        return std::nullopt;
    result.name = toUpper(t);
    return result;
}

}  // namespace kelvora
