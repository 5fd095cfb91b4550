// The system variable table: definitions, typed reads and writes, SETVAR's text answers.
#include "kelvora/system_variables.h"

#include <cmath>
#include <memory>

#include "kelvora/float_compare.h"
#include "text_encoding.h"

namespace kelvora {

namespace {

// Brings a value to the variable's type where the conversion loses nothing.
std::optional<SysVarValue> coerce(SysVarType type, const SysVarValue& value)
{
    switch (type) {
    case SysVarType::Integer:
        if (const auto* i = std::get_if<long long>(&value))
            return *i;
        if (const auto* r = std::get_if<double>(&value)) {
            double whole = std::trunc(*r);
            if (std::isfinite(*r) && exactlyEqual(*r, whole) && std::fabs(whole) < 9.2e18)
                return static_cast<long long>(whole);
        }
        return std::nullopt;
    case SysVarType::Real:
        if (const auto* r = std::get_if<double>(&value))
            return *r;
        if (const auto* i = std::get_if<long long>(&value))
            return static_cast<double>(*i);
        return std::nullopt;
    case SysVarType::String:
        if (std::holds_alternative<std::wstring>(value))
            return value;
        return std::nullopt;
    case SysVarType::Point:
        if (std::holds_alternative<ScriptPoint>(value))
            return value;
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

void SystemVariables::define(SysVarDefinition definition)
{
    definition.name = toUpper(definition.name);
    std::wstring key = definition.name;
    m_variables[key] = std::move(definition);
}

void SystemVariables::defineInteger(std::wstring name, long long initial, long long min, long long max)
{
    auto stored = std::make_shared<long long>(initial);
    define({std::move(name), SysVarType::Integer, [stored] { return SysVarValue(*stored); },
            [stored, min, max](const SysVarValue& v) {
                long long value = std::get<long long>(v);
                if (value < min || value > max)
                    return SysVarStatus::OutOfRange;
                *stored = value;
                return SysVarStatus::Ok;
            }});
}

void SystemVariables::defineReal(std::wstring name, double initial, double min, double max)
{
    auto stored = std::make_shared<double>(initial);
    define({std::move(name), SysVarType::Real, [stored] { return SysVarValue(*stored); },
            [stored, min, max](const SysVarValue& v) {
                double value = std::get<double>(v);
                if (!(value >= min && value <= max))
                    return SysVarStatus::OutOfRange;
                *stored = value;
                return SysVarStatus::Ok;
            }});
}

void SystemVariables::defineString(std::wstring name, std::wstring initial)
{
    auto stored = std::make_shared<std::wstring>(std::move(initial));
    define({std::move(name), SysVarType::String, [stored] { return SysVarValue(*stored); },
            [stored](const SysVarValue& v) {
                *stored = std::get<std::wstring>(v);
                return SysVarStatus::Ok;
            }});
}

void SystemVariables::definePoint(std::wstring name, ScriptPoint initial)
{
    auto stored = std::make_shared<ScriptPoint>(initial);
    define({std::move(name), SysVarType::Point, [stored] { return SysVarValue(*stored); },
            [stored](const SysVarValue& v) {
                *stored = std::get<ScriptPoint>(v);
                return SysVarStatus::Ok;
            }});
}

bool SystemVariables::contains(std::wstring_view name) const
{
    return m_variables.count(toUpper(name)) != 0;
}

std::optional<SysVarType> SystemVariables::typeOf(std::wstring_view name) const
{
    auto it = m_variables.find(toUpper(name));
    if (it == m_variables.end())
        return std::nullopt;
    return it->second.type;
}

std::vector<std::wstring> SystemVariables::names() const
{
    std::vector<std::wstring> result;
    for (const auto& [name, definition] : m_variables)
        result.push_back(name);
    return result;
}

SysVarStatus SystemVariables::get(std::wstring_view name, SysVarValue& value) const
{
    auto it = m_variables.find(toUpper(name));
    if (it == m_variables.end() || !it->second.get)
        return SysVarStatus::Unknown;
    value = it->second.get();
    return SysVarStatus::Ok;
}

SysVarStatus SystemVariables::set(std::wstring_view name, const SysVarValue& value)
{
    auto it = m_variables.find(toUpper(name));
    if (it == m_variables.end())
        return SysVarStatus::Unknown;
    if (!it->second.set)
        return SysVarStatus::ReadOnly;
    auto converted = coerce(it->second.type, value);
    if (!converted)
        return SysVarStatus::WrongType;
    return it->second.set(*converted);
}

SysVarStatus SystemVariables::setFromText(std::wstring_view name, std::wstring_view text)
{
    auto type = typeOf(name);
    if (!type)
        return SysVarStatus::Unknown;
    switch (*type) {
    case SysVarType::Integer: {
        auto value = parseInteger(text);
        return value ? set(name, *value) : SysVarStatus::WrongType;
    }
    case SysVarType::Real: {
        auto value = parseReal(text);
        return value ? set(name, *value) : SysVarStatus::WrongType;
    }
    case SysVarType::String:
        return set(name, std::wstring(text));
    case SysVarType::Point: {
        auto value = parsePoint(text, point(L"LASTPOINT", {}));
        return value ? set(name, *value) : SysVarStatus::WrongType;
    }
    }
    return SysVarStatus::WrongType;
}

long long SystemVariables::integer(std::wstring_view name, long long fallback) const
{
    SysVarValue value;
    if (get(name, value) != SysVarStatus::Ok)
        return fallback;
    const auto* i = std::get_if<long long>(&value);
    return i != nullptr ? *i : fallback;
}

double SystemVariables::real(std::wstring_view name, double fallback) const
{
    SysVarValue value;
    if (get(name, value) != SysVarStatus::Ok)
        return fallback;
    if (const auto* r = std::get_if<double>(&value))
        return *r;
    if (const auto* i = std::get_if<long long>(&value))
        return static_cast<double>(*i);
    return fallback;
}

ScriptPoint SystemVariables::point(std::wstring_view name, ScriptPoint fallback) const
{
    SysVarValue value;
    if (get(name, value) != SysVarStatus::Ok)
        return fallback;
    const auto* p = std::get_if<ScriptPoint>(&value);
    return p != nullptr ? *p : fallback;
}

SystemVariables& systemVariables()
{
    static SystemVariables variables = [] {
        SystemVariables table;
        defineEditorVariables(table);
        return table;
    }();
    return variables;
}

void defineEditorVariables(SystemVariables& variables)
{
    variables.defineInteger(L"CMDECHO", 1, 0, 1);
    // PICKBOX: the pick aperture in pixels, as the commercial host limits it.
    variables.defineInteger(L"PICKBOX", 3, 0, 50);
    variables.definePoint(L"LASTPOINT", ScriptPoint{});
    variables.defineInteger(L"LUNITS", 2, 1, 5);
    variables.defineInteger(L"LUPREC", 4, 0, 8);
}

}  // namespace kelvora
