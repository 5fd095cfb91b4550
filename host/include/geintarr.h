// AcGeIntArray: an AcArray of ints.
#pragma once

#include "acarray.h"

using AcGeIntArray = AcArray<int>;
