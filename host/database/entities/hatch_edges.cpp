// Hatch boundary edges to and from AcGe 2D curves: lines, circular arcs, elliptic arcs and splines.
#include "hatch_edges.h"

#include <cmath>
#include <numbers>

#include "gearc2d.h"
#include "gelnsg2d.h"

namespace kelvora {

namespace {

HatchEdge lineEdge(const AcGeLineSeg2d& seg)
{
    HatchEdge e;
    e.type = AcDbHatch::kLine;
    e.start = seg.startPoint();
    e.end = seg.endPoint();
    return e;
}

// Angles measured from the X axis in the arc's own sense.
HatchEdge arcEdge(const AcGeCircArc2d& arc)
{
    HatchEdge e;
    e.type = AcDbHatch::kCirArc;
    double ref = arc.refVec().angle();
    double shift = arc.isClockWise() ? -ref : ref;
    e.start = arc.center();
    e.radius = arc.radius();
    e.startAngle = arc.startAng() + shift;
    e.endAngle = arc.endAng() + shift;
    e.ccw = !arc.isClockWise();
    return e;
}

// An edge holds the major axis and the minor/major ratio, at most 1. An ellipse given with the
// longer radius on its "minor" axis is turned a quarter: the point at t on the axes (A, a), (B, b)
// is the point at t - pi/2 on the axes (B, b), (-A, a), which turn the same way.
Acad::ErrorStatus ellipseEdge(const AcGeEllipArc2d& ell, HatchEdge& e)
{
    AcGeVector2d major = ell.majorAxis() * ell.majorRadius();
    double minorRadius = ell.minorRadius();
    double startAngle = ell.startAng(), endAngle = ell.endAng();
    if (minorRadius > ell.majorRadius()) {
        major = ell.minorAxis() * minorRadius;
        minorRadius = ell.majorRadius();
        startAngle -= std::numbers::pi / 2.0;
        endAngle -= std::numbers::pi / 2.0;
    }
    const double majorRadius = major.length();
    if (!(majorRadius > 0.0) || !std::isfinite(majorRadius) || !std::isfinite(minorRadius))
        return Acad::eInvalidInput;
    e = HatchEdge();
    e.type = AcDbHatch::kEllArc;
    e.start = ell.center();
    e.end = AcGePoint2d::kOrigin + major;
    e.radius = minorRadius / majorRadius;
    e.startAngle = startAngle;
    e.endAngle = endAngle;
    e.ccw = !ell.isClockWise();
    return Acad::eOk;
}

Acad::ErrorStatus splineEdge(const AcGeNurbCurve2d& spline, HatchEdge& e)
{
    AcGeInterval range;
    spline.getInterval(range);
    if (!(range.upperBound() > range.lowerBound()))
        return Acad::eInvalidInput;  // the curve's data did not make a curve
    int degree = 0;
    Adesk::Boolean rational = false, periodic = false;
    AcGeKnotVector knots;
    AcGePoint2dArray points;
    AcGeDoubleArray weights;
    spline.getDefinitionData(degree, rational, periodic, knots, points, weights);
    e = HatchEdge();
    e.type = AcDbHatch::kSpline;
    e.degree = degree;
    e.rational = rational;
    e.periodic = periodic;
    for (int i = 0; i < knots.length(); ++i)
        e.knots.push_back(knots[i]);
    for (int i = 0; i < points.length(); ++i)
        e.controlPoints.push_back(points[i]);
    if (rational)
        for (int i = 0; i < weights.length(); ++i)
            e.weights.push_back(weights[i]);
    return Acad::eOk;
}

}  // namespace

AcGeEllipArc2d ellipseOfEdge(const HatchEdge& edge)
{
    AcGeVector2d major = edge.end.asVector();
    AcGeVector2d left = major.perpVector();
    const double majorRadius = major.length();
    return AcGeEllipArc2d(edge.start, major, edge.ccw ? left : -left, majorRadius, majorRadius * edge.radius,
                          edge.startAngle, edge.endAngle);
}

AcGeNurbCurve2d splineOfEdge(const HatchEdge& edge)
{
    AcGePoint2dArray points;
    for (const AcGePoint2d& p : edge.controlPoints)
        points.append(p);
    AcGeDoubleArray knots;
    for (double k : edge.knots)
        knots.append(k);
    AcGeDoubleArray weights;
    if (edge.rational)
        for (double w : edge.weights)
            weights.append(w);
    return AcGeNurbCurve2d(edge.degree, AcGeKnotVector(knots), points, weights, edge.periodic);
}

void* newCurveOfEdge(const HatchEdge& edge)
{
    switch (edge.type) {
    case AcDbHatch::kLine:
        return new AcGeLineSeg2d(edge.start, edge.end);
    case AcDbHatch::kCirArc:
        return new AcGeCircArc2d(edge.start, edge.radius, edge.startAngle, edge.endAngle, AcGeVector2d::kXAxis,
                                 !edge.ccw);
    case AcDbHatch::kEllArc:
        return new AcGeEllipArc2d(ellipseOfEdge(edge));
    case AcDbHatch::kSpline:
        return new AcGeNurbCurve2d(splineOfEdge(edge));
    default:
        return nullptr;
    }
}

Acad::ErrorStatus edgeOfCurve(const void* curve, int edgeType, HatchEdge& edge)
{
    if (curve == nullptr)
        return Acad::eInvalidInput;
    switch (edgeType) {
    case AcDbHatch::kLine:
        edge = lineEdge(*static_cast<const AcGeLineSeg2d*>(curve));
        return Acad::eOk;
    case AcDbHatch::kCirArc:
        edge = arcEdge(*static_cast<const AcGeCircArc2d*>(curve));
        return Acad::eOk;
    case AcDbHatch::kEllArc:
        return ellipseEdge(*static_cast<const AcGeEllipArc2d*>(curve), edge);
    case AcDbHatch::kSpline:
        return splineEdge(*static_cast<const AcGeNurbCurve2d*>(curve), edge);
    default:
        return Acad::eInvalidInput;
    }
}

}  // namespace kelvora
