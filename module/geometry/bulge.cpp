// The bulge of a circular arc as a polyline segment.
#include <cmath>
#include <numbers>

#include "geometry/kernel_internal.h"
#include "geometry/polyline_kernel.h"

namespace kernel_internal {

double sagittaBulge(double sagitta, double halfChord, bool clockwise)
{
    if (!(sagitta >= geomTolerance()) || !(halfChord >= geomTolerance()))
        return 0.0;
    double bulge = sagitta / halfChord;
    return clockwise ? -bulge : bulge;
}

}  // namespace kernel_internal

// The sagitta is measured from the chord's midpoint: towards the arc for at most half a circle
// (r - d), through the centre beyond it (r + d); over the half chord it is tan(sweep / 4).
double arcToBulge(const AcGeCircArc2d& arc)
{
    AcGePoint2d start = arc.startPoint();
    AcGePoint2d end = arc.endPoint();
    AcGePoint2d mid(0.5 * (start.x + end.x), 0.5 * (start.y + end.y));
    double halfChord = start.distanceTo(mid);
    double centreToMid = arc.center().distanceTo(mid);
    double sweep = arc.endAng() - arc.startAng();
    double sagitta = sweep <= std::numbers::pi ? arc.radius() - centreToMid : arc.radius() + centreToMid;
    return kernel_internal::sagittaBulge(sagitta, halfChord, arc.isClockWise());
}
