// The plane through a set of points, when they have one, for the planarity tests of curves.
#pragma once

#include "gept3dar.h"

namespace kelvora::ge {

// True when every point lies within tol.equalPoint() of one plane, given by
// origin (the first point) and unit normal. Points on one line (or one point)
// lie in many planes: the normal is then one perpendicular to the line. The
// normal is oriented to point up (+Z), or else towards +Y, or else +X, so that
// curves drawn in the XY plane get the normal (0, 0, 1).
bool planeThroughPoints(const AcGePoint3dArray& points, const AcGeTol& tol, AcGePoint3d& origin,
                        AcGeVector3d& normal);

}  // namespace kelvora::ge
