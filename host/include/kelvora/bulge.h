// Polyline arc segments: conversions between (start, end, bulge) and the arc's centre, radius, angles and sweep.
#pragma once

#include "gearc2d.h"
#include "gepnt2d.h"

namespace kelvora {

// The bulge of a polyline segment is tan(sweep / 4): 0 for a straight segment,
// 1 for a half circle, positive when the arc turns counter-clockwise from the
// segment's start to its end (seen along the polyline's normal), negative when
// clockwise. A counter-clockwise arc bulges out on the right of start->end.
//
//        start ------------- end       bulge  1: half circle below the chord
//              \           /
//                ` - . - '
struct BulgeArc {
    AcGePoint2d center;
    double radius = 0.0;
    // Directions from the centre to the start and end points, in [0, 2pi).
    double startAngle = 0.0;
    double endAngle = 0.0;
    // Signed sweep: positive counter-clockwise, in (-2pi, 2pi).
    double sweep = 0.0;
    bool clockwise = false;
};

// Below this |bulge| a segment is straight: its sagitta is under 1e-12 of its
// chord, far below anything a drawing shows.
constexpr double kStraightBulge = 1e-12;

double sweepFromBulge(double bulge);
double bulgeFromSweep(double sweepRad);

// The arc of a segment. false, arc untouched, when the segment is straight
// (|bulge| below kStraightBulge) or its end points coincide (closer than
// AcGeContext::gTol.equalPoint()).
bool bulgeToArc(const AcGePoint2d& start, const AcGePoint2d& end, double bulge, BulgeArc& arc);
// The arc as an AcGeCircArc2d running from start to end (clockwise for a negative bulge).
bool bulgeToArc(const AcGePoint2d& start, const AcGePoint2d& end, double bulge, AcGeCircArc2d& arc);

// Radius of the segment's arc: chord / (2 sin(sweep / 2)); 0 when straight or degenerate.
double bulgeRadius(const AcGePoint2d& start, const AcGePoint2d& end, double bulge);
// The arc's point halfway along it (the chord's midpoint when straight).
AcGePoint2d bulgeMidPoint(const AcGePoint2d& start, const AcGePoint2d& end, double bulge);
// Length along the segment (the chord when straight).
double bulgeLength(const AcGePoint2d& start, const AcGePoint2d& end, double bulge);

// The bulge of an arc given by centre and angles, running from startAngle to
// endAngle counter-clockwise, or clockwise when clockwise is set.
double bulgeFromAngles(double startAngle, double endAngle, bool clockwise);
// The bulge of an AcGeCircArc2d as a segment from its start point to its end point.
double bulgeFromArc(const AcGeCircArc2d& arc);

}  // namespace kelvora
