// Cutting a fan polygon, swept from its pivot (vertex 0), into a part of a given area and the rest.
#pragma once

#include "dbpl.h"

class NESurface;

namespace kelvora::division {

// Splits the fan polygon at the point of its boundary where the region swept from the pivot
// (vertex 0) along the boundary, in vertex order, holds partAreaSqUnits, counted in the fan's sense
// (where the boundary doubles back, or an arc bulges into the part, the sweep gives area back):
//
//        pivot --- v1 --- v2 --- X ... v(n-1)      part = pivot, v1, .., X   (closed back to the pivot)
//                                                  rest = X, .., v(n-1) [, pivot when the fan is closed]
//
// The segment where the area is reached is cut at X: a straight one by linear interpolation, an arc
// by bisection on its own circle, so that both pieces keep an arc of that circle. Rest and part are
// new closed surfaces, not in a database, in the fan's plane; the caller owns them.
void splitFanAtArea(const AcDbPolyline* fan, double partAreaSqUnits, NESurface*& rest, NESurface*& part);

}  // namespace kelvora::division
