// The area of a polygon that lies above a horizontal line, for the directional search.
#pragma once

#include "dbpl.h"
#include "dbxline.h"

namespace kelvora::division {

// Where a horizontal line cuts a polygon and what it leaves above.
struct AreaAbove {
    double areaSqUnits = 0.0;
    bool cut = false;   // false when the line crosses the polygon fewer than twice (no cut points)
    AcGePoint3d first;  // the cut points: the ends of the piece above the line
    AcGePoint3d last;
};

// The area of the piece of the closed polygon above the horizontal line (an xline along the x
// axis): the polygon is split where the line crosses it, and of the pieces that enclose an area the
// one that reaches highest is the piece above. With fewer than two crossings the area is the whole
// polygon's. False when the host cannot intersect or split.
bool areaAboveLine(const AcDbPolyline* polygon, const AcDbXline* line, AreaAbove& above);

}  // namespace kelvora::division
