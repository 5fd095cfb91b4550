// How a system variable's value is shown: reals in the drawing's linear units and precision.
#pragma once

#include <string>

#include "kelvora/system_variables.h"

namespace kelvora {

// Integers in decimal, reals and the coordinates of points with acdbRToS (LUNITS, LUPREC), texts as
// they are; a point shows as "x,y,z".
std::wstring variableText(const SysVarValue& value);

}  // namespace kelvora
