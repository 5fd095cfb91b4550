// Axis-aligned extents of arcs and splines.
#include "kelvora/ge_extents.h"

#include <algorithm>
#include <cmath>

#include "ge_math.h"

namespace kelvora {

namespace {

void grow(AcGePoint2d& minPt, AcGePoint2d& maxPt, const AcGePoint2d& p)
{
    minPt.set(std::min(minPt.x, p.x), std::min(minPt.y, p.y));
    maxPt.set(std::max(maxPt.x, p.x), std::max(maxPt.y, p.y));
}

void grow(AcGePoint3d& minPt, AcGePoint3d& maxPt, const AcGePoint3d& p)
{
    minPt.set(std::min(minPt.x, p.x), std::min(minPt.y, p.y), std::min(minPt.z, p.z));
    maxPt.set(std::max(maxPt.x, p.x), std::max(maxPt.y, p.y), std::max(maxPt.z, p.z));
}

// Parameters in the arc's range where a coordinate of c + r (cos a X + sin a Y)
// is extreme: a = atan2(Y_i, X_i) and that plus pi, for each axis i.
template <class Arc, class V>
void extremeParams(const Arc& arc, const V& xAxis, const V& yAxis, int dims, double out[6], int& count)
{
    count = 0;
    for (int i = 0; i < dims; ++i) {
        double phi = std::atan2(yAxis[static_cast<unsigned>(i)], xAxis[static_cast<unsigned>(i)]);
        for (double a : {phi, phi + ge::kPi}) {
            double t = arc.startAng() + ge::normalizeAngle(a - arc.startAng());
            if (t <= arc.endAng())
                out[count++] = t;
        }
    }
}

}  // namespace

void addArcExtents(const AcGeCircArc2d& arc, AcGePoint2d& minPt, AcGePoint2d& maxPt)
{
    grow(minPt, maxPt, arc.startPoint());
    grow(minPt, maxPt, arc.endPoint());
    AcGeVector2d x = arc.refVec();
    AcGeVector2d y = arc.isClockWise() ? -x.perpVector() : x.perpVector();
    double params[6];
    int count;
    extremeParams(arc, x, y, 2, params, count);
    for (int i = 0; i < count; ++i)
        grow(minPt, maxPt, arc.evalPoint(params[i]));
}

void addArcExtents(const AcGeCircArc3d& arc, AcGePoint3d& minPt, AcGePoint3d& maxPt)
{
    grow(minPt, maxPt, arc.startPoint());
    grow(minPt, maxPt, arc.endPoint());
    AcGeVector3d x = arc.refVec();
    AcGeVector3d y = arc.normal().crossProduct(x);
    double params[6];
    int count;
    extremeParams(arc, x, y, 3, params, count);
    for (int i = 0; i < count; ++i)
        grow(minPt, maxPt, arc.evalPoint(params[i]));
}

void arcExtents(const AcGeCircArc2d& arc, AcGePoint2d& minPt, AcGePoint2d& maxPt)
{
    minPt = maxPt = arc.startPoint();
    addArcExtents(arc, minPt, maxPt);
}

void arcExtents(const AcGeCircArc3d& arc, AcGePoint3d& minPt, AcGePoint3d& maxPt)
{
    minPt = maxPt = arc.startPoint();
    addArcExtents(arc, minPt, maxPt);
}

bool nurbsExtents(const AcGeNurbCurve3d& curve, AcGePoint3d& minPt, AcGePoint3d& maxPt)
{
    AcGeInterval range;
    curve.getInterval(range);
    if (curve.numControlPoints() == 0 || !(range.length() > 0.0))
        return false;
    AcGePoint3d lo = curve.controlPointAt(0), hi = lo;
    for (int i = 1; i < curve.numControlPoints(); ++i)
        grow(lo, hi, curve.controlPointAt(i));
    minPt = lo;
    maxPt = hi;
    return true;
}

}  // namespace kelvora
