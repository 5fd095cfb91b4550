// AcDbVoidPtrArray: an array of untyped pointers (exploded entities, grip application data).
#pragma once

#include "acarray.h"

typedef AcArray<void*> AcDbVoidPtrArray;
