// acedGetVar and acedSetVar over the system variable table.
#include <cwchar>
#include <limits>

#include "acedads.h"
#include "kelvora/system_variables.h"

using namespace kelvora;

int acedGetVar(const ACHAR* name, resbuf* result)
{
    if (name == nullptr || result == nullptr)
        return RTERROR;
    SysVarValue value;
    if (systemVariables().get(name, value) != SysVarStatus::Ok)
        return RTERROR;
    if (const auto* integer = std::get_if<long long>(&value)) {
        if (*integer >= std::numeric_limits<short>::min() && *integer <= std::numeric_limits<short>::max()) {
            result->restype = RTSHORT;
            result->resval.rint = static_cast<short>(*integer);
        } else {
            result->restype = RTLONG;
            result->resval.rlong = static_cast<Adesk::Int32>(*integer);
        }
    } else if (const auto* real = std::get_if<double>(&value)) {
        result->restype = RTREAL;
        result->resval.rreal = *real;
    } else if (const auto* text = std::get_if<std::wstring>(&value)) {
        ACHAR* copy = nullptr;
        if (acutNewString(text->c_str(), copy) != RTNORM)
            return RTERROR;
        result->restype = RTSTR;
        result->resval.rstring = copy;
    } else {
        const auto& point = std::get<ScriptPoint>(value);
        result->restype = RT3DPOINT;
        result->resval.rpoint[X] = point.x;
        result->resval.rpoint[Y] = point.y;
        result->resval.rpoint[Z] = point.z;
    }
    return RTNORM;
}

int acedSetVar(const ACHAR* name, const resbuf* value)
{
    if (name == nullptr || value == nullptr)
        return RTERROR;
    SysVarValue converted;
    switch (value->restype) {
    case RTSHORT:
        converted = static_cast<long long>(value->resval.rint);
        break;
    case RTLONG:
        converted = static_cast<long long>(value->resval.rlong);
        break;
    case RTREAL:
    case RTANG:
    case RTORINT:
        converted = value->resval.rreal;
        break;
    case RTSTR:
        if (value->resval.rstring == nullptr)
            return RTERROR;
        converted = std::wstring(value->resval.rstring);
        break;
    case RTPOINT:
        converted = ScriptPoint{value->resval.rpoint[X], value->resval.rpoint[Y], 0.0};
        break;
    case RT3DPOINT:
        converted = ScriptPoint{value->resval.rpoint[X], value->resval.rpoint[Y], value->resval.rpoint[Z]};
        break;
    default:
        return RTERROR;
    }
    return systemVariables().set(name, converted) == SysVarStatus::Ok ? RTNORM : RTERROR;
}
