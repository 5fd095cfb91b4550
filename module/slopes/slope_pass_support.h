// What the stroke passes share: the limits held open for a pass, boxes around strokes and segments, and outline spans.
#pragma once

#include <vector>

#include "dbpl.h"
#include "getol.h"
#include "slopes/box_grid.h"

class nPolyLineTalutee;

namespace kelvora::slopes {

// A point ahead of a stroke's base counts when the direction to it matches the stroke's within
// this: intersection points lie on the stroke's line to rounding, so only points behind the base
// (the opposite direction) fail.
AcGeTol limitDirectionTolerance();
// The starting "nearest limit" distance: farther than any drawing.
inline constexpr double kFarAway = 1e38;

// Boxes are widened by this before the grid is asked: far above the host's intersection tolerance
// (1e-10, relative 1e-13) so that no crossing the host would report is ever filtered out, and far
// below any stroke spacing so that the filter still filters.
double boxMargin(const AcGePoint3d& sample);

struct Box3d {
    AcGePoint3d lo;
    AcGePoint3d hi;

    void add(const AcGePoint3d& p);
    void widen(double margin);
    bool overlaps(const Box3d& other) const;
    Box2d plan() const { return Box2d{lo.x, lo.y, hi.x, hi.y}; }
    // Where the ray origin + t * direction (t >= 0) enters the box; false when it misses it.
    bool rayEntry(const AcGePoint3d& origin, const AcGeVector3d& direction, double& tEnter) const;
};

Box3d segmentBox(const AcGePoint3d& a, const AcGePoint3d& b);

// The box of segment index of a lightweight polyline in world coordinates: its two vertices, and
// for an arc its whole circle. False when the polyline has no such segment.
bool polylineSegmentBox(const AcDbPolyline& polyline, unsigned index, Box3d& box);
unsigned polylineSegmentCount(const AcDbPolyline& polyline);

// Opens every limit of the slope for read for the life of the object and closes them at its end.
// A limit that does not open is dropped from the slope's list.
class OpenedLimits {
public:
    explicit OpenedLimits(const nPolyLineTalutee& slope);
    ~OpenedLimits();
    OpenedLimits(const OpenedLimits&) = delete;
    OpenedLimits& operator=(const OpenedLimits&) = delete;

    const std::vector<AcDbEntity*>& entities() const { return m_entities; }

private:
    std::vector<AcDbEntity*> m_entities;
};

// A polyline made of segments first..last of another (open, same normal and elevation), whose host
// intersections are exactly those of the same segments inside the whole polyline: the host builds
// each segment's geometry from its own two vertices and bulge, and keeps the segments' order.
class OutlineSpan {
public:
    // The entity to intersect: the span, or the source itself when the span reaches its closing
    // segment (an open copy would put that segment in another place of the order).
    const AcDbEntity* of(const AcDbPolyline& source, unsigned first, unsigned last);

private:
    AcDbPolyline m_span;
};

// Applies the limit rule to the points one limit gave for a stroke: the first point ahead of the
// base and nearer than best becomes the stroke's end.
void takeNearestAhead(const AcGePoint3dArray& points, const AcGePoint3d& from, const AcGeVector3d& direction,
                      double& best, AcGePoint3d& end);

// Applies the outline rule: a point farther than 0.0001 from the base and nearer than the stroke's
// current length becomes its end.
void takeFirstCrossing(const AcGePoint3dArray& points, const AcGePoint3d& from, double& length, AcGePoint3d& end);

}  // namespace kelvora::slopes
