// One fan-shaped part of a given area cut out of a surface around a centre.
#pragma once

#include "gepnt3d.h"

class NESurface;

namespace kelvora::division {

// Cuts from the surface (open for read) a part of partAreaSqUnits swept around the centre: from the
// centre along the start direction (startAngleRad about the surface's normal, from the x axis) to
// the boundary, along the boundary in vertex order, and straight back to the centre. With the start
// angle kNoStartDirection the centre lies on the boundary and the part is cut off by a chord from
// it. On success rest and part are two new closed surfaces, not in a database, owned by the caller
// (when both have the same area, rest is the one that starts the sweep). On failure (area out of
// range, centre outside, a piece crossing itself, areas that do not add up) both are null; a centre
// outside prints "\nPoint exterieur".
bool extractArea(const NESurface* surface, const AcGePoint3d& centreWcs, double partAreaSqUnits, double startAngleRad,
                 NESurface*& rest, NESurface*& part);

}  // namespace kelvora::division
