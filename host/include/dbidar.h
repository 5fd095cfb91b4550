// AcDbObjectIdArray: an array of object ids.
#pragma once

#include "dbid.h"
