// ARC: the circular arc from a start point through a second point to an end point.
#include <algorithm>
#include <cmath>
#include <optional>

#include "acedads.h"
#include "command_support.h"
#include "dbents.h"
#include "drawing_commands.h"

namespace kelvora::commands {

namespace {

// Three points closer to one line than this (twice the triangle's area over the square of its
// longest side) give no usable arc: its radius would exceed the drawing's size a billion times.
constexpr double kCollinearRatio = 1e-9;

struct ArcThrough {
    AcGePoint3d center;
    double radius = 0.0;
    double startAngle = 0.0;  // counter-clockwise from start to end
    double endAngle = 0.0;
};

// The arc through the three points, in the plane z = start.z. Nothing when they are in line.
std::optional<ArcThrough> arcThrough(const AcGePoint3d& a, const AcGePoint3d& b, const AcGePoint3d& c)
{
    double bx = b.x - a.x, by = b.y - a.y;
    double cx = c.x - a.x, cy = c.y - a.y;
    double cross = bx * cy - by * cx;
    double longest = std::max({bx * bx + by * by, cx * cx + cy * cy, (c.x - b.x) * (c.x - b.x) + (c.y - b.y) * (c.y - b.y)});
    if (!(longest > 0.0) || std::abs(cross) <= kCollinearRatio * longest)
        return std::nullopt;
    double d = 2.0 * cross;
    double bb = bx * bx + by * by, cc = cx * cx + cy * cy;
    double ux = (cy * bb - by * cc) / d;
    double uy = (bx * cc - cx * bb) / d;
    ArcThrough arc;
    arc.center = AcGePoint3d(a.x + ux, a.y + uy, a.z);
    arc.radius = std::hypot(ux, uy);
    double angleA = std::atan2(a.y - arc.center.y, a.x - arc.center.x);
    double angleC = std::atan2(c.y - arc.center.y, c.x - arc.center.x);
    // Counter-clockwise through b when a, b, c turn left; otherwise the arc runs from c to a.
    arc.startAngle = cross > 0.0 ? angleA : angleC;
    arc.endAngle = cross > 0.0 ? angleC : angleA;
    return arc;
}

}  // namespace

void arcCommand()
{
    ads_point start = {0, 0, 0}, second = {0, 0, 0}, end = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify start point of arc: ", start) != RTNORM)
        return;
    if (acedGetPoint(start, L"\nSpecify second point of arc: ", second) != RTNORM)
        return;
    if (acedGetPoint(second, L"\nSpecify end point of arc: ", end) != RTNORM)
        return;
    std::optional<ArcThrough> arc = arcThrough(asPoint(start), asPoint(second), asPoint(end));
    if (!arc) {
        say(L"\nThe three points are in line: no arc passes through them.");
        return;
    }
    addToCurrentSpace(new AcDbArc(arc->center, arc->radius, arc->startAngle, arc->endAngle));
}

}  // namespace kelvora::commands
