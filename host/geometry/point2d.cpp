// AcGePoint2d: arithmetic, transforms and comparison of 2D points.
#include "gepnt2d.h"

#include <cmath>

#include "gemat2d.h"

const AcGePoint2d AcGePoint2d::kOrigin(0.0, 0.0);

AcGePoint2d operator*(const AcGeMatrix2d& mat, const AcGePoint2d& pnt)
{
    const auto& e = mat.entry;
    return AcGePoint2d(e[0][0] * pnt.x + e[0][1] * pnt.y + e[0][2], e[1][0] * pnt.x + e[1][1] * pnt.y + e[1][2]);
}

AcGePoint2d& AcGePoint2d::setToProduct(const AcGeMatrix2d& mat, const AcGePoint2d& pnt) { return *this = mat * pnt; }
AcGePoint2d& AcGePoint2d::transformBy(const AcGeMatrix2d& leftSide) { return *this = leftSide * *this; }

AcGePoint2d& AcGePoint2d::rotateBy(double angle, const AcGePoint2d& wrtPoint)
{
    return transformBy(AcGeMatrix2d::rotation(angle, wrtPoint));
}

AcGePoint2d& AcGePoint2d::mirror(const AcGeLine2d& line) { return transformBy(AcGeMatrix2d::mirroring(line)); }

AcGePoint2d& AcGePoint2d::scaleBy(double scaleFactor, const AcGePoint2d& wrtPoint)
{
    return *this = wrtPoint + (*this - wrtPoint) * scaleFactor;
}

AcGePoint2d AcGePoint2d::operator*(double scl) const { return AcGePoint2d(x * scl, y * scl); }
AcGePoint2d operator*(double scl, const AcGePoint2d& pnt) { return pnt * scl; }
AcGePoint2d& AcGePoint2d::operator*=(double scl) { return set(x * scl, y * scl); }
AcGePoint2d AcGePoint2d::operator/(double scl) const { return AcGePoint2d(x / scl, y / scl); }
AcGePoint2d& AcGePoint2d::operator/=(double scl) { return set(x / scl, y / scl); }
AcGePoint2d AcGePoint2d::operator+(const AcGeVector2d& vec) const { return AcGePoint2d(x + vec.x, y + vec.y); }
AcGePoint2d& AcGePoint2d::operator+=(const AcGeVector2d& vec) { return set(x + vec.x, y + vec.y); }
AcGePoint2d AcGePoint2d::operator-(const AcGeVector2d& vec) const { return AcGePoint2d(x - vec.x, y - vec.y); }
AcGePoint2d& AcGePoint2d::operator-=(const AcGeVector2d& vec) { return set(x - vec.x, y - vec.y); }
AcGePoint2d& AcGePoint2d::setToSum(const AcGePoint2d& pnt, const AcGeVector2d& vec) { return *this = pnt + vec; }
AcGeVector2d AcGePoint2d::operator-(const AcGePoint2d& pnt) const { return AcGeVector2d(x - pnt.x, y - pnt.y); }
AcGeVector2d AcGePoint2d::asVector() const { return AcGeVector2d(x, y); }

double AcGePoint2d::distanceTo(const AcGePoint2d& pnt) const { return std::hypot(x - pnt.x, y - pnt.y); }

bool AcGePoint2d::operator==(const AcGePoint2d& pnt) const { return isEqualTo(pnt); }
bool AcGePoint2d::operator!=(const AcGePoint2d& pnt) const { return !isEqualTo(pnt); }

Adesk::Boolean AcGePoint2d::isEqualTo(const AcGePoint2d& pnt, const AcGeTol& tol) const
{
    return distanceTo(pnt) <= tol.equalPoint();
}

double AcGePoint2d::operator[](unsigned int i) const { return i == 0 ? x : y; }
double& AcGePoint2d::operator[](unsigned int i) { return i == 0 ? x : y; }

AcGePoint2d& AcGePoint2d::set(double xx, double yy)
{
    x = xx;
    y = yy;
    return *this;
}
