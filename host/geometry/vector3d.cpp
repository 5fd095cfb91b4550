// AcGeVector3d: arithmetic, angles, projections, normalisation and direction tests of 3D vectors.
#include "gevec3d.h"

#include <cmath>

#include "ge_math.h"
#include "gemat3d.h"
#include "geplanar.h"
#include "kelvora/ocs.h"

namespace {

// The unit vector of v, or false when v is not longer than the tolerance.
bool unitOf(const AcGeVector3d& v, const AcGeTol& tol, AcGeVector3d& unit)
{
    double len = v.length();
    if (len <= tol.equalVector())
        return false;
    unit = v / len;
    return true;
}

}  // namespace

const AcGeVector3d AcGeVector3d::kIdentity(1.0, 1.0, 1.0);
const AcGeVector3d AcGeVector3d::kXAxis(1.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kYAxis(0.0, 1.0, 0.0);
const AcGeVector3d AcGeVector3d::kZAxis(0.0, 0.0, 1.0);

AcGeVector3d::AcGeVector3d(const AcGePlanarEnt& pln, const AcGeVector2d& vec) { set(pln, vec); }

AcGeVector3d operator*(const AcGeMatrix3d& mat, const AcGeVector3d& vec)
{
    const auto& e = mat.entry;
    return AcGeVector3d(e[0][0] * vec.x + e[0][1] * vec.y + e[0][2] * vec.z,
                        e[1][0] * vec.x + e[1][1] * vec.y + e[1][2] * vec.z,
                        e[2][0] * vec.x + e[2][1] * vec.y + e[2][2] * vec.z);
}

AcGeVector3d& AcGeVector3d::setToProduct(const AcGeMatrix3d& mat, const AcGeVector3d& vec)
{
    return *this = mat * vec;
}

AcGeVector3d& AcGeVector3d::setToProduct(const AcGeVector3d& vec, double scl) { return *this = vec * scl; }

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& leftSide) { return setToProduct(leftSide, *this); }

AcGeVector3d& AcGeVector3d::rotateBy(double ang, const AcGeVector3d& axis)
{
    return transformBy(AcGeMatrix3d::rotation(ang, axis));
}

AcGeVector3d& AcGeVector3d::mirror(const AcGeVector3d& normalToPlane)
{
    AcGeVector3d n;
    if (!unitOf(normalToPlane, AcGeContext::gTol, n))
        return *this;
    return *this -= n * (2.0 * dotProduct(n));
}

AcGeVector2d AcGeVector3d::convert2d(const AcGePlanarEnt& pln) const
{
    AcGePoint3d origin = pln.pointOnPlane();
    AcGePoint2d uv = pln.paramOf(origin + *this);
    AcGePoint2d o = pln.paramOf(origin);
    return uv - o;
}

AcGeVector3d AcGeVector3d::operator*(double scl) const { return AcGeVector3d(x * scl, y * scl, z * scl); }
AcGeVector3d operator*(double scl, const AcGeVector3d& vec) { return vec * scl; }
AcGeVector3d& AcGeVector3d::operator*=(double scl) { return set(x * scl, y * scl, z * scl); }
AcGeVector3d AcGeVector3d::operator/(double scl) const { return AcGeVector3d(x / scl, y / scl, z / scl); }
AcGeVector3d& AcGeVector3d::operator/=(double scl) { return set(x / scl, y / scl, z / scl); }

AcGeVector3d AcGeVector3d::operator+(const AcGeVector3d& vec) const
{
    return AcGeVector3d(x + vec.x, y + vec.y, z + vec.z);
}

AcGeVector3d& AcGeVector3d::operator+=(const AcGeVector3d& vec) { return *this = *this + vec; }

AcGeVector3d AcGeVector3d::operator-(const AcGeVector3d& vec) const
{
    return AcGeVector3d(x - vec.x, y - vec.y, z - vec.z);
}

AcGeVector3d& AcGeVector3d::operator-=(const AcGeVector3d& vec) { return *this = *this - vec; }

AcGeVector3d& AcGeVector3d::setToSum(const AcGeVector3d& vec1, const AcGeVector3d& vec2)
{
    return *this = vec1 + vec2;
}

AcGeVector3d AcGeVector3d::operator-() const { return AcGeVector3d(-x, -y, -z); }
AcGeVector3d& AcGeVector3d::negate() { return set(-x, -y, -z); }

AcGeVector3d AcGeVector3d::perpVector() const
{
    if (isZeroLength())
        return AcGeVector3d();
    return kelvora::ocsXAxis(*this);
}

double AcGeVector3d::angleTo(const AcGeVector3d& vec) const
{
    return std::atan2(crossProduct(vec).length(), dotProduct(vec));
}

double AcGeVector3d::angleTo(const AcGeVector3d& vec, const AcGeVector3d& refVec) const
{
    double a = angleTo(vec);
    if (refVec.dotProduct(crossProduct(vec)) >= 0.0)
        return a;
    double r = kelvora::ge::kTwoPi - a;
    return r >= kelvora::ge::kTwoPi ? 0.0 : r;
}

AcGeMatrix3d AcGeVector3d::rotateTo(const AcGeVector3d& vec, const AcGeVector3d& axis) const
{
    AcGeVector3d rotAxis = crossProduct(vec);
    if (rotAxis.isZeroLength()) {
        // Parallel: nothing to do when codirectional; otherwise a half turn about
        // the given axis, or about any perpendicular when none is given.
        if (dotProduct(vec) >= 0.0)
            return AcGeMatrix3d::kIdentity;
        AcGeVector3d about = axis.crossProduct(*this).isZeroLength() ? perpVector() : axis;
        return AcGeMatrix3d::rotation(kelvora::ge::kPi, about);
    }
    return AcGeMatrix3d::rotation(angleTo(vec), rotAxis);
}

AcGeVector3d AcGeVector3d::project(const AcGeVector3d& planeNormal, const AcGeVector3d& projectDirection,
                                   const AcGeTol& tol) const
{
    AcGeError flag;
    return project(planeNormal, projectDirection, tol, flag);
}

AcGeVector3d AcGeVector3d::project(const AcGeVector3d& planeNormal, const AcGeVector3d& projectDirection,
                                   const AcGeTol& tol, AcGeError& flag) const
{
    AcGeVector3d n, d;
    if (!unitOf(planeNormal, tol, n)) {
        flag = AcGe::k0Arg1;
        return *this;
    }
    if (!unitOf(projectDirection, tol, d)) {
        flag = AcGe::k0Arg2;
        return *this;
    }
    double dn = d.dotProduct(n);
    if (std::fabs(dn) <= tol.equalVector()) {
        flag = AcGe::kPerpendicularArg1Arg2;
        return *this;
    }
    flag = AcGe::kOk;
    return *this - d * (dotProduct(n) / dn);
}

AcGeVector3d AcGeVector3d::orthoProject(const AcGeVector3d& planeNormal) const
{
    AcGeError flag;
    return orthoProject(planeNormal, AcGeContext::gTol, flag);
}

AcGeVector3d AcGeVector3d::orthoProject(const AcGeVector3d& planeNormal, const AcGeTol& tol, AcGeError& flag) const
{
    AcGeVector3d n;
    if (!unitOf(planeNormal, tol, n)) {
        flag = AcGe::k0Arg1;
        return *this;
    }
    flag = AcGe::kOk;
    return *this - n * dotProduct(n);
}

AcGeVector3d AcGeVector3d::normal(const AcGeTol& tol) const
{
    AcGeVector3d unit;
    return unitOf(*this, tol, unit) ? unit : *this;
}

AcGeVector3d& AcGeVector3d::normalize(const AcGeTol& tol)
{
    AcGeError flag;
    return normalize(tol, flag);
}

AcGeVector3d& AcGeVector3d::normalize(const AcGeTol& tol, AcGeError& flag)
{
    AcGeVector3d unit;
    if (!unitOf(*this, tol, unit)) {
        flag = AcGe::k0This;
        return *this;
    }
    flag = AcGe::kOk;
    return *this = unit;
}

double AcGeVector3d::length() const { return std::sqrt(lengthSqrd()); }
double AcGeVector3d::lengthSqrd() const { return x * x + y * y + z * z; }

Adesk::Boolean AcGeVector3d::isUnitLength(const AcGeTol& tol) const
{
    return std::fabs(length() - 1.0) <= tol.equalVector();
}

Adesk::Boolean AcGeVector3d::isZeroLength(const AcGeTol& tol) const { return length() <= tol.equalVector(); }

Adesk::Boolean AcGeVector3d::isParallelTo(const AcGeVector3d& vec, const AcGeTol& tol) const
{
    AcGeError flag;
    return isParallelTo(vec, tol, flag);
}

// Directions compare as unit vectors: parallel when they differ, or their
// opposites differ, by at most equalVector (about that angle in radians).
Adesk::Boolean AcGeVector3d::isParallelTo(const AcGeVector3d& vec, const AcGeTol& tol, AcGeError& flag) const
{
    AcGeVector3d a, b;
    if (!unitOf(*this, tol, a)) {
        flag = AcGe::k0This;
        return false;
    }
    if (!unitOf(vec, tol, b)) {
        flag = AcGe::k0Arg1;
        return false;
    }
    flag = AcGe::kOk;
    return (a - b).length() <= tol.equalVector() || (a + b).length() <= tol.equalVector();
}

Adesk::Boolean AcGeVector3d::isCodirectionalTo(const AcGeVector3d& vec, const AcGeTol& tol) const
{
    AcGeError flag;
    return isCodirectionalTo(vec, tol, flag);
}

Adesk::Boolean AcGeVector3d::isCodirectionalTo(const AcGeVector3d& vec, const AcGeTol& tol, AcGeError& flag) const
{
    AcGeVector3d a, b;
    if (!unitOf(*this, tol, a)) {
        flag = AcGe::k0This;
        return false;
    }
    if (!unitOf(vec, tol, b)) {
        flag = AcGe::k0Arg1;
        return false;
    }
    flag = AcGe::kOk;
    return (a - b).length() <= tol.equalVector();
}

Adesk::Boolean AcGeVector3d::isPerpendicularTo(const AcGeVector3d& vec, const AcGeTol& tol) const
{
    AcGeError flag;
    return isPerpendicularTo(vec, tol, flag);
}

Adesk::Boolean AcGeVector3d::isPerpendicularTo(const AcGeVector3d& vec, const AcGeTol& tol, AcGeError& flag) const
{
    AcGeVector3d a, b;
    if (!unitOf(*this, tol, a)) {
        flag = AcGe::k0This;
        return false;
    }
    if (!unitOf(vec, tol, b)) {
        flag = AcGe::k0Arg1;
        return false;
    }
    flag = AcGe::kOk;
    return std::fabs(a.dotProduct(b)) <= tol.equalVector();
}

double AcGeVector3d::dotProduct(const AcGeVector3d& vec) const { return x * vec.x + y * vec.y + z * vec.z; }

AcGeVector3d AcGeVector3d::crossProduct(const AcGeVector3d& vec) const
{
    return AcGeVector3d(y * vec.z - z * vec.y, z * vec.x - x * vec.z, x * vec.y - y * vec.x);
}

bool AcGeVector3d::operator==(const AcGeVector3d& vec) const { return isEqualTo(vec); }
bool AcGeVector3d::operator!=(const AcGeVector3d& vec) const { return !isEqualTo(vec); }

Adesk::Boolean AcGeVector3d::isEqualTo(const AcGeVector3d& vec, const AcGeTol& tol) const
{
    return (*this - vec).length() <= tol.equalVector();
}

double AcGeVector3d::operator[](unsigned int i) const { return i == 0 ? x : (i == 1 ? y : z); }
double& AcGeVector3d::operator[](unsigned int i) { return i == 0 ? x : (i == 1 ? y : z); }

unsigned int AcGeVector3d::largestElement() const
{
    double ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
    if (ax >= ay && ax >= az)
        return 0;
    return ay >= az ? 1 : 2;
}

AcGeVector3d& AcGeVector3d::set(double xx, double yy, double zz)
{
    x = xx;
    y = yy;
    z = zz;
    return *this;
}

AcGeVector3d& AcGeVector3d::set(const AcGePlanarEnt& pln, const AcGeVector2d& vec)
{
    AcGePoint3d origin;
    AcGeVector3d u, v;
    pln.get(origin, u, v);
    return *this = u * vec.x + v * vec.y;
}

AcGeVector3d::operator AcGeMatrix3d() const { return AcGeMatrix3d::translation(*this); }
