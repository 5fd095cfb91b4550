// AcDbIntArray: an array of ints (grip and stretch point indices, geometry ids).
#pragma once

#include "acarray.h"

typedef AcArray<int> AcDbIntArray;
