// Pieces of the polyline kernel shared between its own files, its tests and its benchmarks.
#pragma once

#include "dbpl.h"

namespace kernel_internal {

// The bulge of an arc from its sagitta and half chord: sagitta / half chord, negated for a
// clockwise arc; 0 when the sagitta or the half chord is below the kernel's zero length.
double sagittaBulge(double sagitta, double halfChord, bool clockwise);

// The self-intersection rule applied to every pair of segments in turn: the reference that the
// faster isSelfIntersecting must always agree with.
bool isSelfIntersectingPairwise(const AcDbPolyline* pline);

// mergeCollinearSegments, answering how many passes it made (0 for a null polyline).
int mergeCollinearSegmentsCountingPasses(AcDbPolyline* pline, double pointTolerance, double vectorTolerance);

}  // namespace kernel_internal
