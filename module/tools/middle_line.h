// The middle line between two limit polylines.
#pragma once

class AcDbPolyline;

namespace kelvora::tools {

// A new polyline (in no database, owned by the caller) in the first limit's plane, at the height of
// its first point, through the midpoints of points taken on both limits at the same fraction of
// their parameter ranges: ten steps per segment of the limit with more segments, and the two end
// points; collinear runs are then merged. Null when either limit has fewer than two vertices.
//
// The sampling is by parameter, that is by vertex index, not by length: limits whose vertices do
// not correspond give a line that is not midway in distance.
AcDbPolyline* middleLine(const AcDbPolyline& first, const AcDbPolyline& second);

}  // namespace kelvora::tools
