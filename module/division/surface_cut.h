// Cutting a surface in two along a line, an infinite line, a ray or a polyline that crosses it twice.
#pragma once

#include <string>
#include <vector>

#include "dbcurve.h"

class NESurface;

namespace kelvora::division {

// Cuts the surface (open for write) along the curve (open for read), which must cross its boundary
// exactly twice. The parts, new closed surfaces not in a database and owned by the caller, are
// appended in the order ".1", ".2": each is a piece of the old boundary between the crossings,
// closed along the cutting curve; its lot text is the surface's followed by its suffix. Prints
// "\nPas d'intersections", "\nEchec: trop d'intersections" or "\nEchec pour cause de :%d" when the
// cut cannot be made (no part then).
void cutSurfaceWith(NESurface* surface, const AcDbCurve* cutter, std::vector<NESurface*>& parts);

// Closes the open piece along the cutter between its two ends: a straight edge for a line, an
// infinite line or a ray (and any curve that is not a polyline), the polyline's own course between
// the two points for a polyline. Sets the piece's lot text to lotText followed by suffix.
void closeAlongCutter(NESurface* piece, const AcDbCurve* cutter, const std::wstring& lotText, const wchar_t* suffix);

}  // namespace kelvora::division
