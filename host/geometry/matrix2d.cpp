// AcGeMatrix2d: products, inversion and the standard transforms of the plane.
#include "gemat2d.h"

#include <algorithm>
#include <cmath>

#include "geline2d.h"

namespace {

double det2(double a, double b, double c, double d) { return a * d - b * c; }

}  // namespace

const AcGeMatrix2d AcGeMatrix2d::kIdentity;

AcGeMatrix2d& AcGeMatrix2d::setToIdentity() { return *this = AcGeMatrix2d(); }

AcGeMatrix2d AcGeMatrix2d::operator*(const AcGeMatrix2d& mat) const
{
    AcGeMatrix2d r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double s = 0.0;
            for (int k = 0; k < 3; ++k)
                s += entry[i][k] * mat.entry[k][j];
            r.entry[i][j] = s;
        }
    return r;
}

AcGeMatrix2d& AcGeMatrix2d::operator*=(const AcGeMatrix2d& mat) { return *this = *this * mat; }
AcGeMatrix2d& AcGeMatrix2d::preMultBy(const AcGeMatrix2d& leftSide) { return *this = leftSide * *this; }
AcGeMatrix2d& AcGeMatrix2d::postMultBy(const AcGeMatrix2d& rightSide) { return *this = *this * rightSide; }

AcGeMatrix2d& AcGeMatrix2d::setToProduct(const AcGeMatrix2d& mat1, const AcGeMatrix2d& mat2)
{
    return *this = mat1 * mat2;
}

double AcGeMatrix2d::det() const
{
    const auto& e = entry;
    return e[0][0] * det2(e[1][1], e[1][2], e[2][1], e[2][2]) - e[0][1] * det2(e[1][0], e[1][2], e[2][0], e[2][2]) +
           e[0][2] * det2(e[1][0], e[1][1], e[2][0], e[2][1]);
}

// Singular when the columns are nearly dependent: the determinant against the
// product of the column lengths (scale-free) is within equalVector of zero.
Adesk::Boolean AcGeMatrix2d::isSingular(const AcGeTol& tol) const
{
    double colProduct = 1.0;
    for (int j = 0; j < 3; ++j) {
        double len = std::sqrt(entry[0][j] * entry[0][j] + entry[1][j] * entry[1][j] + entry[2][j] * entry[2][j]);
        if (len <= 0.0)
            return true;
        colProduct *= len;
    }
    return std::fabs(det()) <= tol.equalVector() * colProduct;
}

AcGeMatrix2d AcGeMatrix2d::inverse() const
{
    AcGeMatrix2d r = *this;
    return r.invert();
}

AcGeMatrix2d& AcGeMatrix2d::invert()
{
    if (isSingular())
        return *this;
    const auto& e = entry;
    double d = det();
    AcGeMatrix2d r;
    r.entry[0][0] = det2(e[1][1], e[1][2], e[2][1], e[2][2]) / d;
    r.entry[0][1] = -det2(e[0][1], e[0][2], e[2][1], e[2][2]) / d;
    r.entry[0][2] = det2(e[0][1], e[0][2], e[1][1], e[1][2]) / d;
    r.entry[1][0] = -det2(e[1][0], e[1][2], e[2][0], e[2][2]) / d;
    r.entry[1][1] = det2(e[0][0], e[0][2], e[2][0], e[2][2]) / d;
    r.entry[1][2] = -det2(e[0][0], e[0][2], e[1][0], e[1][2]) / d;
    r.entry[2][0] = det2(e[1][0], e[1][1], e[2][0], e[2][1]) / d;
    r.entry[2][1] = -det2(e[0][0], e[0][1], e[2][0], e[2][1]) / d;
    r.entry[2][2] = det2(e[0][0], e[0][1], e[1][0], e[1][1]) / d;
    return *this = r;
}

AcGeMatrix2d& AcGeMatrix2d::transposeIt()
{
    std::swap(entry[0][1], entry[1][0]);
    std::swap(entry[0][2], entry[2][0]);
    std::swap(entry[1][2], entry[2][1]);
    return *this;
}

AcGeMatrix2d AcGeMatrix2d::transpose() const
{
    AcGeMatrix2d r = *this;
    return r.transposeIt();
}

bool AcGeMatrix2d::operator==(const AcGeMatrix2d& mat) const { return isEqualTo(mat); }
bool AcGeMatrix2d::operator!=(const AcGeMatrix2d& mat) const { return !isEqualTo(mat); }

Adesk::Boolean AcGeMatrix2d::isEqualTo(const AcGeMatrix2d& mat, const AcGeTol& tol) const
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (std::fabs(entry[i][j] - mat.entry[i][j]) > tol.equalVector())
                return false;
    return true;
}

Adesk::Boolean AcGeMatrix2d::isScaledOrtho(const AcGeTol& tol) const
{
    AcGeVector2d c0(entry[0][0], entry[1][0]), c1(entry[0][1], entry[1][1]);
    if (std::fabs(entry[2][0]) > tol.equalVector() || std::fabs(entry[2][1]) > tol.equalVector())
        return false;
    if (c0.isZeroLength(tol) || c1.isZeroLength(tol))
        return false;
    return c0.isPerpendicularTo(c1, tol);
}

Adesk::Boolean AcGeMatrix2d::isUniScaledOrtho(const AcGeTol& tol) const
{
    if (!isScaledOrtho(tol))
        return false;
    double l0 = std::hypot(entry[0][0], entry[1][0]);
    double l1 = std::hypot(entry[0][1], entry[1][1]);
    return std::fabs(l0 - l1) <= tol.equalVector() * std::max(l0, l1);
}

double AcGeMatrix2d::scale() const
{
    return std::max(std::hypot(entry[0][0], entry[1][0]), std::hypot(entry[0][1], entry[1][1]));
}

AcGeMatrix2d& AcGeMatrix2d::setTranslation(const AcGeVector2d& vec)
{
    entry[0][2] = vec.x;
    entry[1][2] = vec.y;
    return *this;
}

AcGeVector2d AcGeMatrix2d::translation() const { return AcGeVector2d(entry[0][2], entry[1][2]); }

AcGeMatrix2d& AcGeMatrix2d::setCoordSystem(const AcGePoint2d& origin, const AcGeVector2d& e0, const AcGeVector2d& e1)
{
    setToIdentity();
    entry[0][0] = e0.x;
    entry[1][0] = e0.y;
    entry[0][1] = e1.x;
    entry[1][1] = e1.y;
    entry[0][2] = origin.x;
    entry[1][2] = origin.y;
    return *this;
}

void AcGeMatrix2d::getCoordSystem(AcGePoint2d& origin, AcGeVector2d& e0, AcGeVector2d& e1) const
{
    e0.set(entry[0][0], entry[1][0]);
    e1.set(entry[0][1], entry[1][1]);
    origin.set(entry[0][2], entry[1][2]);
}

AcGeMatrix2d& AcGeMatrix2d::setToTranslation(const AcGeVector2d& vec)
{
    setToIdentity();
    return setTranslation(vec);
}

AcGeMatrix2d& AcGeMatrix2d::setToRotation(double angle, const AcGePoint2d& center)
{
    double c = std::cos(angle), s = std::sin(angle);
    setToIdentity();
    entry[0][0] = c;
    entry[0][1] = -s;
    entry[1][0] = s;
    entry[1][1] = c;
    // Keep the centre fixed: t = c - R c.
    entry[0][2] = center.x - (c * center.x - s * center.y);
    entry[1][2] = center.y - (s * center.x + c * center.y);
    return *this;
}

AcGeMatrix2d& AcGeMatrix2d::setToScaling(double scaleAll, const AcGePoint2d& center)
{
    setToIdentity();
    entry[0][0] = entry[1][1] = scaleAll;
    entry[0][2] = center.x * (1.0 - scaleAll);
    entry[1][2] = center.y * (1.0 - scaleAll);
    return *this;
}

AcGeMatrix2d& AcGeMatrix2d::setToMirroring(const AcGePoint2d& pnt)
{
    setToIdentity();
    entry[0][0] = entry[1][1] = -1.0;
    entry[0][2] = 2.0 * pnt.x;
    entry[1][2] = 2.0 * pnt.y;
    return *this;
}

AcGeMatrix2d& AcGeMatrix2d::setToMirroring(const AcGeLine2d& line)
{
    AcGeVector2d d = line.direction();
    AcGePoint2d p = line.pointOnLine();
    setToIdentity();
    if (d.isZeroLength())
        return *this;
    // x' = 2 (p + d d.(x - p)) - x
    entry[0][0] = 2.0 * d.x * d.x - 1.0;
    entry[0][1] = 2.0 * d.x * d.y;
    entry[1][0] = 2.0 * d.x * d.y;
    entry[1][1] = 2.0 * d.y * d.y - 1.0;
    entry[0][2] = 2.0 * p.x - (entry[0][0] + 1.0) * p.x - entry[0][1] * p.y;
    entry[1][2] = 2.0 * p.y - entry[1][0] * p.x - (entry[1][1] + 1.0) * p.y;
    return *this;
}

AcGeMatrix2d& AcGeMatrix2d::setToAlignCoordSys(const AcGePoint2d& fromOrigin, const AcGeVector2d& fromE0,
                                               const AcGeVector2d& fromE1, const AcGePoint2d& toOrigin,
                                               const AcGeVector2d& toE0, const AcGeVector2d& toE1)
{
    AcGeMatrix2d from, to;
    from.setCoordSystem(fromOrigin, fromE0, fromE1);
    to.setCoordSystem(toOrigin, toE0, toE1);
    return *this = to * from.inverse();
}

AcGeMatrix2d AcGeMatrix2d::translation(const AcGeVector2d& vec) { return AcGeMatrix2d().setToTranslation(vec); }

AcGeMatrix2d AcGeMatrix2d::rotation(double angle, const AcGePoint2d& center)
{
    return AcGeMatrix2d().setToRotation(angle, center);
}

AcGeMatrix2d AcGeMatrix2d::scaling(double scaleAll, const AcGePoint2d& center)
{
    return AcGeMatrix2d().setToScaling(scaleAll, center);
}

AcGeMatrix2d AcGeMatrix2d::mirroring(const AcGePoint2d& pnt) { return AcGeMatrix2d().setToMirroring(pnt); }
AcGeMatrix2d AcGeMatrix2d::mirroring(const AcGeLine2d& line) { return AcGeMatrix2d().setToMirroring(line); }

AcGeMatrix2d AcGeMatrix2d::alignCoordSys(const AcGePoint2d& fromOrigin, const AcGeVector2d& fromE0,
                                         const AcGeVector2d& fromE1, const AcGePoint2d& toOrigin,
                                         const AcGeVector2d& toE0, const AcGeVector2d& toE1)
{
    return AcGeMatrix2d().setToAlignCoordSys(fromOrigin, fromE0, fromE1, toOrigin, toE0, toE1);
}

double AcGeMatrix2d::operator()(unsigned int row, unsigned int col) const { return entry[row][col]; }
double& AcGeMatrix2d::operator()(unsigned int row, unsigned int col) { return entry[row][col]; }
