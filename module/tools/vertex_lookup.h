// Finding the segment and the vertex of a polyline that a pick designates.
#pragma once

#include "dbpl.h"
#include "gepnt2d.h"
#include "gepnt3d.h"

namespace kelvora::tools {

// The number of segments: vertex count - 1 for an open polyline, the vertex count when closed
// (0 for an empty one).
unsigned int segmentCount(const AcDbPolyline& pline);

// The first segment, in index order, on which the point of the polyline nearest to the world
// point lies; segmentCount() when none does. On a vertex shared by two segments the lower index
// wins.
unsigned int segmentNearPoint(const AcDbPolyline& pline, const AcGePoint3d& pointWcs);

// The vertex whose point is nearest (plane distance) to the given point in the polyline's plane;
// on a tie the lowest index. numVerts() for an empty polyline.
unsigned int nearestVertex(const AcDbPolyline& pline, const AcGePoint2d& pointPlane);

// A world point projected into the polyline's plane, as its 2D coordinates there.
AcGePoint2d pointInPlane(const AcDbPolyline& pline, const AcGePoint3d& pointWcs);

}  // namespace kelvora::tools
