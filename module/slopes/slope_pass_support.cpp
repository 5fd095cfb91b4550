// Shared parts of the stroke passes: limits held open, boxes, outline spans and the two end-point rules.
#include "slopes/slope_pass_support.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "slopes/slope_entity.h"

namespace kelvora::slopes {

namespace {

constexpr double kDirectionTolerance = 0.0001;
constexpr double kAbsoluteMargin = 1e-6;
// Coordinates of 1e7 still keep their boxes widened well past the doubles' rounding there.
constexpr double kRelativeMargin = 1e-9;
// A crossing this close to the base is the base itself, not the outline met again.
constexpr double kOwnBaseDistance = 0.0001;
constexpr double kPi = std::numbers::pi;

double largestCoordinate(const AcGePoint3d& p)
{
    return std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
}

}  // namespace

AcGeTol limitDirectionTolerance()
{
    AcGeTol tol;
    tol.setEqualVector(kDirectionTolerance);
    return tol;
}

double boxMargin(const AcGePoint3d& sample)
{
    const double size = largestCoordinate(sample);
    return kAbsoluteMargin + (std::isfinite(size) ? kRelativeMargin * size : 0.0);
}

void Box3d::add(const AcGePoint3d& p)
{
    lo.set(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
    hi.set(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
}

void Box3d::widen(double margin)
{
    lo.set(lo.x - margin, lo.y - margin, lo.z - margin);
    hi.set(hi.x + margin, hi.y + margin, hi.z + margin);
}

bool Box3d::overlaps(const Box3d& other) const
{
    return lo.x <= other.hi.x && other.lo.x <= hi.x && lo.y <= other.hi.y && other.lo.y <= hi.y &&
           lo.z <= other.hi.z && other.lo.z <= hi.z;
}

bool Box3d::rayEntry(const AcGePoint3d& origin, const AcGeVector3d& direction, double& tEnter) const
{
    double t0 = 0.0;
    double t1 = kFarAway;
    const double o[3] = {origin.x, origin.y, origin.z};
    const double d[3] = {direction.x, direction.y, direction.z};
    const double l[3] = {lo.x, lo.y, lo.z};
    const double h[3] = {hi.x, hi.y, hi.z};
    for (int axis = 0; axis < 3; ++axis) {
        if (!(std::fabs(d[axis]) > 0.0)) {
            if (o[axis] < l[axis] || o[axis] > h[axis])
                return false;
            continue;
        }
        double a = (l[axis] - o[axis]) / d[axis];
        double b = (h[axis] - o[axis]) / d[axis];
        if (a > b)
            std::swap(a, b);
        t0 = std::max(t0, a);
        t1 = std::min(t1, b);
        if (t0 > t1)
            return false;
    }
    tEnter = t0;
    return true;
}

Box3d segmentBox(const AcGePoint3d& a, const AcGePoint3d& b)
{
    Box3d box{a, a};
    box.add(b);
    return box;
}

unsigned polylineSegmentCount(const AcDbPolyline& polyline)
{
    const unsigned count = polyline.numVerts();
    if (count < 2)
        return 0;
    return polyline.isClosed() ? count : count - 1;
}

bool polylineSegmentBox(const AcDbPolyline& polyline, unsigned index, Box3d& box)
{
    const unsigned count = polyline.numVerts();
    if (index >= polylineSegmentCount(polyline))
        return false;
    AcGePoint3d a;
    AcGePoint3d b;
    polyline.getPointAt(index, a);
    polyline.getPointAt((index + 1) % count, b);
    box = segmentBox(a, b);
    double bulge = 0.0;
    polyline.getBulgeAt(index, bulge);
    AcGeCircArc3d arc;
    if (!(std::fabs(bulge) > 0.0) || polyline.getArcSegAt(index, arc) != Acad::eOk)
        return true;
    const double r = arc.radius();
    const AcGePoint3d c = arc.center();
    const AcGeVector3d n = polyline.normal();
    if (!(n.z > 0.0) || std::fabs(n.x) > 0.0 || std::fabs(n.y) > 0.0) {
        // Seen at a slant the arc may bulge along any axis: its whole sphere, never less.
        box.add(AcGePoint3d(c.x - r, c.y - r, c.z - r));
        box.add(AcGePoint3d(c.x + r, c.y + r, c.z + r));
        return true;
    }
    // In the XY plane: the end points and each quadrant point the arc passes through. A quadrant
    // point just missed by rounding leaves the box short by far less than the margin it gets.
    const double sweep = 4.0 * std::atan(bulge);  // counter-clockwise when positive
    const double start = std::atan2(a.y - c.y, a.x - c.x);
    const double quadrants[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    for (const auto& q : quadrants) {
        double turn = std::atan2(q[1], q[0]) - start;
        if (sweep < 0.0)
            turn = -turn;
        turn = std::fmod(turn, 2.0 * kPi);
        if (turn < 0.0)
            turn += 2.0 * kPi;
        if (turn <= std::fabs(sweep))
            box.add(AcGePoint3d(c.x + r * q[0], c.y + r * q[1], c.z));
    }
    return true;
}

OpenedLimits::OpenedLimits(const nPolyLineTalutee& slope)
{
    int index = 0;
    while (index < slope.limitIds().length()) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, slope.limitIds()[index], AcDb::kForRead) != Acad::eOk || entity == nullptr) {
            slope.dropLimitAt(index);
            continue;
        }
        m_entities.push_back(entity);
        ++index;
    }
}

OpenedLimits::~OpenedLimits()
{
    for (AcDbEntity* entity : m_entities)
        entity->close();
}

const AcDbEntity* OutlineSpan::of(const AcDbPolyline& source, unsigned first, unsigned last)
{
    const unsigned count = source.numVerts();
    if (source.isClosed() && last + 1 >= count)
        return &source;
    m_span.reset(Adesk::kFalse, 0);
    m_span.setNormal(source.normal());
    m_span.setElevation(source.elevation());
    for (unsigned i = first; i <= last + 1 && i < count; ++i) {
        AcGePoint2d point;
        double bulge = 0.0;
        source.getPointAt(i, point);
        if (i <= last)
            source.getBulgeAt(i, bulge);
        m_span.addVertexAt(i - first, point, bulge);
    }
    return &m_span;
}

void takeNearestAhead(const AcGePoint3dArray& points, const AcGePoint3d& from, const AcGeVector3d& direction,
                      double& best, AcGePoint3d& end)
{
    static const AcGeTol tolerance = limitDirectionTolerance();
    for (int i = 0; i < points.length(); ++i) {
        const AcGePoint3d& x = points[i];
        const double distance = from.distanceTo(x);
        if ((x - from).normal().isCodirectionalTo(direction, tolerance) && distance < best) {
            end = x;
            best = distance;
        }
    }
}

void takeFirstCrossing(const AcGePoint3dArray& points, const AcGePoint3d& from, double& length, AcGePoint3d& end)
{
    for (int i = 0; i < points.length(); ++i) {
        const double distance = from.distanceTo(points[i]);
        if (distance < length && distance > kOwnBaseDistance) {
            end = points[i];
            length = distance;
        }
    }
}

}  // namespace kelvora::slopes
