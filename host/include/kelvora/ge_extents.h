// Axis-aligned extents of the AcGe curves, for bounding boxes of entities.
#pragma once

#include "gearc2d.h"
#include "gearc3d.h"
#include "gelnsg3d.h"
#include "genurb3d.h"

namespace kelvora {

// Extents grow the given box: start minPt/maxPt from the first point, or use
// the overloads below that set them.
void addArcExtents(const AcGeCircArc2d& arc, AcGePoint2d& minPt, AcGePoint2d& maxPt);
void addArcExtents(const AcGeCircArc3d& arc, AcGePoint3d& minPt, AcGePoint3d& maxPt);

// Exact extents of the arc (its end points and the axis extremes it passes).
void arcExtents(const AcGeCircArc2d& arc, AcGePoint2d& minPt, AcGePoint2d& maxPt);
void arcExtents(const AcGeCircArc3d& arc, AcGePoint3d& minPt, AcGePoint3d& maxPt);
// Extents of the curve's control points, which hold the curve (an empty curve
// gives false and leaves the points untouched).
bool nurbsExtents(const AcGeNurbCurve3d& curve, AcGePoint3d& minPt, AcGePoint3d& maxPt);

}  // namespace kelvora
