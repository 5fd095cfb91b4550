// Drawn graphics as the view sees them (projected on the world XY plane): distances for picks, and window tests for selections.
#pragma once

#include <vector>

#include "gepnt2d.h"
#include "kelvora/gi_recorder.h"

namespace kelvora {

// An axis-aligned box of the XY plane (a pick aperture, a selection window).
struct Box2d {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;

    static Box2d around(const AcGePoint2d& centre, double halfSide);
    static Box2d corners(const AcGePoint2d& a, const AcGePoint2d& b);
    bool contains(const AcGePoint2d& p) const;
};

// An arc of a circle of the XY plane: from startAngle, sweeping sweep radians (negative: clockwise).
struct PlanArc {
    AcGePoint2d centre;
    double radius = 0.0;
    double startAngle = 0.0;
    double sweep = 0.0;

    AcGePoint2d pointAt(double angle) const;
    bool coversAngle(double angle) const;
};

// A primitive reduced to what the view shows: open or closed point chains, exact arcs (when they lie
// in a plane parallel to XY), filled areas (a filled polygon, a text's box) and isolated points.
// Curves in tilted planes become chains no further than `deviation` from the curve.
struct PlanShape {
    std::vector<std::vector<AcGePoint2d>> chains;  // segments between consecutive points
    std::vector<PlanArc> arcs;
    std::vector<std::vector<AcGePoint2d>> areas;   // closed rings; a point inside hits
    std::vector<AcGePoint2d> points;
};

PlanShape planShape(const GiPrimitive& primitive, double deviation);

struct NearestPoint {
    bool found = false;
    double distance = 0.0;
    AcGePoint2d point;
};

// The shape's point nearest to `p` (inside an area: p itself).
NearestPoint nearestPoint(const PlanShape& shape, const AcGePoint2d& p);
// Whether any part of the shape lies in the box (on its border included): a pick through the
// square aperture, a crossing window.
bool touchesBox(const PlanShape& shape, const Box2d& box);
// Whether the whole shape lies in the box: a window selection. An empty shape is not inside.
bool insideBox(const PlanShape& shape, const Box2d& box);

}  // namespace kelvora
