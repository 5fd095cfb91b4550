// Drawing of a lightweight polyline's centre line through the graphics interface (straight runs and arcs).
#pragma once

#include "acgi.h"
#include "dbpl.h"

namespace kelvora {

// Draws segments [fromIndex, fromIndex + numSegs) (numSegs 0: to the end): each run of straight
// segments as one polyline, each arc segment as a circular arc. Answers true when the drawing was
// aborted.
Adesk::Boolean drawPlineSegments(const AcGiGeometry& geometry, const AcDbPolyline& polyline,
                                 Adesk::UInt32 fromIndex = 0, Adesk::UInt32 numSegs = 0);

// Installs drawPlineSegments as the recorder's handler for AcGiGeometry::pline (once).
void installPlineDrawing();

}  // namespace kelvora
