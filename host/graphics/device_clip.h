// Device-space helpers of the plot: rectangles, arcs as points, and clipping to a rectangle.
#pragma once

#include <span>
#include <vector>

namespace kelvora {

struct DevicePoint {
    double x = 0.0;
    double y = 0.0;
};

struct DeviceRect {
    double x0 = 0.0;
    double y0 = 0.0;
    double x1 = 0.0;
    double y1 = 0.0;

    static DeviceRect around(std::span<const DevicePoint> points, double margin);
    DeviceRect grown(double margin) const { return {x0 - margin, y0 - margin, x1 + margin, y1 + margin}; }
    bool contains(const DeviceRect& other) const;
    bool intersects(const DeviceRect& other) const;
};

// Appends the points of an arc (device angles, signed sweep), its start included, so close
// together that no chord strays more than `tolerance` from the arc.
void appendArcPoints(std::vector<DevicePoint>& out, DevicePoint centre, double radius, double startRad,
                     double sweepRad, double tolerance);

// The parts of a polyline inside the rectangle, each a polyline of its own. `clipped` tells
// whether anything was cut off.
std::vector<std::vector<DevicePoint>> clipPolyline(std::span<const DevicePoint> points, const DeviceRect& rect,
                                                   bool& clipped);

// A closed ring cut to the rectangle (Sutherland-Hodgman): inside the rectangle it covers
// exactly what the ring covered, so even-odd filling of several cut rings is unchanged there.
std::vector<DevicePoint> clipRing(std::span<const DevicePoint> ring, const DeviceRect& rect);

}  // namespace kelvora
