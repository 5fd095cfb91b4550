// Arcs of the canvas: bulge segments as circular arcs, sweeps, and the bounds of an arc.
#pragma once

#include "kelvora/canvas.h"

#include <optional>
#include <span>

namespace kelvora {

// A circular arc from startRad, turning by sweepRad (positive counter-clockwise).
struct ArcSpan {
    WorldPoint centre;
    double radius = 0.0;
    double startRad = 0.0;
    double sweepRad = 0.0;
};

// The arc of a bulged polyline segment; nothing when the segment is straight (a bulge too
// small to bend it, or coincident ends).
std::optional<ArcSpan> bulgeArc(WorldPoint from, WorldPoint to, double bulge);

// The counter-clockwise sweep from start to end, in (0, 2 pi]: equal angles give a full turn.
double counterClockwiseSweep(double startRad, double endRad);

// Adds the arc's bounding box: its ends and the quadrant points it passes.
void addArcExtents(WorldExtents& extents, const ArcSpan& arc);

// The extents of a polyline as drawn: its vertices and bulge arcs and, for a wide one, the
// edges of its band (square ends; the tips of sharp mitred corners are not counted).
WorldExtents polylineWorldExtents(std::span<const PolylineVertex> vertices, bool closed, double width);

// The length of a polyline along its straight and bulged segments (closing segment included).
double polylineWorldLength(std::span<const PolylineVertex> vertices, bool closed);

bool isFinitePoint(WorldPoint p);

}  // namespace kelvora
