// The syntax of script lines and answers: comments, cancel, points, numbers, keywords, command names.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvora {

// A point in world coordinates, as the prompts read and return it.
struct ScriptPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// "; ..." (after blanks): a comment line, skipped wherever it stands.
bool isCommentLine(std::string_view line);

// "^C" (blanks around allowed): cancel.
bool isCancelLine(std::wstring_view line);

// A line that acts on an open dialog or message box: it begins with "@" and is not a
// relative point ("@", "@dx,dy", "@d<angle"), so a command that a dialog button started can
// still be answered with relative points.
bool isDialogLine(std::string_view line);

// The text without blanks (spaces, tabs) at either end.
std::wstring_view trimBlanks(std::wstring_view text);

// A real number: optional sign, digits with an optional decimal point, optional exponent;
// blanks around it allowed. Nothing for anything else, infinities and NaN included.
std::optional<double> parseReal(std::wstring_view text);

// An integer in decimal: optional sign and digits, blanks around allowed, within long long.
std::optional<long long> parseInteger(std::wstring_view text);

// A point answer: "x,y" or "x,y,z" (z 0 when not given), "d<angle" polar from the origin,
// "@dx,dy[,dz]" relative to `lastPoint`, "@d<angle" polar from it, "@" the last point itself.
// Angles in degrees counter-clockwise from the X axis. Relative answers keep the last z.
std::optional<ScriptPoint> parsePoint(std::wstring_view text, const ScriptPoint& lastPoint);

// One keyword of an acedInitGet list: "LType" is typed as "LT", "LTY" ... "LTYPE" (its
// capitals are the least a user types), "LTYPE,LT" the same written with an explicit
// abbreviation; a keyword without capitals is typed in full.
struct Keyword {
    std::wstring local;   // as written in the list, without the ",ABBREV" part
    std::wstring global;  // the language-independent name ("_" part of the list); local when none
    std::size_t minimum = 0;  // the fewest leading characters of `local` that select it
    std::wstring abbreviation;  // the capitals ("X" of "eXit"), also accepted alone
};

// An acedInitGet keyword list: "Yes No" or, with global names, "Oui Non _ Yes No".
class KeywordList {
public:
    static KeywordList parse(std::wstring_view list);

    bool empty() const { return m_keywords.empty(); }
    const std::vector<Keyword>& keywords() const { return m_keywords; }

    // The keyword an answer selects, or null. Case does not matter; "_NAME" names a global
    // keyword. The first keyword of the list wins when several match.
    const Keyword* match(std::wstring_view answer) const;

private:
    std::vector<Keyword> m_keywords;
};

// A command line's command: "line", "_LINE", "_.Line" and "._LINE" all name LINE.
struct CommandName {
    std::wstring name;       // upper case, without prefixes
    bool global = false;     // "_": the language-independent name
    bool builtIn = false;    // ".": the host's own command even when it is redefined
};

// Nothing when the line holds no name (empty after the prefixes).
std::optional<CommandName> parseCommandName(std::wstring_view line);

}  // namespace kelvora
