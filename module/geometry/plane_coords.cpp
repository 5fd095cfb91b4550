// World points to the 2D coordinates of a polyline's plane, through the host's coordinate transform.
#include "acedads.h"
#include "adscodes.h"
#include "geometry/polyline_kernel.h"

// The host's transform takes the world system as the integer code 0 and a plane as its normal
// (its arbitrary-axis system); the resulting x and y are the polyline's vertex coordinates.
bool worldToPlane2d(const AcGePoint3d& pointWcs, const AcGeVector3d& normal, bool displacement,
                    AcGePoint2d& pointPlane, double* elevation)
{
    resbuf from{};
    from.rbnext = nullptr;
    from.restype = RTSHORT;
    from.resval.rint = 0;
    resbuf to{};
    to.rbnext = nullptr;
    to.restype = RT3DPOINT;
    to.resval.rpoint[X] = normal.x;
    to.resval.rpoint[Y] = normal.y;
    to.resval.rpoint[Z] = normal.z;
    const ads_point in = {pointWcs.x, pointWcs.y, pointWcs.z};
    ads_point out = {0.0, 0.0, 0.0};
    if (acedTrans(in, &from, &to, displacement ? 1 : 0, out) != RTNORM)
        return false;
    pointPlane.set(out[X], out[Y]);
    if (elevation != nullptr)
        *elevation = out[Z];
    return true;
}
