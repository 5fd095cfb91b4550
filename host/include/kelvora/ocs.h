// The DXF object coordinate system (OCS) of an extrusion normal, by the arbitrary-axis algorithm, and WCS<->OCS conversion.
#pragma once

#include "gemat3d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

namespace kelvora {

// The arbitrary-axis algorithm of the DXF format: with N the unit normal, when
// both |N.x| and |N.y| are below 1/64 the OCS X axis is Wy x N, otherwise
// Wz x N (normalised); the Y axis is N x X. The normal (0, 0, 1) gives the WCS.
constexpr double kArbitraryAxisLimit = 1.0 / 64.0;

// Unit OCS axes of normal. A zero normal (or one that is not a number) is taken as (0, 0, 1).
void ocsAxes(const AcGeVector3d& normal, AcGeVector3d& xAxis, AcGeVector3d& yAxis, AcGeVector3d& zAxis);
AcGeVector3d ocsXAxis(const AcGeVector3d& normal);

// OCS coordinates of a WCS point or vector, and back. The OCS origin is the WCS origin.
AcGePoint3d wcsToOcs(const AcGePoint3d& pointWcs, const AcGeVector3d& normal);
AcGePoint3d ocsToWcs(const AcGePoint3d& pointOcs, const AcGeVector3d& normal);
AcGeVector3d wcsToOcs(const AcGeVector3d& vectorWcs, const AcGeVector3d& normal);
AcGeVector3d ocsToWcs(const AcGeVector3d& vectorOcs, const AcGeVector3d& normal);

// The matrices of the two conversions (the same as AcGeMatrix3d::worldToPlane
// and planeToWorld of the normal).
AcGeMatrix3d wcsToOcsMatrix(const AcGeVector3d& normal);
AcGeMatrix3d ocsToWcsMatrix(const AcGeVector3d& normal);

}  // namespace kelvora
