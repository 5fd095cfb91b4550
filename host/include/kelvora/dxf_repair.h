// Repairs of a raw drawing that make it safe to map: counts that disagree with the data that follow them.
#pragma once

#include "kelvora/dxf_diagnostics.h"
#include "kelvora/dxf_raw.h"

namespace kelvora {

// Sets every count group whose data follow it in the same record (LWPOLYLINE
// vertices 90, SPLINE knots 72 / control points 73 / fit points 74, LEADER
// vertices 76, HATCH boundary paths 91, MLINE vertices 72) to the number of
// items actually there, with a warning at the line of the count. After this pass
// a reader may size a container by a count: no count exceeds the data.
// Returns the number of counts repaired.
int repairDxfCounts(DxfRawDrawing& drawing, DxfDiagnostics& diagnostics);

}  // namespace kelvora
