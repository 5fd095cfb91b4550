// Sampling two limits at matching parameters and joining their midpoints into one polyline.
#include "tools/middle_line.h"

#include <algorithm>

#include "dbpl.h"
#include "geometry/polyline_kernel.h"

namespace kelvora::tools {

namespace {

constexpr int kStepsPerSegment = 10;
// The middle line only loses vertices that lie on a straight run to a tenth of a millimetre.
constexpr double kMergeTolerance = 0.0001;

bool midpointInPlane(const AcDbPolyline& first, double param1, const AcDbPolyline& second, double param2,
                     const AcGeVector3d& normal, AcGePoint2d& midpoint, double& elevation)
{
    AcGePoint3d p1, p2;
    if (first.getPointAtParam(param1, p1) != Acad::eOk || second.getPointAtParam(param2, p2) != Acad::eOk)
        return false;
    const AcGePoint3d middle = p1 + (p2 - p1) * 0.5;
    return worldToPlane2d(middle, normal, false, midpoint, &elevation);
}

}  // namespace

AcDbPolyline* middleLine(const AcDbPolyline& first, const AcDbPolyline& second)
{
    if (first.numVerts() < 2 || second.numVerts() < 2)
        return nullptr;
    double s1 = 0.0, e1 = 0.0, s2 = 0.0, e2 = 0.0;
    if (first.getStartParam(s1) != Acad::eOk || first.getEndParam(e1) != Acad::eOk ||
        second.getStartParam(s2) != Acad::eOk || second.getEndParam(e2) != Acad::eOk)
        return nullptr;
    const double steps = (std::max(e1, e2) - std::min(s1, s2)) * kStepsPerSegment;
    if (!(steps > 0.0))
        return nullptr;
    const double d1 = (e1 - s1) / steps;
    const double d2 = (e2 - s2) / steps;
    const AcGeVector3d normal = first.normal();

    auto* middle = new AcDbPolyline(static_cast<unsigned int>(steps) + 1);
    middle->setNormal(normal);
    // The line lies at the height of its first point: between limits at one height, at theirs.
    unsigned int index = 0;
    double elevation = 0.0;
    for (int k = 0; k < steps; ++k) {
        AcGePoint2d point;
        if (midpointInPlane(first, s1 + k * d1, second, s2 + k * d2, normal, point, elevation)) {
            if (index == 0)
                middle->setElevation(elevation);
            middle->addVertexAt(index++, point, 0.0, -1.0, -1.0);
        }
    }
    AcGePoint2d last;
    if (midpointInPlane(first, e1, second, e2, normal, last, elevation))
        middle->addVertexAt(index, last, 0.0, -1.0, -1.0);
    mergeCollinearSegments(middle, kMergeTolerance, kMergeTolerance);
    return middle;
}

}  // namespace kelvora::tools
