// Opening a closed boundary at one of its points, so that it starts and ends there.
#pragma once

#include "dbpl.h"

namespace kelvora::division {

// A new polyline (of the source's class, not in a database) that runs once around the source's
// boundary from the point back to it: the source's copy itself, still closed, when its vertex 0 is
// at the point; otherwise an open polyline whose first and last vertices are the point. Null when
// the boundary cannot be cut there; when the point is not on the boundary, a point entity there and
// a red copy of the boundary are left in model space to show the fault.
AcDbPolyline* openAtPoint(const AcDbPolyline* pline, const AcGePoint3d& pointWcs);

}  // namespace kelvora::division
