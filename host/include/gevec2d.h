// AcGeVector2d: a 2D direction and length.
#pragma once

#include "gegbl.h"

class AcGeMatrix2d;

class AcGeVector2d {
public:
    AcGeVector2d() = default;
    constexpr AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}

    static const AcGeVector2d kIdentity;
    static const AcGeVector2d kXAxis;
    static const AcGeVector2d kYAxis;

    friend AcGeVector2d operator*(const AcGeMatrix2d& mat, const AcGeVector2d& vec);
    AcGeVector2d& setToProduct(const AcGeMatrix2d& mat, const AcGeVector2d& vec);
    // A vector ignores the translation part of the matrix.
    AcGeVector2d& transformBy(const AcGeMatrix2d& leftSide);
    // Counter-clockwise by angle radians.
    AcGeVector2d& rotateBy(double angle);
    // Mirrors about the line through the origin along line.
    AcGeVector2d& mirror(const AcGeVector2d& line);

    AcGeVector2d operator*(double scl) const;
    friend AcGeVector2d operator*(double scl, const AcGeVector2d& vec);
    AcGeVector2d& operator*=(double scl);
    AcGeVector2d& setToProduct(const AcGeVector2d& vec, double scl);
    AcGeVector2d operator/(double scl) const;
    AcGeVector2d& operator/=(double scl);
    AcGeVector2d operator+(const AcGeVector2d& vec) const;
    AcGeVector2d& operator+=(const AcGeVector2d& vec);
    AcGeVector2d operator-(const AcGeVector2d& vec) const;
    AcGeVector2d& operator-=(const AcGeVector2d& vec);
    AcGeVector2d& setToSum(const AcGeVector2d& vec1, const AcGeVector2d& vec2);
    AcGeVector2d operator-() const;
    AcGeVector2d& negate();

    // This vector turned +90 degrees: (-y, x).
    AcGeVector2d perpVector() const;
    // Angle from the X axis, counter-clockwise, in [0, 2pi).
    double angle() const;
    // Unsigned angle between the two vectors, in [0, pi].
    double angleTo(const AcGeVector2d& vec) const;

    // A vector not longer than tol.equalVector() is left as it is (the zero
    // vector stays zero); normalize() then sets flag k0This.
    AcGeVector2d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector2d& normalize(const AcGeTol& tol = AcGeContext::gTol);
    AcGeVector2d& normalize(const AcGeTol& tol, AcGeError& flag);
    double length() const;
    double lengthSqrd() const;
    Adesk::Boolean isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const;

    Adesk::Boolean isParallelTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isParallelTo(const AcGeVector2d& vec, const AcGeTol& tol, AcGeError& flag) const;
    Adesk::Boolean isCodirectionalTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isCodirectionalTo(const AcGeVector2d& vec, const AcGeTol& tol, AcGeError& flag) const;
    Adesk::Boolean isPerpendicularTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGeVector2d& vec, const AcGeTol& tol, AcGeError& flag) const;

    double dotProduct(const AcGeVector2d& vec) const;

    // Equality within the global tolerance, as the commercial host compares.
    bool operator==(const AcGeVector2d& vec) const;
    bool operator!=(const AcGeVector2d& vec) const;
    Adesk::Boolean isEqualTo(const AcGeVector2d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);
    AcGeVector2d& set(double x, double y);

    // The translation matrix by this vector.
    operator AcGeMatrix2d() const;

    double x = 0.0;
    double y = 0.0;
};
