// Finds the plane of a set of points, if they have one.
#include "plane_fit.h"

#include <cmath>

namespace kelvora::ge {

namespace {

AcGeVector3d orientedUp(AcGeVector3d n, double tiny)
{
    if (n.z < -tiny || (std::fabs(n.z) <= tiny && (n.y < -tiny || (std::fabs(n.y) <= tiny && n.x < 0.0))))
        n.negate();
    return n;
}

}  // namespace

bool planeThroughPoints(const AcGePoint3dArray& points, const AcGeTol& tol, AcGePoint3d& origin, AcGeVector3d& normal)
{
    if (points.isEmpty())
        return false;
    const AcGePoint3d o = points[0];
    // Farthest point from the first: the line of the set.
    int far = 0;
    double farDist = 0.0;
    for (int i = 1; i < points.length(); ++i) {
        double d = points[i].distanceTo(o);
        if (d > farDist) {
            farDist = d;
            far = i;
        }
    }
    origin = o;
    if (farDist <= tol.equalPoint()) {
        normal = AcGeVector3d::kZAxis;
        return true;
    }
    AcGeVector3d u = (points[far] - o).normal();
    // Farthest point from that line: the plane of the set.
    int off = -1;
    double offDist = 0.0;
    for (int i = 1; i < points.length(); ++i) {
        AcGeVector3d w = points[i] - o;
        double d = (w - u * w.dotProduct(u)).length();
        if (d > offDist) {
            offDist = d;
            off = i;
        }
    }
    if (off < 0 || offDist <= tol.equalPoint()) {
        normal = orientedUp(u.perpVector(), tol.equalVector());
        return true;
    }
    AcGeVector3d n = u.crossProduct(points[off] - o).normal();
    for (int i = 1; i < points.length(); ++i)
        if (std::fabs((points[i] - o).dotProduct(n)) > tol.equalPoint())
            return false;
    normal = orientedUp(n, tol.equalVector());
    return true;
}

}  // namespace kelvora::ge
