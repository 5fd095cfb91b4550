// AcGeVoidPointerArray: an AcArray of untyped pointers.
#pragma once

#include "acarray.h"

using AcGeVoidPointerArray = AcArray<void*>;
