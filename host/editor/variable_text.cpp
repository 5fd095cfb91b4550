// Showing system variable values: reals and points in the drawing's units.
#include "variable_text.h"

#include "acutads.h"
#include "adscodes.h"

namespace kelvora {

namespace {

std::wstring real(double value)
{
    ACHAR text[96] = L"";
    if (acdbRToS(value, -1, -1, text) != RTNORM)
        return std::to_wstring(value);
    return text;
}

}  // namespace

std::wstring variableText(const SysVarValue& value)
{
    if (const auto* integer = std::get_if<long long>(&value))
        return std::to_wstring(*integer);
    if (const auto* r = std::get_if<double>(&value))
        return real(*r);
    if (const auto* text = std::get_if<std::wstring>(&value))
        return *text;
    const auto& p = std::get<ScriptPoint>(value);
    return real(p.x) + L"," + real(p.y) + L"," + real(p.z);
}

}  // namespace kelvora
