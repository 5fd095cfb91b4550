// Chaining a line, an arc or a polyline onto an end of an open polyline.
#include <cmath>
#include <memory>
#include <numbers>

#include "dbents.h"
#include "geometry/kernel_internal.h"
#include "geometry/polyline_kernel.h"
#include "geplane.h"
#include "getol.h"

namespace {

// A line's ends, brought into the polyline's plane coordinates, may stand off it by rounding only.
constexpr double kPlaneHeightTolerance = 1e-9;

bool within(const AcGePoint3d& a, const AcGePoint3d& b, double tolerance)
{
    return a.distanceTo(b) <= tolerance;
}

// The plane of a polyline: through its first vertex along its normal; an empty polyline's plane
// passes through the point of its normal at its elevation.
AcGePlane planeOf(const AcDbPolyline* pline)
{
    AcGePoint3d origin;
    if (pline->numVerts() == 0 || pline->getPointAt(0, origin) != Acad::eOk)
        origin = AcGePoint3d::kOrigin + pline->normal().normal() * pline->elevation();
    return AcGePlane(origin, pline->normal());
}

// Coplanarity with the default tolerance: whatever a caller has set globally, the curve must
// really lie in the polyline's plane.
bool inPlaneOf(const AcDbPolyline* pline, const AcGePoint3d& curvePoint, const AcGeVector3d& curveNormal)
{
    return AcGePlane(curvePoint, curveNormal).isCoplanarTo(planeOf(pline), AcGeTol());
}

// One piece to attach: its ends in the world and in the polyline's plane, and its bulge when
// walked from start to end (0 for a line).
struct Piece {
    AcGePoint3d startWcs;
    AcGePoint3d endWcs;
    AcGePoint2d start;
    AcGePoint2d end;
    double forwardBulge = 0.0;
    double backwardBulge = 0.0;
};

// The polyline's last vertex is tried before its first, the piece's start before its end; the
// matching vertex moves exactly onto the piece's end, and the segment towards the piece's other
// end gets the bulge of the direction it is walked in.
bool attachPiece(AcDbPolyline* pline, const Piece& piece, double tolerance)
{
    const unsigned int n = pline->numVerts();
    if (n == 0) {
        pline->addVertexAt(0, piece.start, piece.forwardBulge);
        pline->addVertexAt(1, piece.end, 0.0);
        return true;
    }
    AcGePoint3d first, last;
    if (pline->getPointAt(0, first) != Acad::eOk || pline->getPointAt(n - 1, last) != Acad::eOk)
        return false;
    if (within(last, piece.startWcs, tolerance)) {
        pline->setPointAt(n - 1, piece.start);
        pline->setBulgeAt(n - 1, piece.forwardBulge);
        pline->addVertexAt(n, piece.end, 0.0);
    } else if (within(last, piece.endWcs, tolerance)) {
        pline->setPointAt(n - 1, piece.end);
        pline->setBulgeAt(n - 1, piece.backwardBulge);
        pline->addVertexAt(n, piece.start, 0.0);
    } else if (within(first, piece.startWcs, tolerance)) {
        pline->setPointAt(0, piece.start);
        pline->addVertexAt(0, piece.end, piece.backwardBulge);
    } else if (within(first, piece.endWcs, tolerance)) {
        pline->setPointAt(0, piece.end);
        pline->addVertexAt(0, piece.start, piece.forwardBulge);
    } else {
        return false;
    }
    return true;
}

bool chainLine(AcDbPolyline* pline, const AcDbLine* line, double tolerance)
{
    Piece piece;
    piece.startWcs = line->startPoint();
    piece.endWcs = line->endPoint();
    double startHeight = 0.0, endHeight = 0.0;
    if (!worldToPlane2d(piece.startWcs, pline->normal(), false, piece.start, &startHeight) ||
        !worldToPlane2d(piece.endWcs, pline->normal(), false, piece.end, &endHeight))
        return false;
    if (!(std::fabs(startHeight) < kPlaneHeightTolerance) || !(std::fabs(endHeight) < kPlaneHeightTolerance))
        return false;
    return attachPiece(pline, piece, tolerance);
}

// The arc runs counter-clockwise about its normal from its start angle to its end angle; its
// bulge is the sagitta over the half chord as for any arc.
bool chainArc(AcDbPolyline* pline, const AcDbArc* arc, double tolerance)
{
    Piece piece;
    if (arc->getStartPoint(piece.startWcs) != Acad::eOk || arc->getEndPoint(piece.endWcs) != Acad::eOk)
        return false;
    if (!inPlaneOf(pline, piece.startWcs, arc->normal()))
        return false;
    double sweep = arc->endAngle() - arc->startAngle();
    if (sweep < 0.0)
        sweep += 2.0 * std::numbers::pi;
    AcGePoint3d mid = piece.startWcs + (piece.endWcs - piece.startWcs) / 2.0;
    double halfChord = piece.startWcs.distanceTo(mid);
    double centreToMid = arc->center().distanceTo(mid);
    double sagitta = sweep < std::numbers::pi ? arc->radius() - centreToMid : arc->radius() + centreToMid;
    piece.forwardBulge = kernel_internal::sagittaBulge(sagitta, halfChord, false);
    piece.backwardBulge = -piece.forwardBulge;
    if (!worldToPlane2d(piece.startWcs, pline->normal(), false, piece.start) ||
        !worldToPlane2d(piece.endWcs, pline->normal(), false, piece.end))
        return false;
    return attachPiece(pline, piece, tolerance);
}

// Appends the curve, or a reversed copy of it, after the target's last vertex.
void appendCurve(AcDbPolyline* target, const AcDbPolyline* curve, bool reversed)
{
    if (!reversed) {
        appendPolylineVertices(target, curve);
        return;
    }
    auto copy = std::make_unique<AcDbPolyline>();
    appendPolylineVertices(copy.get(), curve);
    reversePolyline(copy.get());
    appendPolylineVertices(target, copy.get());
}

// At the target's first vertex the target is turned round, extended at its (new) last vertex and
// turned back, so that one append serves both ends.
bool chainPolyline(AcDbPolyline* target, const AcDbPolyline* curve, double tolerance)
{
    AcGePoint3d curveFirst, curveLast;
    const unsigned int count = curve->numVerts();
    if (count < 2 || curve->getPointAt(0, curveFirst) != Acad::eOk ||
        curve->getPointAt(count - 1, curveLast) != Acad::eOk)
        return false;
    if (!inPlaneOf(target, curveFirst, curve->normal()))
        return false;
    const unsigned int n = target->numVerts();
    if (n == 0) {
        appendPolylineVertices(target, curve);
        return true;
    }
    AcGePoint3d first, last;
    if (target->getPointAt(0, first) != Acad::eOk || target->getPointAt(n - 1, last) != Acad::eOk)
        return false;
    if (within(curveFirst, last, tolerance)) {
        appendCurve(target, curve, false);
    } else if (within(curveLast, last, tolerance)) {
        appendCurve(target, curve, true);
    } else if (within(curveFirst, first, tolerance) || within(curveLast, first, tolerance)) {
        const bool reversed = !within(curveFirst, first, tolerance);
        reversePolyline(target);
        appendCurve(target, curve, reversed);
        reversePolyline(target);
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool chainCurveToPolyline(AcDbPolyline* pline, const AcDbCurve* curve, double tolerance)
{
    if (pline == nullptr || curve == nullptr || pline->isClosed())
        return false;
    if (const AcDbLine* line = AcDbLine::cast(curve))
        return chainLine(pline, line, tolerance);
    if (const AcDbArc* arc = AcDbArc::cast(curve))
        return chainArc(pline, arc, tolerance);
    if (const AcDbPolyline* other = AcDbPolyline::cast(curve))
        return chainPolyline(pline, other, tolerance);
    return false;
}
