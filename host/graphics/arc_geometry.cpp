// Arcs of the canvas: bulge segments as circular arcs, sweeps, and the bounds of an arc.
#include "arc_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelvora {

namespace {

// A bulge below this bends a segment by less than a millionth of its length: drawn straight,
// which also keeps the radius of an almost straight arc from overflowing.
constexpr double kStraightBulge = 1e-6;

constexpr double kTwoPi = 2.0 * std::numbers::pi;

}  // namespace

bool isFinitePoint(WorldPoint p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

std::optional<ArcSpan> bulgeArc(WorldPoint from, WorldPoint to, double bulge)
{
    if (!std::isfinite(bulge) || std::fabs(bulge) < kStraightBulge)
        return std::nullopt;
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double chord = std::hypot(dx, dy);
    if (!(chord > 0.0) || !std::isfinite(chord))
        return std::nullopt;
    // The centre lies on the chord's perpendicular bisector, (1 - b^2) / (4 b) chords from the
    // middle, to the left of the chord for a counter-clockwise minor arc.
    const double offset = (1.0 - bulge * bulge) / (4.0 * bulge);
    ArcSpan arc;
    arc.centre = {(from.x + to.x) / 2.0 - dy * offset, (from.y + to.y) / 2.0 + dx * offset};
    arc.radius = chord * (1.0 + bulge * bulge) / (4.0 * std::fabs(bulge));
    arc.startRad = std::atan2(from.y - arc.centre.y, from.x - arc.centre.x);
    arc.sweepRad = 4.0 * std::atan(bulge);
    return arc;
}

double counterClockwiseSweep(double startRad, double endRad)
{
    double sweep = std::fmod(endRad - startRad, kTwoPi);
    if (sweep <= 0.0)
        sweep += kTwoPi;
    return sweep;
}

void addArcExtents(WorldExtents& extents, const ArcSpan& arc)
{
    double start = arc.startRad;
    double sweep = arc.sweepRad;
    if (sweep < 0.0) {
        start += sweep;
        sweep = -sweep;
    }
    const auto at = [&](double angle) {
        return WorldPoint{arc.centre.x + arc.radius * std::cos(angle), arc.centre.y + arc.radius * std::sin(angle)};
    };
    extents.addPoint(at(start));
    extents.addPoint(at(start + sweep));
    // The quadrant points (multiples of pi/2) between start and start + sweep.
    const double quarter = std::numbers::pi / 2.0;
    for (double k = std::ceil(start / quarter); k * quarter <= start + sweep; k += 1.0) {
        const int quadrant = static_cast<int>(std::fmod(std::fmod(k, 4.0) + 4.0, 4.0));
        const WorldPoint offsets[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
        extents.addPoint({arc.centre.x + arc.radius * offsets[quadrant].x,
                          arc.centre.y + arc.radius * offsets[quadrant].y});
    }
}

WorldExtents polylineWorldExtents(std::span<const PolylineVertex> vertices, bool closed, double width)
{
    WorldExtents extents;
    const std::size_t n = vertices.size();
    const double half = width > 0.0 ? width / 2.0 : 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const WorldPoint from = vertices[i].point;
        extents.addPoint(from);
        const bool hasNext = i + 1 < n || (closed && n > 1);
        if (!hasNext)
            continue;
        const WorldPoint to = vertices[(i + 1) % n].point;
        if (const auto arc = bulgeArc(from, to, vertices[i].bulge)) {
            // A wide arc lies between its inner and outer edges, concentric arcs.
            addArcExtents(extents, {arc->centre, arc->radius + half, arc->startRad, arc->sweepRad});
            addArcExtents(extents, {arc->centre, std::max(arc->radius - half, 0.0), arc->startRad, arc->sweepRad});
            continue;
        }
        extents.addPoint(to);
        const double length = std::hypot(to.x - from.x, to.y - from.y);
        if (half > 0.0 && length > 0.0) {
            // The band of a straight segment: its rectangle, ends square at the vertices.
            // (The tips of mitred corners, beyond these rectangles, are not counted.)
            const double nx = -(to.y - from.y) / length * half;
            const double ny = (to.x - from.x) / length * half;
            extents.addPoint({from.x + nx, from.y + ny});
            extents.addPoint({from.x - nx, from.y - ny});
            extents.addPoint({to.x + nx, to.y + ny});
            extents.addPoint({to.x - nx, to.y - ny});
        }
    }
    return extents;
}
double polylineWorldLength(std::span<const PolylineVertex> vertices, bool closed)
{
    const std::size_t n = vertices.size();
    if (n < 2)
        return 0.0;
    double length = 0.0;
    const std::size_t segments = closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const WorldPoint a = vertices[i].point;
        const WorldPoint b = vertices[(i + 1) % n].point;
        if (const auto arc = bulgeArc(a, b, vertices[i].bulge))
            length += arc->radius * std::fabs(arc->sweepRad);
        else
            length += std::hypot(b.x - a.x, b.y - a.y);
    }
    return length;
}

}  // namespace kelvora
