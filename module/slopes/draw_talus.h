// draw_talus: the exported function through which another module makes a slope from points and limits.
#pragma once

#include "app/module_export.h"
#include "dbidar.h"
#include "gept3dar.h"

// Makes a slope through the points (x and y of each, in order; collinear runs merged into one
// segment), with the current slope defaults and the given limits, and adds it to model space. With
// outlineVisible false only its strokes are drawn. out, when given, receives the new slope's id
// (null when it could not be added).
KELVORA_EXPORT void draw_talus(bool outlineVisible, AcGePoint3dArray& points, AcDbObjectIdArray& limits,
                               AcDbObjectId* out);
