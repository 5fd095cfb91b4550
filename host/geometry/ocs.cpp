// The DXF arbitrary-axis algorithm and conversions between world and object coordinates.
#include "kelvora/ocs.h"

#include <cmath>

namespace kelvora {

void ocsAxes(const AcGeVector3d& normal, AcGeVector3d& xAxis, AcGeVector3d& yAxis, AcGeVector3d& zAxis)
{
    // length() > tol is false for a zero vector and for one that is not a number.
    zAxis = normal.length() > AcGeContext::gTol.equalVector() ? normal.normal() : AcGeVector3d::kZAxis;
    const AcGeVector3d helper = (std::fabs(zAxis.x) < kArbitraryAxisLimit && std::fabs(zAxis.y) < kArbitraryAxisLimit)
                                    ? AcGeVector3d::kYAxis
                                    : AcGeVector3d::kZAxis;
    xAxis = helper.crossProduct(zAxis).normal();
    yAxis = zAxis.crossProduct(xAxis).normal();
}

AcGeVector3d ocsXAxis(const AcGeVector3d& normal)
{
    AcGeVector3d x, y, z;
    ocsAxes(normal, x, y, z);
    return x;
}

AcGeVector3d wcsToOcs(const AcGeVector3d& vectorWcs, const AcGeVector3d& normal)
{
    AcGeVector3d x, y, z;
    ocsAxes(normal, x, y, z);
    return AcGeVector3d(vectorWcs.dotProduct(x), vectorWcs.dotProduct(y), vectorWcs.dotProduct(z));
}

AcGeVector3d ocsToWcs(const AcGeVector3d& vectorOcs, const AcGeVector3d& normal)
{
    AcGeVector3d x, y, z;
    ocsAxes(normal, x, y, z);
    return x * vectorOcs.x + y * vectorOcs.y + z * vectorOcs.z;
}

AcGePoint3d wcsToOcs(const AcGePoint3d& pointWcs, const AcGeVector3d& normal)
{
    AcGeVector3d v = wcsToOcs(pointWcs.asVector(), normal);
    return AcGePoint3d(v.x, v.y, v.z);
}

AcGePoint3d ocsToWcs(const AcGePoint3d& pointOcs, const AcGeVector3d& normal)
{
    AcGeVector3d v = ocsToWcs(pointOcs.asVector(), normal);
    return AcGePoint3d(v.x, v.y, v.z);
}

AcGeMatrix3d ocsToWcsMatrix(const AcGeVector3d& normal)
{
    AcGeVector3d x, y, z;
    ocsAxes(normal, x, y, z);
    AcGeMatrix3d m;
    return m.setCoordSystem(AcGePoint3d::kOrigin, x, y, z);
}

// The axes are orthonormal, so the inverse is the transpose.
AcGeMatrix3d wcsToOcsMatrix(const AcGeVector3d& normal) { return ocsToWcsMatrix(normal).transpose(); }

}  // namespace kelvora
