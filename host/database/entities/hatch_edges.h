// Hatch boundary edges to and from the AcGe 2D curves that getLoopAt answers and appendLoop takes.
#pragma once

#include "acadstrc.h"
#include "geell2d.h"
#include "genurb2d.h"
#include "hatch_data.h"

namespace kelvora {

// The edge's ellipse: centre, major axis end and ratio, angles in the edge's own turning sense.
AcGeEllipArc2d ellipseOfEdge(const HatchEdge& edge);
// The edge's spline from its control points (a fit-point-only edge gives an empty curve).
AcGeNurbCurve2d splineOfEdge(const HatchEdge& edge);
// A new AcGeLineSeg2d, AcGeCircArc2d, AcGeEllipArc2d or AcGeNurbCurve2d the caller deletes; null for
// an edge of unknown type.
void* newCurveOfEdge(const HatchEdge& edge);
// The edge of edgeType (AcDbHatch::HatchEdgeType) made from curve, which points to the AcGe class of
// that type. eInvalidInput (edge untouched) for a null curve, a degenerate ellipse, an empty spline
// or a type that is none of the four.
Acad::ErrorStatus edgeOfCurve(const void* curve, int edgeType, HatchEdge& edge);

}  // namespace kelvora
