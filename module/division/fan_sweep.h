// Walking a fan polygon from its pivot, vertex after vertex, until the swept region holds an area.
#pragma once

#include "dbpl.h"

namespace kelvora::division {

// +1 when the polyline (an open one closed by its chord) runs counter-clockwise, -1 clockwise.
double orientationOf(const AcDbPolyline* pline);

// The area of the polyline (an open one closed by its chord) counted positive where it runs in
// the sense `orientation` and negative against it: the host's measure (AcDbPolyline::getArea) with
// its sign. A fan's part sweeps in the fan's sense only as long as it does not double back; where
// it does, the unsigned measure would count the region it takes back as gained.
double sweptAreaOf(const AcDbPolyline* pline, double orientation);

// Where the sweep stops: the part holds the fan's vertices 0..lastVertex; `current` is its swept
// area (sweptAreaOf, in the fan's sense) and `previous` the same without the last vertex (equal to
// `current` when the part was never grown past its first two vertices).
struct SweepStop {
    double orientation = 1.0;  // the fan's sense (orientationOf)
    unsigned int lastVertex = 0;
    double previous = 0.0;
    double current = 0.0;
};

// Appends fan vertices 0 and 1 to the empty part, then the next ones as long as the part's swept
// area is below partAreaSqUnits and vertices remain. The figures are exactly those of measuring
// the part again after every vertex; a running sum only spares the measures that cannot change a
// comparison, so that the walk costs linear time, not quadratic.
SweepStop sweepToArea(const AcDbPolyline* fan, double partAreaSqUnits, AcDbPolyline* part);

}  // namespace kelvora::division
