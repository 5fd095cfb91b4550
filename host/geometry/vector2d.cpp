// AcGeVector2d: arithmetic, angles, normalisation and direction tests of 2D vectors.
#include "gevec2d.h"

#include <cmath>

#include "ge_math.h"
#include "gemat2d.h"

namespace {

// The unit vector of v, or false when v is not longer than the tolerance.
bool unitOf(const AcGeVector2d& v, const AcGeTol& tol, AcGeVector2d& unit)
{
    double len = v.length();
    if (len <= tol.equalVector())
        return false;
    unit = v / len;
    return true;
}

}  // namespace

const AcGeVector2d AcGeVector2d::kIdentity(1.0, 1.0);
const AcGeVector2d AcGeVector2d::kXAxis(1.0, 0.0);
const AcGeVector2d AcGeVector2d::kYAxis(0.0, 1.0);

AcGeVector2d operator*(const AcGeMatrix2d& mat, const AcGeVector2d& vec)
{
    return AcGeVector2d(mat.entry[0][0] * vec.x + mat.entry[0][1] * vec.y,
                        mat.entry[1][0] * vec.x + mat.entry[1][1] * vec.y);
}

AcGeVector2d& AcGeVector2d::setToProduct(const AcGeMatrix2d& mat, const AcGeVector2d& vec)
{
    *this = mat * vec;
    return *this;
}

AcGeVector2d& AcGeVector2d::transformBy(const AcGeMatrix2d& leftSide) { return setToProduct(leftSide, *this); }

AcGeVector2d& AcGeVector2d::rotateBy(double angle)
{
    double c = std::cos(angle), s = std::sin(angle);
    return set(c * x - s * y, s * x + c * y);
}

AcGeVector2d& AcGeVector2d::mirror(const AcGeVector2d& line)
{
    AcGeVector2d d;
    if (!unitOf(line, AcGeContext::gTol, d))
        return *this;
    AcGeVector2d along = d * dotProduct(d);
    *this = along * 2.0 - *this;
    return *this;
}

AcGeVector2d AcGeVector2d::operator*(double scl) const { return AcGeVector2d(x * scl, y * scl); }
AcGeVector2d operator*(double scl, const AcGeVector2d& vec) { return vec * scl; }
AcGeVector2d& AcGeVector2d::operator*=(double scl) { return set(x * scl, y * scl); }
AcGeVector2d& AcGeVector2d::setToProduct(const AcGeVector2d& vec, double scl) { return *this = vec * scl; }
AcGeVector2d AcGeVector2d::operator/(double scl) const { return AcGeVector2d(x / scl, y / scl); }
AcGeVector2d& AcGeVector2d::operator/=(double scl) { return set(x / scl, y / scl); }
AcGeVector2d AcGeVector2d::operator+(const AcGeVector2d& vec) const { return AcGeVector2d(x + vec.x, y + vec.y); }
AcGeVector2d& AcGeVector2d::operator+=(const AcGeVector2d& vec) { return set(x + vec.x, y + vec.y); }
AcGeVector2d AcGeVector2d::operator-(const AcGeVector2d& vec) const { return AcGeVector2d(x - vec.x, y - vec.y); }
AcGeVector2d& AcGeVector2d::operator-=(const AcGeVector2d& vec) { return set(x - vec.x, y - vec.y); }

AcGeVector2d& AcGeVector2d::setToSum(const AcGeVector2d& vec1, const AcGeVector2d& vec2)
{
    return *this = vec1 + vec2;
}

AcGeVector2d AcGeVector2d::operator-() const { return AcGeVector2d(-x, -y); }
AcGeVector2d& AcGeVector2d::negate() { return set(-x, -y); }

AcGeVector2d AcGeVector2d::perpVector() const { return AcGeVector2d(-y, x); }

double AcGeVector2d::angle() const { return kelvora::ge::normalizeAngle(std::atan2(y, x)); }

double AcGeVector2d::angleTo(const AcGeVector2d& vec) const
{
    double cross = x * vec.y - y * vec.x;
    return std::atan2(std::fabs(cross), dotProduct(vec));
}

AcGeVector2d AcGeVector2d::normal(const AcGeTol& tol) const
{
    AcGeVector2d unit;
    return unitOf(*this, tol, unit) ? unit : *this;
}

AcGeVector2d& AcGeVector2d::normalize(const AcGeTol& tol)
{
    AcGeError flag;
    return normalize(tol, flag);
}

AcGeVector2d& AcGeVector2d::normalize(const AcGeTol& tol, AcGeError& flag)
{
    AcGeVector2d unit;
    if (!unitOf(*this, tol, unit)) {
        flag = AcGe::k0This;
        return *this;
    }
    flag = AcGe::kOk;
    return *this = unit;
}

double AcGeVector2d::length() const { return std::hypot(x, y); }
double AcGeVector2d::lengthSqrd() const { return x * x + y * y; }

Adesk::Boolean AcGeVector2d::isUnitLength(const AcGeTol& tol) const
{
    return std::fabs(length() - 1.0) <= tol.equalVector();
}

Adesk::Boolean AcGeVector2d::isZeroLength(const AcGeTol& tol) const { return length() <= tol.equalVector(); }

Adesk::Boolean AcGeVector2d::isParallelTo(const AcGeVector2d& vec, const AcGeTol& tol) const
{
    AcGeError flag;
    return isParallelTo(vec, tol, flag);
}

// Directions compare as unit vectors: parallel when they differ, or their
// opposites differ, by at most equalVector (about that angle in radians).
Adesk::Boolean AcGeVector2d::isParallelTo(const AcGeVector2d& vec, const AcGeTol& tol, AcGeError& flag) const
{
    AcGeVector2d a, b;
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

Adesk::Boolean AcGeVector2d::isCodirectionalTo(const AcGeVector2d& vec, const AcGeTol& tol) const
{
    AcGeError flag;
    return isCodirectionalTo(vec, tol, flag);
}

Adesk::Boolean AcGeVector2d::isCodirectionalTo(const AcGeVector2d& vec, const AcGeTol& tol, AcGeError& flag) const
{
    AcGeVector2d a, b;
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

Adesk::Boolean AcGeVector2d::isPerpendicularTo(const AcGeVector2d& vec, const AcGeTol& tol) const
{
    AcGeError flag;
    return isPerpendicularTo(vec, tol, flag);
}

Adesk::Boolean AcGeVector2d::isPerpendicularTo(const AcGeVector2d& vec, const AcGeTol& tol, AcGeError& flag) const
{
    AcGeVector2d a, b;
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

double AcGeVector2d::dotProduct(const AcGeVector2d& vec) const { return x * vec.x + y * vec.y; }

bool AcGeVector2d::operator==(const AcGeVector2d& vec) const { return isEqualTo(vec); }
bool AcGeVector2d::operator!=(const AcGeVector2d& vec) const { return !isEqualTo(vec); }

Adesk::Boolean AcGeVector2d::isEqualTo(const AcGeVector2d& vec, const AcGeTol& tol) const
{
    return (*this - vec).length() <= tol.equalVector();
}

double AcGeVector2d::operator[](unsigned int i) const { return i == 0 ? x : y; }
double& AcGeVector2d::operator[](unsigned int i) { return i == 0 ? x : y; }

AcGeVector2d& AcGeVector2d::set(double xx, double yy)
{
    x = xx;
    y = yy;
    return *this;
}

AcGeVector2d::operator AcGeMatrix2d() const { return AcGeMatrix2d::translation(*this); }
