// AcGePoint3d: arithmetic, transforms, projections and comparison of 3D points.
#include "gepnt3d.h"

#include <cmath>

#include "gemat3d.h"
#include "geplane.h"

const AcGePoint3d AcGePoint3d::kOrigin(0.0, 0.0, 0.0);

AcGePoint3d::AcGePoint3d(const AcGePlanarEnt& pln, const AcGePoint2d& pnt2d) { set(pln, pnt2d); }

AcGePoint3d operator*(const AcGeMatrix3d& mat, const AcGePoint3d& pnt)
{
    const auto& e = mat.entry;
    double x = e[0][0] * pnt.x + e[0][1] * pnt.y + e[0][2] * pnt.z + e[0][3];
    double y = e[1][0] * pnt.x + e[1][1] * pnt.y + e[1][2] * pnt.z + e[1][3];
    double z = e[2][0] * pnt.x + e[2][1] * pnt.y + e[2][2] * pnt.z + e[2][3];
    double w = e[3][0] * pnt.x + e[3][1] * pnt.y + e[3][2] * pnt.z + e[3][3];
    // Affine matrices keep w at 1; a perspective one divides, unless w vanishes.
    if (std::fabs(w - 1.0) > 0.0 && std::fabs(w) > 0.0)
        return AcGePoint3d(x / w, y / w, z / w);
    return AcGePoint3d(x, y, z);
}

AcGePoint3d& AcGePoint3d::setToProduct(const AcGeMatrix3d& mat, const AcGePoint3d& pnt) { return *this = mat * pnt; }
AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& leftSide) { return *this = leftSide * *this; }

AcGePoint3d& AcGePoint3d::rotateBy(double angle, const AcGeVector3d& vec, const AcGePoint3d& wrtPoint)
{
    return transformBy(AcGeMatrix3d::rotation(angle, vec, wrtPoint));
}

AcGePoint3d& AcGePoint3d::mirror(const AcGePlane& pln) { return transformBy(AcGeMatrix3d::mirroring(pln)); }

AcGePoint3d& AcGePoint3d::scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint)
{
    return *this = wrtPoint + (*this - wrtPoint) * scaleFactor;
}

AcGePoint2d AcGePoint3d::convert2d(const AcGePlanarEnt& pln) const { return pln.paramOf(*this); }

AcGePoint3d AcGePoint3d::operator*(double scl) const { return AcGePoint3d(x * scl, y * scl, z * scl); }
AcGePoint3d operator*(double scl, const AcGePoint3d& pnt) { return pnt * scl; }
AcGePoint3d& AcGePoint3d::operator*=(double scl) { return set(x * scl, y * scl, z * scl); }
AcGePoint3d AcGePoint3d::operator/(double scl) const { return AcGePoint3d(x / scl, y / scl, z / scl); }
AcGePoint3d& AcGePoint3d::operator/=(double scl) { return set(x / scl, y / scl, z / scl); }

AcGePoint3d AcGePoint3d::operator+(const AcGeVector3d& vec) const
{
    return AcGePoint3d(x + vec.x, y + vec.y, z + vec.z);
}

AcGePoint3d& AcGePoint3d::operator+=(const AcGeVector3d& vec) { return *this = *this + vec; }

AcGePoint3d AcGePoint3d::operator-(const AcGeVector3d& vec) const
{
    return AcGePoint3d(x - vec.x, y - vec.y, z - vec.z);
}

AcGePoint3d& AcGePoint3d::operator-=(const AcGeVector3d& vec) { return *this = *this - vec; }
AcGePoint3d& AcGePoint3d::setToSum(const AcGePoint3d& pnt, const AcGeVector3d& vec) { return *this = pnt + vec; }

AcGeVector3d AcGePoint3d::operator-(const AcGePoint3d& pnt) const
{
    return AcGeVector3d(x - pnt.x, y - pnt.y, z - pnt.z);
}

AcGeVector3d AcGePoint3d::asVector() const { return AcGeVector3d(x, y, z); }

double AcGePoint3d::distanceTo(const AcGePoint3d& pnt) const { return (*this - pnt).length(); }

AcGePoint3d AcGePoint3d::project(const AcGePlane& pln, const AcGeVector3d& vec) const
{
    AcGeVector3d n = pln.normal();
    double dn = vec.dotProduct(n);
    if (std::fabs(dn) <= AcGeContext::gTol.equalVector() * vec.length())
        return *this;
    return *this - vec * (pln.signedDistanceTo(*this) / dn);
}

AcGePoint3d AcGePoint3d::orthoProject(const AcGePlane& pln) const
{
    return *this - pln.normal() * pln.signedDistanceTo(*this);
}

bool AcGePoint3d::operator==(const AcGePoint3d& pnt) const { return isEqualTo(pnt); }
bool AcGePoint3d::operator!=(const AcGePoint3d& pnt) const { return !isEqualTo(pnt); }

Adesk::Boolean AcGePoint3d::isEqualTo(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return distanceTo(pnt) <= tol.equalPoint();
}

double AcGePoint3d::operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
double& AcGePoint3d::operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }

AcGePoint3d& AcGePoint3d::set(double xx, double yy, double zz)
{
    x = xx;
    y = yy;
    z = zz;
    return *this;
}

AcGePoint3d& AcGePoint3d::set(const AcGePlanarEnt& pln, const AcGePoint2d& pnt) { return *this = pln.evalPoint(pnt); }
