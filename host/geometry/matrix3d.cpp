// AcGeMatrix3d: products, inversion and the standard transforms of space.
#include "gemat3d.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "geline3d.h"
#include "geplane.h"
#include "kelvora/float_compare.h"
#include "kelvora/ocs.h"

namespace {

using kelvora::exactlyEqual;

bool isAffine(const AcGeMatrix3d& m)
{
    return exactlyEqual(m.entry[3][0], 0.0) && exactlyEqual(m.entry[3][1], 0.0) && exactlyEqual(m.entry[3][2], 0.0) &&
           exactlyEqual(m.entry[3][3], 1.0);
}

double det3(const AcGeMatrix3d& m)
{
    const auto& e = m.entry;
    return e[0][0] * (e[1][1] * e[2][2] - e[1][2] * e[2][1]) - e[0][1] * (e[1][0] * e[2][2] - e[1][2] * e[2][0]) +
           e[0][2] * (e[1][0] * e[2][1] - e[1][1] * e[2][0]);
}

double columnLength(const AcGeMatrix3d& m, int j)
{
    return std::sqrt(m.entry[0][j] * m.entry[0][j] + m.entry[1][j] * m.entry[1][j] + m.entry[2][j] * m.entry[2][j]);
}

// An affine matrix is singular when its 3x3 columns are nearly dependent: the
// determinant against the product of the column lengths (scale-free) is within
// relTol of zero. Translations play no part.
bool affineSingular(const AcGeMatrix3d& m, double relTol)
{
    double colProduct = columnLength(m, 0) * columnLength(m, 1) * columnLength(m, 2);
    if (colProduct <= 0.0)
        return true;
    return std::fabs(det3(m)) <= relTol * colProduct;
}

bool invertAffine(const AcGeMatrix3d& m, double relTol, AcGeMatrix3d& inv)
{
    if (affineSingular(m, relTol))
        return false;
    const auto& e = m.entry;
    double d = det3(m);
    AcGeMatrix3d r;
    r.entry[0][0] = (e[1][1] * e[2][2] - e[1][2] * e[2][1]) / d;
    r.entry[0][1] = (e[0][2] * e[2][1] - e[0][1] * e[2][2]) / d;
    r.entry[0][2] = (e[0][1] * e[1][2] - e[0][2] * e[1][1]) / d;
    r.entry[1][0] = (e[1][2] * e[2][0] - e[1][0] * e[2][2]) / d;
    r.entry[1][1] = (e[0][0] * e[2][2] - e[0][2] * e[2][0]) / d;
    r.entry[1][2] = (e[0][2] * e[1][0] - e[0][0] * e[1][2]) / d;
    r.entry[2][0] = (e[1][0] * e[2][1] - e[1][1] * e[2][0]) / d;
    r.entry[2][1] = (e[0][1] * e[2][0] - e[0][0] * e[2][1]) / d;
    r.entry[2][2] = (e[0][0] * e[1][1] - e[0][1] * e[1][0]) / d;
    for (int i = 0; i < 3; ++i)
        r.entry[i][3] = -(r.entry[i][0] * e[0][3] + r.entry[i][1] * e[1][3] + r.entry[i][2] * e[2][3]);
    inv = r;
    return true;
}

// Gauss-Jordan with scaled partial pivoting, for perspective matrices.
bool invertGeneral(const AcGeMatrix3d& m, double relTol, AcGeMatrix3d& inv)
{
    double a[4][8];
    double rowScale[4];
    for (int i = 0; i < 4; ++i) {
        rowScale[i] = 0.0;
        for (int j = 0; j < 4; ++j) {
            a[i][j] = m.entry[i][j];
            a[i][j + 4] = i == j ? 1.0 : 0.0;
            rowScale[i] = std::max(rowScale[i], std::fabs(a[i][j]));
        }
        if (rowScale[i] <= 0.0)
            return false;
    }
    for (int k = 0; k < 4; ++k) {
        int pivot = k;
        double best = 0.0;
        for (int i = k; i < 4; ++i) {
            double ratio = std::fabs(a[i][k]) / rowScale[i];
            if (ratio > best) {
                best = ratio;
                pivot = i;
            }
        }
        if (best <= relTol)
            return false;
        std::swap(a[k], a[pivot]);
        std::swap(rowScale[k], rowScale[pivot]);
        double p = a[k][k];
        for (int j = 0; j < 8; ++j)
            a[k][j] /= p;
        for (int i = 0; i < 4; ++i) {
            if (i == k)
                continue;
            double f = a[i][k];
            for (int j = 0; j < 8; ++j)
                a[i][j] -= f * a[k][j];
        }
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            inv.entry[i][j] = a[i][j + 4];
    return true;
}

bool invertMatrix(const AcGeMatrix3d& m, double relTol, AcGeMatrix3d& inv)
{
    return isAffine(m) ? invertAffine(m, relTol, inv) : invertGeneral(m, relTol, inv);
}

}  // namespace

const AcGeMatrix3d AcGeMatrix3d::kIdentity;

AcGeMatrix3d& AcGeMatrix3d::setToIdentity() { return *this = AcGeMatrix3d(); }

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& mat) const
{
    AcGeMatrix3d r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double s = 0.0;
            for (int k = 0; k < 4; ++k)
                s += entry[i][k] * mat.entry[k][j];
            r.entry[i][j] = s;
        }
    return r;
}

AcGeMatrix3d& AcGeMatrix3d::operator*=(const AcGeMatrix3d& mat) { return *this = *this * mat; }
AcGeMatrix3d& AcGeMatrix3d::preMultBy(const AcGeMatrix3d& leftSide) { return *this = leftSide * *this; }
AcGeMatrix3d& AcGeMatrix3d::postMultBy(const AcGeMatrix3d& rightSide) { return *this = *this * rightSide; }

AcGeMatrix3d& AcGeMatrix3d::setToProduct(const AcGeMatrix3d& mat1, const AcGeMatrix3d& mat2)
{
    return *this = mat1 * mat2;
}

AcGeMatrix3d& AcGeMatrix3d::invert()
{
    AcGeMatrix3d inv;
    if (invertMatrix(*this, AcGeContext::gTol.equalVector(), inv))
        *this = inv;
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::inverse() const
{
    AcGeMatrix3d r = *this;
    return r.invert();
}

bool AcGeMatrix3d::inverse(AcGeMatrix3d& inv, double tol) const { return invertMatrix(*this, tol, inv); }

Adesk::Boolean AcGeMatrix3d::isSingular(const AcGeTol& tol) const
{
    AcGeMatrix3d inv;
    return !invertMatrix(*this, tol.equalVector(), inv);
}

AcGeMatrix3d& AcGeMatrix3d::transposeIt()
{
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            std::swap(entry[i][j], entry[j][i]);
    return *this;
}

AcGeMatrix3d AcGeMatrix3d::transpose() const
{
    AcGeMatrix3d r = *this;
    return r.transposeIt();
}

bool AcGeMatrix3d::operator==(const AcGeMatrix3d& mat) const { return isEqualTo(mat); }
bool AcGeMatrix3d::operator!=(const AcGeMatrix3d& mat) const { return !isEqualTo(mat); }

Adesk::Boolean AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& mat, const AcGeTol& tol) const
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (std::fabs(entry[i][j] - mat.entry[i][j]) > tol.equalVector())
                return false;
    return true;
}

Adesk::Boolean AcGeMatrix3d::isPerspective(const AcGeTol& tol) const
{
    return std::fabs(entry[3][0]) > tol.equalVector() || std::fabs(entry[3][1]) > tol.equalVector() ||
           std::fabs(entry[3][2]) > tol.equalVector() || std::fabs(entry[3][3] - 1.0) > tol.equalVector();
}

Adesk::Boolean AcGeMatrix3d::isScaledOrtho(const AcGeTol& tol) const
{
    if (isPerspective(tol))
        return false;
    AcGeVector3d c[3];
    for (int j = 0; j < 3; ++j) {
        c[j].set(entry[0][j], entry[1][j], entry[2][j]);
        if (c[j].isZeroLength(tol))
            return false;
    }
    return c[0].isPerpendicularTo(c[1], tol) && c[1].isPerpendicularTo(c[2], tol) &&
           c[0].isPerpendicularTo(c[2], tol);
}

Adesk::Boolean AcGeMatrix3d::isUniScaledOrtho(const AcGeTol& tol) const
{
    if (!isScaledOrtho(tol))
        return false;
    double l0 = columnLength(*this, 0), l1 = columnLength(*this, 1), l2 = columnLength(*this, 2);
    double lmax = std::max({l0, l1, l2});
    double lmin = std::min({l0, l1, l2});
    return lmax - lmin <= tol.equalVector() * lmax;
}

double AcGeMatrix3d::det() const
{
    if (isAffine(*this))
        return det3(*this);
    // Laplace expansion along the bottom row.
    double total = 0.0;
    for (int col = 0; col < 4; ++col) {
        double minor[3][3];
        for (int i = 0; i < 3; ++i) {
            int k = 0;
            for (int j = 0; j < 4; ++j)
                if (j != col)
                    minor[i][k++] = entry[i][j];
        }
        double m = minor[0][0] * (minor[1][1] * minor[2][2] - minor[1][2] * minor[2][1]) -
                   minor[0][1] * (minor[1][0] * minor[2][2] - minor[1][2] * minor[2][0]) +
                   minor[0][2] * (minor[1][0] * minor[2][1] - minor[1][1] * minor[2][0]);
        double sign = ((3 + col) % 2 == 0) ? 1.0 : -1.0;
        total += sign * entry[3][col] * m;
    }
    return total;
}

AcGeMatrix3d& AcGeMatrix3d::setTranslation(const AcGeVector3d& vec)
{
    entry[0][3] = vec.x;
    entry[1][3] = vec.y;
    entry[2][3] = vec.z;
    return *this;
}

AcGeVector3d AcGeMatrix3d::translation() const { return AcGeVector3d(entry[0][3], entry[1][3], entry[2][3]); }

AcGeMatrix3d& AcGeMatrix3d::setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                           const AcGeVector3d& yAxis, const AcGeVector3d& zAxis)
{
    setToIdentity();
    const AcGeVector3d* axes[3] = {&xAxis, &yAxis, &zAxis};
    for (int j = 0; j < 3; ++j)
        for (unsigned int i = 0; i < 3; ++i)
            entry[i][j] = (*axes[j])[i];
    for (unsigned int i = 0; i < 3; ++i)
        entry[i][3] = origin[i];
    return *this;
}

void AcGeMatrix3d::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis,
                                  AcGeVector3d& zAxis) const
{
    xAxis.set(entry[0][0], entry[1][0], entry[2][0]);
    yAxis.set(entry[0][1], entry[1][1], entry[2][1]);
    zAxis.set(entry[0][2], entry[1][2], entry[2][2]);
    origin.set(entry[0][3], entry[1][3], entry[2][3]);
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& vec)
{
    setToIdentity();
    return setTranslation(vec);
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center)
{
    setToIdentity();
    if (axis.isZeroLength())
        return *this;
    AcGeVector3d u = axis.normal();
    double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    // Rodrigues: R = c I + s [u]x + t u u^T.
    entry[0][0] = c + t * u.x * u.x;
    entry[0][1] = t * u.x * u.y - s * u.z;
    entry[0][2] = t * u.x * u.z + s * u.y;
    entry[1][0] = t * u.x * u.y + s * u.z;
    entry[1][1] = c + t * u.y * u.y;
    entry[1][2] = t * u.y * u.z - s * u.x;
    entry[2][0] = t * u.x * u.z - s * u.y;
    entry[2][1] = t * u.y * u.z + s * u.x;
    entry[2][2] = c + t * u.z * u.z;
    // Keep the centre fixed: t = c - R c.
    AcGeVector3d rc = *this * center.asVector();
    return setTranslation(center.asVector() - rc);
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double scaleAll, const AcGePoint3d& center)
{
    setToIdentity();
    entry[0][0] = entry[1][1] = entry[2][2] = scaleAll;
    return setTranslation(center.asVector() * (1.0 - scaleAll));
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePlane& pln)
{
    setToIdentity();
    AcGeVector3d n = pln.normal();
    // x' = x - 2 ((x - o).n) n
    for (unsigned int i = 0; i < 3; ++i)
        for (unsigned int j = 0; j < 3; ++j)
            entry[i][j] -= 2.0 * n[i] * n[j];
    double on = pln.pointOnPlane().asVector().dotProduct(n);
    return setTranslation(n * (2.0 * on));
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGePoint3d& pnt)
{
    setToIdentity();
    entry[0][0] = entry[1][1] = entry[2][2] = -1.0;
    return setTranslation(pnt.asVector() * 2.0);
}

AcGeMatrix3d& AcGeMatrix3d::setToMirroring(const AcGeLine3d& line)
{
    setToIdentity();
    AcGeVector3d d = line.direction();
    if (d.isZeroLength())
        return *this;
    // x' = 2 (p + d d.(x - p)) - x = (2 d d^T - I) x + 2 p - 2 d d^T p
    for (unsigned int i = 0; i < 3; ++i)
        for (unsigned int j = 0; j < 3; ++j)
            entry[i][j] = 2.0 * d[i] * d[j] - (i == j ? 1.0 : 0.0);
    AcGeVector3d p = line.pointOnLine().asVector();
    return setTranslation(p * 2.0 - d * (2.0 * d.dotProduct(p)));
}

AcGeMatrix3d& AcGeMatrix3d::setToProjection(const AcGePlane& projectionPlane, const AcGeVector3d& projectDir)
{
    setToIdentity();
    AcGeVector3d n = projectionPlane.normal();
    double dn = projectDir.dotProduct(n);
    if (std::fabs(dn) <= AcGeContext::gTol.equalVector() * projectDir.length())
        return *this;
    // x' = x - ((x - o).n / d.n) d
    AcGeVector3d d = projectDir / dn;
    for (unsigned int i = 0; i < 3; ++i)
        for (unsigned int j = 0; j < 3; ++j)
            entry[i][j] -= d[i] * n[j];
    double on = projectionPlane.pointOnPlane().asVector().dotProduct(n);
    return setTranslation(d * on);
}

AcGeMatrix3d& AcGeMatrix3d::setToAlignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                               const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                               const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                               const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis)
{
    AcGeMatrix3d from, to;
    from.setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis);
    to.setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
    return *this = to * from.inverse();
}

AcGeMatrix3d& AcGeMatrix3d::setToWorldToPlane(const AcGeVector3d& normal)
{
    return *this = kelvora::wcsToOcsMatrix(normal);
}

AcGeMatrix3d& AcGeMatrix3d::setToWorldToPlane(const AcGePlane& plane)
{
    setToPlaneToWorld(plane);
    return invert();
}

AcGeMatrix3d& AcGeMatrix3d::setToPlaneToWorld(const AcGeVector3d& normal)
{
    return *this = kelvora::ocsToWcsMatrix(normal);
}

AcGeMatrix3d& AcGeMatrix3d::setToPlaneToWorld(const AcGePlane& plane)
{
    AcGePoint3d origin;
    AcGeVector3d u, v;
    plane.getCoordSystem(origin, u, v);
    return setCoordSystem(origin, u, v, plane.normal());
}

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& vec) { return AcGeMatrix3d().setToTranslation(vec); }

AcGeMatrix3d AcGeMatrix3d::rotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center)
{
    return AcGeMatrix3d().setToRotation(angle, axis, center);
}

AcGeMatrix3d AcGeMatrix3d::scaling(double scaleAll, const AcGePoint3d& center)
{
    return AcGeMatrix3d().setToScaling(scaleAll, center);
}

AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePlane& pln) { return AcGeMatrix3d().setToMirroring(pln); }
AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGePoint3d& pnt) { return AcGeMatrix3d().setToMirroring(pnt); }
AcGeMatrix3d AcGeMatrix3d::mirroring(const AcGeLine3d& line) { return AcGeMatrix3d().setToMirroring(line); }

AcGeMatrix3d AcGeMatrix3d::projection(const AcGePlane& projectionPlane, const AcGeVector3d& projectDir)
{
    return AcGeMatrix3d().setToProjection(projectionPlane, projectDir);
}

AcGeMatrix3d AcGeMatrix3d::alignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                         const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                         const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                         const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis)
{
    return AcGeMatrix3d().setToAlignCoordSys(fromOrigin, fromXAxis, fromYAxis, fromZAxis, toOrigin, toXAxis,
                                             toYAxis, toZAxis);
}

AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal) { return AcGeMatrix3d().setToWorldToPlane(normal); }
AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGePlane& plane) { return AcGeMatrix3d().setToWorldToPlane(plane); }
AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal) { return AcGeMatrix3d().setToPlaneToWorld(normal); }
AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGePlane& plane) { return AcGeMatrix3d().setToPlaneToWorld(plane); }

double AcGeMatrix3d::scale() const
{
    return std::max({columnLength(*this, 0), columnLength(*this, 1), columnLength(*this, 2)});
}

double AcGeMatrix3d::norm() const
{
    double best = 0.0;
    for (int i = 0; i < 3; ++i)
        best = std::max(best, std::fabs(entry[i][0]) + std::fabs(entry[i][1]) + std::fabs(entry[i][2]));
    return best;
}

AcGeMatrix2d AcGeMatrix3d::convertToLocal(AcGeVector3d& normal, double& elev) const
{
    AcGeVector3d oldNormal = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
    AcGeVector3d newNormal = (*this * oldNormal);
    if (newNormal.isZeroLength())
        newNormal = oldNormal;
    newNormal.normalize();
    // In OCS terms: from the old plane's coordinates to the new plane's.
    AcGeMatrix3d local = worldToPlane(newNormal) * *this * planeToWorld(oldNormal);
    AcGeMatrix2d m;
    m.entry[0][0] = local.entry[0][0];
    m.entry[0][1] = local.entry[0][1];
    m.entry[1][0] = local.entry[1][0];
    m.entry[1][1] = local.entry[1][1];
    m.entry[0][2] = local.entry[0][3] + local.entry[0][2] * elev;
    m.entry[1][2] = local.entry[1][3] + local.entry[1][2] * elev;
    elev = local.entry[2][2] * elev + local.entry[2][3];
    normal = newNormal;
    return m;
}

double AcGeMatrix3d::operator()(unsigned int row, unsigned int col) const { return entry[row][col]; }
double& AcGeMatrix3d::operator()(unsigned int row, unsigned int col) { return entry[row][col]; }
