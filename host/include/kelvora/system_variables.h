// System variables: a table of named values with get and set callbacks, behind acedGetVar/acedSetVar.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "kelvora/script_syntax.h"

namespace kelvora {

enum class SysVarType { Integer, Real, String, Point };

// A value: an integer (short or long), a real, a text or a 3D point.
using SysVarValue = std::variant<long long, double, std::wstring, ScriptPoint>;

enum class SysVarStatus { Ok, Unknown, ReadOnly, WrongType, OutOfRange };

// One variable. `get` answers its current value; `set` (absent for a read-only variable)
// receives a value already of the variable's type and may refuse it. A variable backed by
// the drawing reads and writes the drawing's header through these two callbacks.
struct SysVarDefinition {
    std::wstring name;  // upper case
    SysVarType type = SysVarType::Integer;
    std::function<SysVarValue()> get;
    std::function<SysVarStatus(const SysVarValue&)> set;
};

class SystemVariables {
public:
    // Adds a variable, or replaces the one of the same name (so the drawing can take over a
    // variable the editor defined with plain storage).
    void define(SysVarDefinition definition);

    // A variable kept here: integers with their allowed range, reals with theirs.
    void defineInteger(std::wstring name, long long initial, long long min, long long max);
    void defineReal(std::wstring name, double initial, double min, double max);
    void defineString(std::wstring name, std::wstring initial);
    void definePoint(std::wstring name, ScriptPoint initial);

    bool contains(std::wstring_view name) const;
    std::optional<SysVarType> typeOf(std::wstring_view name) const;
    std::vector<std::wstring> names() const;

    // Names are matched without regard to case.
    SysVarStatus get(std::wstring_view name, SysVarValue& value) const;

    // An integer is accepted for a real variable; a real with no fraction for an integer one.
    SysVarStatus set(std::wstring_view name, const SysVarValue& value);

    // SETVAR's answer as typed: a number, a point "x,y[,z]" or a text, per the variable's type.
    SysVarStatus setFromText(std::wstring_view name, std::wstring_view text);

    // Typed reads with a fallback for a variable that is missing or of another type.
    long long integer(std::wstring_view name, long long fallback) const;
    double real(std::wstring_view name, double fallback) const;
    ScriptPoint point(std::wstring_view name, ScriptPoint fallback) const;

private:
    std::map<std::wstring, SysVarDefinition> m_variables;
};

// The process's variables (one drawing at a time).
SystemVariables& systemVariables();

// The editor's own variables, kept here until the drawing takes them over:
// CMDECHO 1 (0..1), PICKBOX 3 (0..50 pixels), LASTPOINT 0,0,0, LUNITS 2 (1..5), LUPREC 4 (0..8).
void defineEditorVariables(SystemVariables& variables);

}  // namespace kelvora
