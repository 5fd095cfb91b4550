// The polyline geometry every command of the module shares: tolerance, bulges, crossings, merging, reversal and chaining.
#pragma once

#include "dbcurve.h"
#include "dbpl.h"
#include "gearc2d.h"
#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gevec3d.h"

// Conventions, for every operation below and the commands built on them.
//
// - A polyline has vertices 0..n-1, each a 2D point in the polyline's plane (the plane of its
//   normal, at its elevation), a bulge and a start and end width.
// - Segment i runs from vertex i to vertex i+1; on a closed polyline segment n-1 runs from vertex
//   n-1 back to vertex 0. An open polyline has n-1 segments, a closed one n.
// - The bulge at vertex i describes segment i: 0 is straight, otherwise tan(sweep / 4), positive
//   when the arc turns counter-clockwise about the normal from vertex i to vertex i+1:
//
//        b > 0:   i ------> i+1        b < 0:      .-~~~-.
//                  `-.___.-'                     i ------> i+1
//
// - The bulge of the last vertex of an open polyline means nothing; it is written 0 when a vertex
//   is appended after it.
// - Vertices that the kernel adds get the polyline's default widths (-1, -1) unless the operation
//   copies widths.
// - Segments whose kind is neither line nor arc (coincident vertices, a lone point) are skipped by
//   every operation.

// The kernel's zero length, in drawing units: a length, chord, sagitta or distance between two
// points below it counts as nothing. Surveyed coordinates carry millimetres at most, so 1e-8 is far
// below any real detail and still well above the rounding of coordinates up to 1e7.
constexpr double geomTolerance()
{
    return 1e-8;
}

// The bulge of the arc as a polyline segment from its start point to its end point: sagitta over
// half chord, negative for a clockwise arc; 0 when the sagitta is below geomTolerance() or the arc
// has no chord (a full circle is no polyline segment).
double arcToBulge(const AcGeCircArc2d& arc);

// True when two segments that are not neighbours meet (null: false). Segment 0 is never tested
// against the last segment, which shares vertex 0 with it on a closed polyline. Crossings are
// found by the host's 3D segment classes under the current global tolerance (AcGeContext::gTol).
bool isSelfIntersecting(const AcDbPolyline* pline);

// Rewrites the polyline (open for write) in place, merging each run of collinear lines into one
// line and each run of arcs of one circle turning the same way into one arc, as long as the run's
// sweep stays below a full turn. pointTolerance and vectorTolerance are the global tolerance's
// equal-point and equal-vector values during the call (restored on return). Vertex 0 always stays.
// When the vertex count drops, the surviving vertices take the new points and bulges while each
// index keeps its widths. A polyline of more than 200 vertices after the first pass gets up to
// three passes in all.
void mergeCollinearSegments(AcDbPolyline* pline, double pointTolerance, double vectorTolerance);

// Reverses the polyline (open for write) in place: vertex order reversed, each bulge negated and
// moved to the new start of its segment, start and end widths swapped with it; the closed flag
// stays. Reversing twice gives the polyline back.
void reversePolyline(AcDbPolyline* pline);

// Appends the source's vertices (point, bulge, widths) to the destination (open for write). When
// the destination has vertices, the source's first vertex replaces the destination's last one, so
// that two polylines meeting at a point join there without a doubled vertex.
void appendPolylineVertices(AcDbPolyline* dest, const AcDbPolyline* source);

// Attaches a line, arc or polyline to an end of the open polyline (open for write), the end
// within tolerance of one of the curve's ends moving exactly onto it; tried in the order: the
// polyline's last vertex against the curve's start, then its end, then the first vertex against
// the curve's start, then its end. An empty polyline receives the curve. False, and the polyline
// unchanged, when it is closed, when the curve is of another kind or not in the polyline's plane,
// or when no ends meet.
bool chainCurveToPolyline(AcDbPolyline* pline, const AcDbCurve* curve, double tolerance);

// The coordinates in the plane whose normal is given (its arbitrary-axis system) of a world
// point, through the host's acedTrans; with displacement the point is taken as a vector. False when
// the host refuses. elevation, when given, receives the height above that plane's origin.
bool worldToPlane2d(const AcGePoint3d& pointWcs, const AcGeVector3d& normal, bool displacement,
                    AcGePoint2d& pointPlane, double* elevation = nullptr);
