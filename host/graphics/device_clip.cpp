// Device-space helpers of the plot: rectangles, arcs as points, and clipping to a rectangle.
#include "device_clip.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace kelvora {

namespace {

// However large an arc is, it is cut into at most this many chords: at the largest radii a
// plot can reach inside cairo's coordinate range, the chords then still stray less than a
// device unit.
constexpr int kMaxArcSegments = 65536;

// The parameters [t0, t1] of the part of segment a-b inside the rectangle (Liang-Barsky), or
// nothing when the segment misses it.
std::optional<std::pair<double, double>> clipSegment(DevicePoint a, DevicePoint b, const DeviceRect& r)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - r.x0, r.x1 - a.x, a.y - r.y0, r.y1 - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {  // exactly parallel to this side: inside or out all along
            if (q[i] < 0.0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    return std::make_pair(t0, t1);
}

DevicePoint lerp(DevicePoint a, DevicePoint b, double t)
{
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// One side of the rectangle for Sutherland-Hodgman: inside test and crossing point.
struct Edge {
    int axis;      // 0: x, 1: y
    double limit;
    bool keepAbove;

    double coordinate(DevicePoint p) const { return axis == 0 ? p.x : p.y; }
    bool inside(DevicePoint p) const { return keepAbove ? coordinate(p) >= limit : coordinate(p) <= limit; }
    DevicePoint crossing(DevicePoint a, DevicePoint b) const
    {
        const double t = (limit - coordinate(a)) / (coordinate(b) - coordinate(a));
        DevicePoint p = lerp(a, b, t);
        (axis == 0 ? p.x : p.y) = limit;
        return p;
    }
};

}  // namespace

DeviceRect DeviceRect::around(std::span<const DevicePoint> points, double margin)
{
    DeviceRect r{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                 -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    for (const DevicePoint& p : points) {
        r.x0 = std::min(r.x0, p.x);
        r.y0 = std::min(r.y0, p.y);
        r.x1 = std::max(r.x1, p.x);
        r.y1 = std::max(r.y1, p.y);
    }
    return r.grown(margin);
}

bool DeviceRect::contains(const DeviceRect& other) const
{
    return other.x0 >= x0 && other.x1 <= x1 && other.y0 >= y0 && other.y1 <= y1;
}

bool DeviceRect::intersects(const DeviceRect& other) const
{
    return other.x0 <= x1 && other.x1 >= x0 && other.y0 <= y1 && other.y1 >= y0;
}

void appendArcPoints(std::vector<DevicePoint>& out, DevicePoint centre, double radius, double startRad,
                     double sweepRad, double tolerance)
{
    double step = std::fabs(sweepRad);
    if (radius > tolerance)
        step = 2.0 * std::acos(1.0 - tolerance / radius);
    const double wanted = step > 0.0 ? std::ceil(std::fabs(sweepRad) / step) : 1.0;
    const int count = static_cast<int>(std::clamp(wanted, 1.0, static_cast<double>(kMaxArcSegments)));
    for (int k = 0; k <= count; ++k) {
        const double angle = startRad + sweepRad * k / count;
        out.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
}

std::vector<std::vector<DevicePoint>> clipPolyline(std::span<const DevicePoint> points, const DeviceRect& rect,
                                                   bool& clipped)
{
    std::vector<std::vector<DevicePoint>> pieces;
    clipped = false;
    if (points.size() == 1) {
        if (rect.contains({points[0].x, points[0].y, points[0].x, points[0].y}))
            pieces.push_back({points[0]});
        else
            clipped = true;
        return pieces;
    }
    bool open = false;  // whether the last piece ends where the next segment starts
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const auto part = clipSegment(points[i], points[i + 1], rect);
        if (!part) {
            clipped = true;
            open = false;
            continue;
        }
        const auto [t0, t1] = *part;
        if (t0 > 0.0 || !open) {
            if (t0 > 0.0)
                clipped = true;
            pieces.push_back({lerp(points[i], points[i + 1], t0)});
        }
        pieces.back().push_back(lerp(points[i], points[i + 1], t1));
        open = t1 >= 1.0;
        if (!open)
            clipped = true;
    }
    return pieces;
}

std::vector<DevicePoint> clipRing(std::span<const DevicePoint> ring, const DeviceRect& rect)
{
    std::vector<DevicePoint> current(ring.begin(), ring.end());
    const Edge edges[4] = {{0, rect.x0, true}, {0, rect.x1, false}, {1, rect.y0, true}, {1, rect.y1, false}};
    for (const Edge& edge : edges) {
        if (current.empty())
            break;
        std::vector<DevicePoint> next;
        next.reserve(current.size() + 4);
        for (std::size_t i = 0; i < current.size(); ++i) {
            const DevicePoint a = current[i];
            const DevicePoint b = current[(i + 1) % current.size()];
            const bool aIn = edge.inside(a);
            const bool bIn = edge.inside(b);
            if (aIn)
                next.push_back(a);
            if (aIn != bIn)
                next.push_back(edge.crossing(a, b));
        }
        current = std::move(next);
    }
    return current;
}

}  // namespace kelvora
