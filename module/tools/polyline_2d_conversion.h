// Old-style 2D polylines as lightweight polylines.
#pragma once

class AcDb2dPolyline;
class AcDbPolyline;

namespace kelvora::tools {

// A new lightweight polyline (in no database, owned by the caller) with the 2D polyline's normal,
// elevation and closed flag, and one vertex (x and y of its position, bulge, start and end width)
// for each of its vertices in order, spline control vertices left out. Properties and identity
// are not touched.
AcDbPolyline* lightweightFrom2dPolyline(const AcDb2dPolyline* pline2d);

}  // namespace kelvora::tools
