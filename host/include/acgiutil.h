// Graphics utilities: conversions between database text styles and AcGiTextStyle (declared in acgi.h).
#pragma once

#include "acgi.h"
