// Repairs of raw records that make them safe to map: counts that disagree with the data that follow them.
#pragma once

#include "kelvora/dxf_diagnostics.h"
#include "kelvora/dxf_raw.h"

namespace kelvora {

// Sets every count group of an entity record whose data follow it in the same
// record (LWPOLYLINE vertices 90, SPLINE knots 72 / control points 73 / fit
// points 74, LEADER vertices 76, HATCH boundary paths 91, MLINE vertices 72) to
// the number of items actually there, with a warning at the line of the count.
// The raw reader repairs each entity as it reads it, so a reader of the raw
// drawing may size a container by a count: no count exceeds the data.
// Returns the number of counts repaired.
int repairDxfCounts(DxfRecord& entity, DxfDiagnostics& diagnostics);

}  // namespace kelvora
