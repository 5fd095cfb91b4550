// The segment under a pick and the vertex nearest to it.
#include "tools/vertex_lookup.h"

#include "geometry/polyline_kernel.h"

namespace kelvora::tools {

unsigned int segmentCount(const AcDbPolyline& pline)
{
    const unsigned int n = pline.numVerts();
    if (n == 0)
        return 0;
    return pline.isClosed() ? n : n - 1;
}

AcGePoint2d pointInPlane(const AcDbPolyline& pline, const AcGePoint3d& pointWcs)
{
    AcGePoint2d point(pointWcs.x, pointWcs.y);
    // Without the host's transform the world x and y stand, as for a polyline in the world plane.
    worldToPlane2d(pointWcs, pline.normal(), false, point);
    return point;
}

unsigned int segmentNearPoint(const AcDbPolyline& pline, const AcGePoint3d& pointWcs)
{
    const unsigned int count = segmentCount(pline);
    AcGePoint3d closest;
    if (pline.getClosestPointTo(pointWcs, closest, Adesk::kFalse) != Acad::eOk)
        return count;
    const AcGePoint2d onPlane = pointInPlane(pline, closest);
    for (unsigned int i = 0; i < count; ++i) {
        double param = 0.0;
        if (pline.onSegAt(i, onPlane, param))
            return i;
    }
    return count;
}

unsigned int nearestVertex(const AcDbPolyline& pline, const AcGePoint2d& pointPlane)
{
    const unsigned int n = pline.numVerts();
    unsigned int best = n;
    double bestDistance = 0.0;
    for (unsigned int i = 0; i < n; ++i) {
        AcGePoint2d vertex;
        if (pline.getPointAt(i, vertex) != Acad::eOk)
            continue;
        const double distance = vertex.distanceTo(pointPlane);
        if (best == n || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace kelvora::tools
