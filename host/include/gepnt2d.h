// AcGePoint2d: a 2D position.
#pragma once

#include "gegbl.h"
#include "gevec2d.h"

class AcGeMatrix2d;
class AcGeLine2d;
class AcGeLinearEnt2d;

class AcGePoint2d {
public:
    AcGePoint2d() = default;
    constexpr AcGePoint2d(double xx, double yy) : x(xx), y(yy) {}

    static const AcGePoint2d kOrigin;

    friend AcGePoint2d operator*(const AcGeMatrix2d& mat, const AcGePoint2d& pnt);
    AcGePoint2d& setToProduct(const AcGeMatrix2d& mat, const AcGePoint2d& pnt);
    AcGePoint2d& transformBy(const AcGeMatrix2d& leftSide);
    // Counter-clockwise by angle radians about wrtPoint.
    AcGePoint2d& rotateBy(double angle, const AcGePoint2d& wrtPoint = AcGePoint2d::kOrigin);
    AcGePoint2d& mirror(const AcGeLine2d& line);
    AcGePoint2d& scaleBy(double scaleFactor, const AcGePoint2d& wrtPoint = AcGePoint2d::kOrigin);

    AcGePoint2d operator*(double scl) const;
    friend AcGePoint2d operator*(double scl, const AcGePoint2d& pnt);
    AcGePoint2d& operator*=(double scl);
    AcGePoint2d operator/(double scl) const;
    AcGePoint2d& operator/=(double scl);
    AcGePoint2d operator+(const AcGeVector2d& vec) const;
    AcGePoint2d& operator+=(const AcGeVector2d& vec);
    AcGePoint2d operator-(const AcGeVector2d& vec) const;
    AcGePoint2d& operator-=(const AcGeVector2d& vec);
    AcGePoint2d& setToSum(const AcGePoint2d& pnt, const AcGeVector2d& vec);
    AcGeVector2d operator-(const AcGePoint2d& pnt) const;
    AcGeVector2d asVector() const;

    double distanceTo(const AcGePoint2d& pnt) const;

    // Equality within the global tolerance, as the commercial host compares.
    bool operator==(const AcGePoint2d& pnt) const;
    bool operator!=(const AcGePoint2d& pnt) const;
    Adesk::Boolean isEqualTo(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);
    AcGePoint2d& set(double x, double y);

    double x = 0.0;
    double y = 0.0;
};
