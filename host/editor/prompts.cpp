// The prompt functions: acedInitGet, acedGetPoint and the other acedGetXxx, acedGetInput.
#include <cmath>
#include <cwchar>
#include <numbers>
#include <string>

#include "acedads.h"
#include "kelvora/command_line.h"
#include "kelvora/float_compare.h"
#include "kelvora/system_variables.h"

namespace kelvora {

namespace {

// The host's reasons for asking again, in the commercial host's words.
constexpr std::wstring_view kPointRequired = L"\nPoint or option keyword required.";
constexpr std::wstring_view kNumericRequired = L"\nRequires numeric value.";
constexpr std::wstring_view kIntegerRequired = L"\nRequires an integer value.";
constexpr std::wstring_view kIntegerRange = L"\nRequires an integer between -32768 and 32767.";
constexpr std::wstring_view kDistanceRequired = L"\nRequires numeric distance or two points.";
constexpr std::wstring_view kAngleRequired = L"\nRequires valid numeric angle or second point.";
constexpr std::wstring_view kKeywordRequired = L"\nInvalid option keyword.";
constexpr std::wstring_view kPositiveNonzero = L"\nValue must be positive and nonzero.";
constexpr std::wstring_view kNonzero = L"\nValue must be nonzero.";
constexpr std::wstring_view kPositive = L"\nValue must be positive.";
constexpr std::wstring_view kSecondPoint = L"\nSpecify second point: ";

// acedGetInt answers what a 16-bit integer holds, as in the commercial host.
constexpr long long kSmallestInt = -32768;
constexpr long long kLargestInt = 32767;

constexpr double kFullTurn = 2.0 * std::numbers::pi;

// The settings of the prompt being asked, taken from acedInitGet (they apply once).
struct Prompt {
    CommandLine* line = nullptr;
    int flags = 0;
    KeywordList keywords;
    std::wstring_view text;
};

Prompt beginPrompt(const ACHAR* text)
{
    Prompt prompt;
    prompt.line = CommandLine::current();
    prompt.text = text != nullptr ? std::wstring_view(text) : std::wstring_view();
    if (prompt.line == nullptr)
        return prompt;
    PromptState& state = prompt.line->promptState();
    if (state.initGetPending) {
        prompt.flags = state.initGetFlags;
        prompt.keywords = std::move(state.initGetKeywords);
    }
    state.initGetPending = false;
    state.initGetFlags = 0;
    state.initGetKeywords = {};
    state.lastKeyword.reset();
    return prompt;
}

// What one answer gave a prompt.
enum class Parsed { Value, WrongKind, Refused };

struct Verdict {
    Parsed parsed = Parsed::WrongKind;
    std::wstring_view reason;  // for Refused
};

Verdict accepted()
{
    return {Parsed::Value, {}};
}

Verdict wrongKind()
{
    return {Parsed::WrongKind, {}};
}

Verdict refused(std::wstring_view reason)
{
    return {Parsed::Refused, reason};
}

// RSG_NOZERO and RSG_NONEG on a number.
Verdict checkSign(double value, int flags)
{
    bool zeroRefused = (flags & RSG_NOZERO) != 0 && exactlyEqual(value, 0.0);
    bool negativeRefused = (flags & RSG_NONEG) != 0 && value < 0.0;
    if (!zeroRefused && !negativeRefused)
        return accepted();
    if ((flags & RSG_NOZERO) != 0 && (flags & RSG_NONEG) != 0)
        return refused(kPositiveNonzero);
    return refused(zeroRefused ? kNonzero : kPositive);
}

ScriptPoint lastPoint()
{
    return systemVariables().point(L"LASTPOINT", ScriptPoint{});
}

void setLastPoint(const ScriptPoint& point)
{
    systemVariables().set(L"LASTPOINT", point);
}

void store(const ScriptPoint& point, ads_point result)
{
    result[X] = point.x;
    result[Y] = point.y;
    result[Z] = point.z;
}

ScriptPoint fromAds(const ads_point point)
{
    return ScriptPoint{point[X], point[Y], point[Z]};
}

double normalizedAngle(double angleRad)
{
    double a = std::fmod(angleRad, kFullTurn);
    if (a < 0.0)
        a += kFullTurn;
    // fmod of a value just below a full turn can round up to it.
    return a >= kFullTurn ? 0.0 : a;
}

// Asks `prompt` until `parse` accepts an answer or a keyword or Enter ends it. `parse` sees
// the answer without blanks around it; `wrongKindReason` is written for an answer that is
// neither a value nor a keyword.
template <typename Parse>
int runPrompt(Prompt& prompt, std::wstring_view wrongKindReason, Parse parse)
{
    if (prompt.line == nullptr)
        return RTERROR;
    while (true) {
        CommandLine::Answer answer = prompt.line->ask(prompt.text);
        if (answer.kind == CommandLine::Answer::Kind::Cancel)
            return RTCAN;
        std::wstring_view text = trimBlanks(answer.text);
        if (text.empty()) {
            if ((prompt.flags & RSG_NONULL) == 0)
                return RTNONE;
            prompt.line->message(wrongKindReason);
            continue;
        }
        Verdict verdict = parse(text);
        if (verdict.parsed == Parsed::Value)
            return RTNORM;
        if (verdict.parsed == Parsed::WrongKind) {
            if (const Keyword* keyword = prompt.keywords.match(text)) {
                prompt.line->promptState().lastKeyword = keyword->global;
                return RTKWORD;
            }
            if ((prompt.flags & RSG_OTHER) != 0) {
                prompt.line->promptState().lastKeyword = std::wstring(text);
                return RTKWORD;
            }
            verdict.reason = wrongKindReason;
        }
        prompt.line->message(verdict.reason);
    }
}

// The second point of a distance or an angle given by two points.
int askSecondPoint(CommandLine& line, ScriptPoint& point)
{
    while (true) {
        CommandLine::Answer answer = line.ask(kSecondPoint);
        if (answer.kind == CommandLine::Answer::Kind::Cancel)
            return RTCAN;
        if (auto parsed = parsePoint(answer.text, lastPoint())) {
            point = *parsed;
            setLastPoint(point);
            return RTNORM;
        }
        line.message(kPointRequired);
    }
}

double distanceBetween(const ScriptPoint& a, const ScriptPoint& b, bool planar)
{
    double dz = planar ? 0.0 : b.z - a.z;
    return std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y) + dz * dz);
}

// acedGetAngle and acedGetOrient: with ANGBASE 0 and ANGDIR 0 they read the same.
int getAngle(const ads_point base, const ACHAR* promptText, ads_real* result)
{
    Prompt prompt = beginPrompt(promptText);
    if (result == nullptr)
        return RTERROR;
    std::optional<ScriptPoint> first;
    double angle = 0.0;
    int status = runPrompt(prompt, kAngleRequired, [&](std::wstring_view text) {
        if (auto degrees = parseReal(text)) {
            angle = normalizedAngle(*degrees * std::numbers::pi / 180.0);
            return checkSign(angle, prompt.flags & RSG_NOZERO);
        }
        if (auto point = parsePoint(text, lastPoint())) {
            setLastPoint(*point);
            if (base == nullptr) {
                first = point;
                return accepted();
            }
            ScriptPoint from = fromAds(base);
            angle = normalizedAngle(std::atan2(point->y - from.y, point->x - from.x));
            return accepted();
        }
        return wrongKind();
    });
    if (status == RTNORM && first) {
        ScriptPoint second;
        status = askSecondPoint(*prompt.line, second);
        if (status != RTNORM)
            return status;
        angle = normalizedAngle(std::atan2(second.y - first->y, second.x - first->x));
    }
    if (status == RTNORM)
        *result = angle;
    return status;
}

// Copies a text into a caller's buffer, cut to fit.
int copyOut(std::wstring_view text, ACHAR* buffer, size_t size)
{
    if (buffer == nullptr || size == 0)
        return RTERROR;
    size_t n = text.size() < size ? text.size() : size - 1;
    std::wmemcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return n < text.size() ? RTINPUTTRUNCATED : RTNORM;
}

}  // namespace

}  // namespace kelvora

using namespace kelvora;

int acedInitGet(int flags, const ACHAR* keywords)
{
    CommandLine* line = CommandLine::current();
    if (line == nullptr)
        return RTERROR;
    PromptState& state = line->promptState();
    state.initGetFlags = flags;
    state.initGetKeywords = KeywordList::parse(keywords != nullptr ? std::wstring_view(keywords) : std::wstring_view());
    state.initGetPending = true;
    return RTNORM;
}

int acedGetPoint(const ads_point base, const ACHAR* promptText, ads_point result)
{
    (void)base;  // the rubber band of a screen; a script has none
    Prompt prompt = beginPrompt(promptText);
    if (result == nullptr)
        return RTERROR;
    ScriptPoint point;
    int status = runPrompt(prompt, kPointRequired, [&](std::wstring_view text) {
        auto parsed = parsePoint(text, lastPoint());
        if (!parsed)
            return wrongKind();
        point = *parsed;
        return accepted();
    });
    if (status == RTNORM) {
        setLastPoint(point);
        store(point, result);
    }
    return status;
}

int acedGetCorner(const ads_point base, const ACHAR* promptText, ads_point result)
{
    if (base == nullptr) {
        beginPrompt(nullptr);  // the acedInitGet settings are used up all the same
        return RTERROR;
    }
    return acedGetPoint(base, promptText, result);
}

int acedGetDist(const ads_point base, const ACHAR* promptText, ads_real* result)
{
    Prompt prompt = beginPrompt(promptText);
    if (result == nullptr)
        return RTERROR;
    std::optional<ScriptPoint> first;
    double distance = 0.0;
    bool planar = (prompt.flags & RSG_2D) != 0;
    int status = runPrompt(prompt, kDistanceRequired, [&](std::wstring_view text) {
        if (auto number = parseReal(text)) {
            distance = *number;
            return checkSign(distance, prompt.flags);
        }
        if (auto point = parsePoint(text, lastPoint())) {
            setLastPoint(*point);
            if (base == nullptr) {
                first = point;
                return accepted();
            }
            distance = distanceBetween(fromAds(base), *point, planar);
            return checkSign(distance, prompt.flags);
        }
        return wrongKind();
    });
    if (status == RTNORM && first) {
        ScriptPoint second;
        status = askSecondPoint(*prompt.line, second);
        if (status != RTNORM)
            return status;
        distance = distanceBetween(*first, second, planar);
    }
    if (status == RTNORM)
        *result = distance;
    return status;
}

int acedGetAngle(const ads_point base, const ACHAR* promptText, ads_real* result)
{
    return getAngle(base, promptText, result);
}

int acedGetOrient(const ads_point base, const ACHAR* promptText, ads_real* result)
{
    return getAngle(base, promptText, result);
}

int acedGetReal(const ACHAR* promptText, ads_real* result)
{
    Prompt prompt = beginPrompt(promptText);
    if (result == nullptr)
        return RTERROR;
    double value = 0.0;
    int status = runPrompt(prompt, kNumericRequired, [&](std::wstring_view text) {
        auto number = parseReal(text);
        if (!number)
            return wrongKind();
        value = *number;
        return checkSign(value, prompt.flags);
    });
    if (status == RTNORM)
        *result = value;
    return status;
}

int acedGetInt(const ACHAR* promptText, int* result)
{
    Prompt prompt = beginPrompt(promptText);
    if (result == nullptr)
        return RTERROR;
    long long value = 0;
    int status = runPrompt(prompt, kIntegerRequired, [&](std::wstring_view text) {
        auto integer = parseInteger(text);
        if (!integer) {
            // A real where an integer is asked is refused by name, not taken for a keyword.
            return parseReal(text) ? refused(kIntegerRequired) : wrongKind();
        }
        if (*integer < kSmallestInt || *integer > kLargestInt)
            return refused(kIntegerRange);
        value = *integer;
        return checkSign(static_cast<double>(value), prompt.flags);
    });
    if (status == RTNORM)
        *result = static_cast<int>(value);
    return status;
}

int acedGetString(int cronly, const ACHAR* promptText, ACHAR* result, size_t bufferSize)
{
    // acedInitGet does not apply to texts, but its settings are used up all the same.
    Prompt prompt = beginPrompt(promptText);
    if (prompt.line == nullptr || result == nullptr || bufferSize == 0)
        return RTERROR;
    CommandLine::Answer answer = prompt.line->ask(prompt.text);
    if (answer.kind == CommandLine::Answer::Kind::Cancel)
        return RTCAN;
    std::wstring_view text = answer.text;
    if (cronly == 0) {
        // Without cronly a blank ends the text, as the space bar does at a keyboard.
        text = trimBlanks(text);
        std::size_t blank = text.find_first_of(L" \t");
        if (blank != std::wstring_view::npos)
            text = text.substr(0, blank);
    }
    return copyOut(text, result, bufferSize);
}

int acedGetKword(const ACHAR* promptText, ACHAR* result, size_t bufferSize)
{
    Prompt prompt = beginPrompt(promptText);
    if (result == nullptr || bufferSize == 0)
        return RTERROR;
    // Keywords are this prompt's values: a match is the normal answer here.
    KeywordList keywords = std::move(prompt.keywords);
    bool other = (prompt.flags & RSG_OTHER) != 0;
    prompt.flags &= ~RSG_OTHER;
    std::wstring chosen;
    int status = runPrompt(prompt, kKeywordRequired, [&](std::wstring_view text) {
        if (const Keyword* keyword = keywords.match(text)) {
            chosen = keyword->global;
            return accepted();
        }
        if (other) {
            chosen = std::wstring(text);
            return accepted();
        }
        return wrongKind();
    });
    if (status != RTNORM)
        return status;
    return copyOut(chosen, result, bufferSize);
}

int acedGetInput(ACHAR* result, size_t bufferSize)
{
    CommandLine* line = CommandLine::current();
    if (line == nullptr || !line->promptState().lastKeyword)
        return RTERROR;
    return copyOut(*line->promptState().lastKeyword, result, bufferSize);
}

int acedUsrBrk()
{
    return 0;
}
