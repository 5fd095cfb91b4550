// The arrowheads that show a polyline's direction of travel, one on each segment.
#pragma once

#include <vector>

#include "dbpl.h"
#include "gepnt3d.h"

namespace kelvora::tools {

struct ArrowStroke {
    AcGePoint3d fromWcs;
    AcGePoint3d toWcs;
};

// Two strokes per segment of non-zero length: an open chevron at the segment's parameter midpoint,
// pointing along the direction of travel, whose size is proportional to the segment's length (its
// tip 5 % of the length ahead of the midpoint). A segment of zero length gets none.
std::vector<ArrowStroke> orientationArrows(const AcDbPolyline& pline);

}  // namespace kelvora::tools
