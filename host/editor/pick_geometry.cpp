// Plan shapes of drawn primitives: nearest points, and whether a shape touches or lies within a box.
#include "pick_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "kelvora/float_compare.h"

namespace kelvora {

namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;
// A unit normal whose x and y are both below this is taken as parallel to Z: its circles show as
// circles. 1e-9 is far below any tilt a drawing means and above the noise of a computed normal.
constexpr double kPlanNormalTolerance = 1e-9;
// Angles of arc ends are compared with this slack, so that a point computed on an arc's end
// counts as on the arc.
constexpr double kAngleTolerance = 1e-12;
// A tilted curve is cut into no more pieces than this, however fine the deviation.
constexpr int kMaxChainSegments = 4096;
constexpr int kMinChainSegments = 8;
// Infinite lines are drawn this far either way: far beyond any drawing's coordinates, near enough
// that segment arithmetic keeps its precision.
constexpr double kInfiniteReach = 1e10;

AcGePoint2d flat(const AcGePoint3d& p)
{
    return {p.x, p.y};
}

double length(double dx, double dy)
{
    return std::hypot(dx, dy);
}

double normalizedAngle(double a)
{
    double r = std::fmod(a, kFullTurn);
    return r < 0.0 ? r + kFullTurn : r;
}

bool isPlanNormal(const AcGeVector3d& n)
{
    return std::fabs(n.x) < kPlanNormalTolerance && std::fabs(n.y) < kPlanNormalTolerance &&
           std::fabs(n.z) > kPlanNormalTolerance;
}

NearestPoint nearestOnSegment(const AcGePoint2d& a, const AcGePoint2d& b, const AcGePoint2d& p)
{
    double dx = b.x - a.x;
    double dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    double t = 0.0;
    if (len2 > 0.0)
        t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0);
    AcGePoint2d q(a.x + t * dx, a.y + t * dy);
    return {true, length(p.x - q.x, p.y - q.y), q};
}

NearestPoint nearestOnArc(const PlanArc& arc, const AcGePoint2d& p)
{
    double dx = p.x - arc.centre.x;
    double dy = p.y - arc.centre.y;
    double d = length(dx, dy);
    if (d > 0.0) {
        double angle = std::atan2(dy, dx);
        if (arc.coversAngle(angle)) {
            AcGePoint2d q = arc.pointAt(angle);
            return {true, std::fabs(d - arc.radius), q};
        }
    }
    AcGePoint2d s = arc.pointAt(arc.startAngle);
    AcGePoint2d e = arc.pointAt(arc.startAngle + arc.sweep);
    double ds = length(p.x - s.x, p.y - s.y);
    double de = length(p.x - e.x, p.y - e.y);
    return ds <= de ? NearestPoint{true, ds, s} : NearestPoint{true, de, e};
}

bool insideRing(const std::vector<AcGePoint2d>& ring, const AcGePoint2d& p)
{
    bool inside = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const AcGePoint2d& a = ring[i];
        const AcGePoint2d& b = ring[j];
        if ((a.y > p.y) != (b.y > p.y)) {
            double x = a.x + (p.y - a.y) / (b.y - a.y) * (b.x - a.x);
            if (p.x < x)
                inside = !inside;
        }
    }
    return inside;
}

// Liang-Barsky: whether the segment from a to b meets the box.
bool segmentTouchesBox(const AcGePoint2d& a, const AcGePoint2d& b, const Box2d& box)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.minX, box.maxX - a.x, a.y - box.minY, box.maxY - a.y};
    for (int i = 0; i < 4; ++i) {
        if (exactlyEqual(p[i], 0.0)) {  // parallel to this side: in or out as a whole
            if (q[i] < 0.0)
                return false;
            continue;
        }
        double r = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1)
            return false;
    }
    return true;
}

// Where the segment from a to b crosses the circle, as angles about the centre.
void circleCrossings(const PlanArc& arc, const AcGePoint2d& a, const AcGePoint2d& b, std::vector<double>& angles)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double fx = a.x - arc.centre.x;
    const double fy = a.y - arc.centre.y;
    const double qa = dx * dx + dy * dy;
    if (qa <= 0.0)
        return;
    const double qb = 2.0 * (fx * dx + fy * dy);
    const double qc = fx * fx + fy * fy - arc.radius * arc.radius;
    const double disc = qb * qb - 4.0 * qa * qc;
    if (disc < 0.0)
        return;
    const double root = std::sqrt(disc);
    for (double t : {(-qb - root) / (2.0 * qa), (-qb + root) / (2.0 * qa)}) {
        if (t >= 0.0 && t <= 1.0)
            angles.push_back(std::atan2(fy + t * dy, fx + t * dx));
    }
}

bool arcTouchesBox(const PlanArc& arc, const Box2d& box)
{
    if (box.contains(arc.pointAt(arc.startAngle)) || box.contains(arc.pointAt(arc.startAngle + arc.sweep)))
        return true;
    const AcGePoint2d c[4] = {{box.minX, box.minY}, {box.maxX, box.minY}, {box.maxX, box.maxY}, {box.minX, box.maxY}};
    std::vector<double> angles;
    for (int i = 0; i < 4; ++i)
        circleCrossings(arc, c[i], c[(i + 1) % 4], angles);
    return std::any_of(angles.begin(), angles.end(), [&](double a) { return arc.coversAngle(a); });
}

bool arcInsideBox(const PlanArc& arc, const Box2d& box)
{
    if (!box.contains(arc.pointAt(arc.startAngle)) || !box.contains(arc.pointAt(arc.startAngle + arc.sweep)))
        return false;
    for (int quarter = 0; quarter < 4; ++quarter) {
        double angle = quarter * std::numbers::pi / 2.0;
        if (arc.coversAngle(angle) && !box.contains(arc.pointAt(angle)))
            return false;
    }
    return true;
}

int segmentsFor(double radius, double sweep, double deviation)
{
    double step = kFullTurn / kMinChainSegments;
    if (radius > 0.0 && deviation > 0.0 && deviation < radius)
        step = std::min(step, 2.0 * std::acos(1.0 - deviation / radius));
    double n = std::ceil(std::fabs(sweep) / std::max(step, kAngleTolerance));
    return static_cast<int>(std::clamp(n, 1.0, static_cast<double>(kMaxChainSegments)));
}

// The arc c + r (cos t u + sin t v), t from 0 to sweep, as the view sees it.
void addArc(PlanShape& shape, const GiPrimitive& p, double sweep, double deviation)
{
    const AcGePoint3d& centre = p.points[0];
    AcGeVector3d u = p.startVector.isZeroLength() ? AcGeVector3d::kXAxis : p.startVector.normal();
    AcGeVector3d normal = p.normal.isZeroLength() ? AcGeVector3d::kZAxis : p.normal.normal();
    if (isPlanNormal(normal)) {
        double turn = normal.z > 0.0 ? 1.0 : -1.0;
        shape.arcs.push_back({flat(centre), p.radius, std::atan2(u.y, u.x), sweep * turn});
        return;
    }
    AcGeVector3d v = normal.crossProduct(u);
    int n = segmentsFor(p.radius, sweep, deviation);
    std::vector<AcGePoint2d> chain;
    chain.reserve(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i) {
        double t = sweep * i / n;
        chain.push_back(flat(centre + u * (p.radius * std::cos(t)) + v * (p.radius * std::sin(t))));
    }
    shape.chains.push_back(std::move(chain));
}

AcGePoint2d arcStart(const GiPrimitive& p)
{
    AcGeVector3d u = p.startVector.isZeroLength() ? AcGeVector3d::kXAxis : p.startVector.normal();
    return flat(p.points[0] + u * p.radius);
}

AcGePoint2d arcEnd(const GiPrimitive& p)
{
    AcGeVector3d u = p.startVector.isZeroLength() ? AcGeVector3d::kXAxis : p.startVector.normal();
    AcGeVector3d normal = p.normal.isZeroLength() ? AcGeVector3d::kZAxis : p.normal.normal();
    AcGeVector3d v = normal.crossProduct(u);
    return flat(p.points[0] + u * (p.radius * std::cos(p.sweepAngle)) + v * (p.radius * std::sin(p.sweepAngle)));
}

}  // namespace

Box2d Box2d::around(const AcGePoint2d& centre, double halfSide)
{
    return {centre.x - halfSide, centre.y - halfSide, centre.x + halfSide, centre.y + halfSide};
}

Box2d Box2d::corners(const AcGePoint2d& a, const AcGePoint2d& b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool Box2d::contains(const AcGePoint2d& p) const
{
    return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY;
}

AcGePoint2d PlanArc::pointAt(double angle) const
{
    return {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)};
}

bool PlanArc::coversAngle(double angle) const
{
    if (std::fabs(sweep) >= kFullTurn - kAngleTolerance)
        return true;
    double delta = sweep >= 0.0 ? normalizedAngle(angle - startAngle) : normalizedAngle(startAngle - angle);
    return delta <= std::fabs(sweep) + kAngleTolerance || delta >= kFullTurn - kAngleTolerance;
}

PlanShape planShape(const GiPrimitive& p, double deviation)
{
    PlanShape shape;
    switch (p.kind) {
    case GiPrimitiveKind::kPolyline:
    case GiPrimitiveKind::kPolygon: {
        std::vector<AcGePoint2d> chain;
        for (const AcGePoint3d& pt : p.points)
            chain.push_back(flat(pt));
        if (chain.empty())
            break;
        if (p.kind == GiPrimitiveKind::kPolygon) {
            if (p.traits.fillType == kAcGiFillAlways && chain.size() >= 3)
                shape.areas.push_back(chain);
            chain.push_back(chain.front());
        }
        if (chain.size() == 1)
            shape.points.push_back(chain.front());
        else
            shape.chains.push_back(std::move(chain));
        break;
    }
    case GiPrimitiveKind::kPolypoint:
        for (const AcGePoint3d& pt : p.points)
            shape.points.push_back(flat(pt));
        break;
    case GiPrimitiveKind::kCircle:
        if (!p.points.empty())
            addArc(shape, p, kFullTurn, deviation);
        break;
    case GiPrimitiveKind::kCircularArc:
        if (p.points.empty())
            break;
        addArc(shape, p, p.sweepAngle, deviation);
        if (p.arcType == kAcGiArcSector)
            shape.chains.push_back({arcStart(p), flat(p.points[0]), arcEnd(p)});
        else if (p.arcType == kAcGiArcChord)
            shape.chains.push_back({arcStart(p), arcEnd(p)});
        break;
    case GiPrimitiveKind::kText: {
        if (p.points.empty())
            break;
        AcGePoint3d corners[4];
        textCorners(p, corners);
        std::vector<AcGePoint2d> ring;
        for (const AcGePoint3d& c : corners)
            ring.push_back(flat(c));
        shape.areas.push_back(ring);
        ring.push_back(ring.front());
        shape.chains.push_back(std::move(ring));
        break;
    }
    case GiPrimitiveKind::kXline:
    case GiPrimitiveKind::kRay: {
        if (p.points.size() < 2)
            break;
        AcGeVector3d d = p.points[1] - p.points[0];
        if (d.isZeroLength()) {
            shape.points.push_back(flat(p.points[0]));
            break;
        }
        d = d.normal() * kInfiniteReach;
        AcGePoint3d from = p.kind == GiPrimitiveKind::kXline ? p.points[0] - d : p.points[0];
        shape.chains.push_back({flat(from), flat(p.points[0] + d)});
        break;
    }
    case GiPrimitiveKind::kExtentsHint:
        break;
    }
    return shape;
}

NearestPoint nearestPoint(const PlanShape& shape, const AcGePoint2d& p)
{
    NearestPoint best;
    auto consider = [&](const NearestPoint& candidate) {
        if (candidate.found && (!best.found || candidate.distance < best.distance))
            best = candidate;
    };
    for (const auto& area : shape.areas) {
        if (insideRing(area, p))
            consider({true, 0.0, p});
    }
    for (const auto& chain : shape.chains) {
        for (std::size_t i = 0; i + 1 < chain.size(); ++i)
            consider(nearestOnSegment(chain[i], chain[i + 1], p));
    }
    for (const PlanArc& arc : shape.arcs)
        consider(nearestOnArc(arc, p));
    for (const AcGePoint2d& q : shape.points)
        consider({true, length(p.x - q.x, p.y - q.y), q});
    return best;
}

bool touchesBox(const PlanShape& shape, const Box2d& box)
{
    AcGePoint2d middle((box.minX + box.maxX) / 2.0, (box.minY + box.maxY) / 2.0);
    for (const auto& area : shape.areas) {
        if (insideRing(area, middle))
            return true;
    }
    for (const auto& chain : shape.chains) {
        if (chain.size() == 1 && box.contains(chain[0]))
            return true;
        for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
            if (segmentTouchesBox(chain[i], chain[i + 1], box))
                return true;
        }
    }
    for (const PlanArc& arc : shape.arcs) {
        if (arcTouchesBox(arc, box))
            return true;
    }
    return std::any_of(shape.points.begin(), shape.points.end(), [&](const AcGePoint2d& q) { return box.contains(q); });
}

bool insideBox(const PlanShape& shape, const Box2d& box)
{
    bool any = false;
    for (const auto& chain : shape.chains) {
        for (const AcGePoint2d& q : chain) {
            if (!box.contains(q))
                return false;
            any = true;
        }
    }
    for (const auto& area : shape.areas) {
        for (const AcGePoint2d& q : area) {
            if (!box.contains(q))
                return false;
            any = true;
        }
    }
    for (const PlanArc& arc : shape.arcs) {
        if (!arcInsideBox(arc, box))
            return false;
        any = true;
    }
    for (const AcGePoint2d& q : shape.points) {
        if (!box.contains(q))
            return false;
        any = true;
    }
    return any;
}

}  // namespace kelvora
