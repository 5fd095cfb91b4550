// AcGeScale2d/3d: products, inverses and conversion to and from matrices.
#include "gemat2d.h"
#include "gemat3d.h"
#include "gescl2d.h"
#include "gescl3d.h"

#include <cmath>

namespace {

double invertFactor(double s) { return std::fabs(s) > 0.0 ? 1.0 / s : s; }

}  // namespace

const AcGeScale3d AcGeScale3d::kIdentity(1.0, 1.0, 1.0);
const AcGeScale2d AcGeScale2d::kIdentity(1.0, 1.0);

AcGeScale3d AcGeScale3d::operator*(const AcGeScale3d& s) const { return AcGeScale3d(sx * s.sx, sy * s.sy, sz * s.sz); }
AcGeScale3d& AcGeScale3d::operator*=(const AcGeScale3d& s) { return *this = *this * s; }
AcGeScale3d& AcGeScale3d::preMultBy(const AcGeScale3d& left) { return *this = left * *this; }
AcGeScale3d& AcGeScale3d::postMultBy(const AcGeScale3d& right) { return *this = *this * right; }

AcGeScale3d& AcGeScale3d::setToProduct(const AcGeScale3d& sclVec1, const AcGeScale3d& sclVec2)
{
    return *this = sclVec1 * sclVec2;
}

AcGeScale3d AcGeScale3d::operator*(double s) const { return AcGeScale3d(sx * s, sy * s, sz * s); }
AcGeScale3d& AcGeScale3d::operator*=(double s) { return *this = *this * s; }
AcGeScale3d& AcGeScale3d::setToProduct(const AcGeScale3d& sclVec, double s) { return *this = sclVec * s; }
AcGeScale3d operator*(double s, const AcGeScale3d& scl) { return scl * s; }

AcGeScale3d AcGeScale3d::inverse() const { return AcGeScale3d(invertFactor(sx), invertFactor(sy), invertFactor(sz)); }
AcGeScale3d& AcGeScale3d::invert() { return *this = inverse(); }

Adesk::Boolean AcGeScale3d::isProportional(const AcGeTol& tol) const
{
    return std::fabs(sx - sy) <= tol.equalVector() && std::fabs(sy - sz) <= tol.equalVector();
}

bool AcGeScale3d::operator==(const AcGeScale3d& s) const { return isEqualTo(s); }
bool AcGeScale3d::operator!=(const AcGeScale3d& s) const { return !isEqualTo(s); }

Adesk::Boolean AcGeScale3d::isEqualTo(const AcGeScale3d& s, const AcGeTol& tol) const
{
    return std::fabs(sx - s.sx) <= tol.equalVector() && std::fabs(sy - s.sy) <= tol.equalVector() &&
           std::fabs(sz - s.sz) <= tol.equalVector();
}

double AcGeScale3d::operator[](unsigned int i) const { return i == 0 ? sx : (i == 1 ? sy : sz); }
double& AcGeScale3d::operator[](unsigned int i) { return i == 0 ? sx : (i == 1 ? sy : sz); }

AcGeScale3d& AcGeScale3d::set(double sc0, double sc1, double sc2)
{
    sx = sc0;
    sy = sc1;
    sz = sc2;
    return *this;
}

AcGeScale3d::operator AcGeMatrix3d() const
{
    AcGeMatrix3d m;
    getMatrix(m);
    return m;
}

void AcGeScale3d::getMatrix(AcGeMatrix3d& mat) const
{
    mat.setToIdentity();
    mat.entry[0][0] = sx;
    mat.entry[1][1] = sy;
    mat.entry[2][2] = sz;
}

AcGeScale3d& AcGeScale3d::extractScale(const AcGeMatrix3d& mat)
{
    for (int j = 0; j < 3; ++j)
        (*this)[static_cast<unsigned>(j)] =
            std::sqrt(mat.entry[0][j] * mat.entry[0][j] + mat.entry[1][j] * mat.entry[1][j] +
                      mat.entry[2][j] * mat.entry[2][j]);
    return *this;
}

AcGeScale3d& AcGeScale3d::removeScale(AcGeMatrix3d& mat)
{
    extractScale(mat);
    for (int j = 0; j < 3; ++j) {
        double s = (*this)[static_cast<unsigned>(j)];
        if (!(s > 0.0))
            continue;
        for (int i = 0; i < 3; ++i)
            mat.entry[i][j] /= s;
    }
    return *this;
}

AcGeScale2d AcGeScale2d::operator*(const AcGeScale2d& s) const { return AcGeScale2d(sx * s.sx, sy * s.sy); }
AcGeScale2d& AcGeScale2d::operator*=(const AcGeScale2d& s) { return *this = *this * s; }
AcGeScale2d AcGeScale2d::operator*(double s) const { return AcGeScale2d(sx * s, sy * s); }
AcGeScale2d& AcGeScale2d::operator*=(double s) { return *this = *this * s; }
AcGeScale2d operator*(double s, const AcGeScale2d& scl) { return scl * s; }
AcGeScale2d AcGeScale2d::inverse() const { return AcGeScale2d(invertFactor(sx), invertFactor(sy)); }
AcGeScale2d& AcGeScale2d::invert() { return *this = inverse(); }

Adesk::Boolean AcGeScale2d::isProportional(const AcGeTol& tol) const
{
    return std::fabs(sx - sy) <= tol.equalVector();
}

bool AcGeScale2d::operator==(const AcGeScale2d& s) const { return isEqualTo(s); }
bool AcGeScale2d::operator!=(const AcGeScale2d& s) const { return !isEqualTo(s); }

Adesk::Boolean AcGeScale2d::isEqualTo(const AcGeScale2d& s, const AcGeTol& tol) const
{
    return std::fabs(sx - s.sx) <= tol.equalVector() && std::fabs(sy - s.sy) <= tol.equalVector();
}

double AcGeScale2d::operator[](unsigned int i) const { return i == 0 ? sx : sy; }
double& AcGeScale2d::operator[](unsigned int i) { return i == 0 ? sx : sy; }

AcGeScale2d& AcGeScale2d::set(double sc0, double sc1)
{
    sx = sc0;
    sy = sc1;
    return *this;
}

AcGeScale2d::operator AcGeMatrix2d() const
{
    AcGeMatrix2d m;
    getMatrix(m);
    return m;
}

void AcGeScale2d::getMatrix(AcGeMatrix2d& mat) const
{
    mat.setToIdentity();
    mat.entry[0][0] = sx;
    mat.entry[1][1] = sy;
}

AcGeScale2d& AcGeScale2d::extractScale(const AcGeMatrix2d& mat)
{
    sx = std::hypot(mat.entry[0][0], mat.entry[1][0]);
    sy = std::hypot(mat.entry[0][1], mat.entry[1][1]);
    return *this;
}
