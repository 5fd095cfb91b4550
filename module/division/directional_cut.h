// One part of a given area cut off a surface by a chord parallel to a direction.
#pragma once

class NESurface;

namespace kelvora::division {

// Cuts from the surface (open for read) the part of partAreaSqUnits that lies on the left of the
// direction (directionRad about the surface's normal, from the x axis), at the far side of the
// surface in that sense, with a straight cut parallel to the direction placed by a false-position
// search. On success rest and part are new closed surfaces in the drawing's coordinates, not in a
// database, owned by the caller; on failure both are null.
bool cutAreaByDirection(const NESurface* surface, double partAreaSqUnits, double directionRad, NESurface*& rest,
                        NESurface*& part);

}  // namespace kelvora::division
