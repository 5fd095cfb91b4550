// Conversions between polyline segments (start, end, bulge) and their arcs.
#include "kelvora/bulge.h"

#include <cmath>

#include "ge_math.h"

namespace kelvora {

namespace {

bool isStraight(const AcGePoint2d& start, const AcGePoint2d& end, double bulge)
{
    return !std::isfinite(bulge) || std::fabs(bulge) < kStraightBulge ||
           start.distanceTo(end) <= AcGeContext::gTol.equalPoint();
}

}  // namespace

double sweepFromBulge(double bulge) { return 4.0 * std::atan(bulge); }

double bulgeFromSweep(double sweepRad) { return std::tan(sweepRad / 4.0); }

// With h the half chord and b the bulge, the centre lies h (1 - b^2) / (2 b)
// to the left of the chord's midpoint and the radius is h (1 + b^2) / (2 |b|).
bool bulgeToArc(const AcGePoint2d& start, const AcGePoint2d& end, double bulge, BulgeArc& arc)
{
    if (isStraight(start, end, bulge))
        return false;
    AcGeVector2d chord = end - start;
    double h = 0.5 * chord.length();
    AcGeVector2d left = chord.perpVector() / (2.0 * h);
    BulgeArc r;
    r.center = start + chord * 0.5 + left * (h * (1.0 - bulge * bulge) / (2.0 * bulge));
    r.radius = h * (1.0 + bulge * bulge) / (2.0 * std::fabs(bulge));
    r.startAngle = (start - r.center).angle();
    r.endAngle = (end - r.center).angle();
    r.sweep = sweepFromBulge(bulge);
    r.clockwise = bulge < 0.0;
    arc = r;
    return true;
}

bool bulgeToArc(const AcGePoint2d& start, const AcGePoint2d& end, double bulge, AcGeCircArc2d& arc)
{
    if (isStraight(start, end, bulge))
        return false;
    arc.set(start, end, bulge, Adesk::kFalse);
    return true;
}

double bulgeRadius(const AcGePoint2d& start, const AcGePoint2d& end, double bulge)
{
    BulgeArc arc;
    return bulgeToArc(start, end, bulge, arc) ? arc.radius : 0.0;
}

AcGePoint2d bulgeMidPoint(const AcGePoint2d& start, const AcGePoint2d& end, double bulge)
{
    AcGeVector2d chord = end - start;
    AcGePoint2d mid = start + chord * 0.5;
    if (isStraight(start, end, bulge))
        return mid;
    // The sagitta b h stands off the chord on the right for a positive bulge.
    return mid - chord.perpVector() * (0.5 * bulge);
}

double bulgeLength(const AcGePoint2d& start, const AcGePoint2d& end, double bulge)
{
    BulgeArc arc;
    if (!bulgeToArc(start, end, bulge, arc))
        return start.distanceTo(end);
    return arc.radius * std::fabs(arc.sweep);
}

double bulgeFromAngles(double startAngle, double endAngle, bool clockwise)
{
    double sweep = clockwise ? ge::normalizeAngle(startAngle - endAngle) : ge::normalizeAngle(endAngle - startAngle);
    double b = bulgeFromSweep(sweep);
    return clockwise ? -b : b;
}

double bulgeFromArc(const AcGeCircArc2d& arc)
{
    double b = bulgeFromSweep(arc.endAng() - arc.startAng());
    return arc.isClockWise() ? -b : b;
}

}  // namespace kelvora
