// AcGeVector3d: a 3D direction and length.
#pragma once

#include "gegbl.h"
#include "gevec2d.h"

class AcGeMatrix3d;
class AcGePlanarEnt;

class AcGeVector3d {
public:
    AcGeVector3d() = default;
    constexpr AcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    // The 3D vector whose plane coordinates in pln are vec.
    AcGeVector3d(const AcGePlanarEnt& pln, const AcGeVector2d& vec);

    static const AcGeVector3d kIdentity;
    static const AcGeVector3d kXAxis;
    static const AcGeVector3d kYAxis;
    static const AcGeVector3d kZAxis;

    friend AcGeVector3d operator*(const AcGeMatrix3d& mat, const AcGeVector3d& vec);
    AcGeVector3d& setToProduct(const AcGeMatrix3d& mat, const AcGeVector3d& vec);
    AcGeVector3d& setToProduct(const AcGeVector3d& vec, double scl);
    // A vector ignores the translation part of the matrix.
    AcGeVector3d& transformBy(const AcGeMatrix3d& leftSide);
    // Right-handed about axis.
    AcGeVector3d& rotateBy(double ang, const AcGeVector3d& axis);
    // Mirrors in the plane through the origin with that normal.
    AcGeVector3d& mirror(const AcGeVector3d& normalToPlane);
    // Coordinates along the plane's two axes.
    AcGeVector2d convert2d(const AcGePlanarEnt& pln) const;

    AcGeVector3d operator*(double scl) const;
    friend AcGeVector3d operator*(double scl, const AcGeVector3d& vec);
    AcGeVector3d& operator*=(double scl);
    AcGeVector3d operator/(double scl) const;
    AcGeVector3d& operator/=(double scl);
    AcGeVector3d operator+(const AcGeVector3d& vec) const;
    AcGeVector3d& operator+=(const AcGeVector3d& vec);
    AcGeVector3d operator-(const AcGeVector3d& vec) const;
    AcGeVector3d& operator-=(const AcGeVector3d& vec);
    AcGeVector3d& setToSum(const AcGeVector3d& vec1, const AcGeVector3d& vec2);
    AcGeVector3d operator-() const;
    AcGeVector3d& negate();

    // A unit vector perpendicular to this one: the X axis of the arbitrary-axis
    // frame of this direction (so (1,0,0) gives (0,1,0)); zero for a zero vector.
    AcGeVector3d perpVector() const;
    // Unsigned angle between the two vectors, in [0, pi].
    double angleTo(const AcGeVector3d& vec) const;
    // Angle from this vector to vec, counter-clockwise seen from the tip of
    // refVec, in [0, 2pi): angleTo(vec) when refVec . (this x vec) >= 0,
    // otherwise 2pi minus it.
    double angleTo(const AcGeVector3d& vec, const AcGeVector3d& refVec) const;
    // The rotation that takes this vector onto vec.
    AcGeMatrix3d rotateTo(const AcGeVector3d& vec, const AcGeVector3d& axis = AcGeVector3d::kIdentity) const;
    // Along projectDirection onto the plane through the origin with normal planeNormal.
    AcGeVector3d project(const AcGeVector3d& planeNormal, const AcGeVector3d& projectDirection,
                         const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector3d project(const AcGeVector3d& planeNormal, const AcGeVector3d& projectDirection,
                         const AcGeTol& tol, AcGeError& flag) const;
    AcGeVector3d orthoProject(const AcGeVector3d& planeNormal) const;
    AcGeVector3d orthoProject(const AcGeVector3d& planeNormal, const AcGeTol& tol, AcGeError& flag) const;

    // A vector not longer than tol.equalVector() is left as it is (the zero
    // vector stays zero); normalize() then sets flag k0This.
    AcGeVector3d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector3d& normalize(const AcGeTol& tol = AcGeContext::gTol);
    AcGeVector3d& normalize(const AcGeTol& tol, AcGeError& flag);
    double length() const;
    double lengthSqrd() const;
    Adesk::Boolean isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const;

    Adesk::Boolean isParallelTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isParallelTo(const AcGeVector3d& vec, const AcGeTol& tol, AcGeError& flag) const;
    Adesk::Boolean isCodirectionalTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isCodirectionalTo(const AcGeVector3d& vec, const AcGeTol& tol, AcGeError& flag) const;
    Adesk::Boolean isPerpendicularTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGeVector3d& vec, const AcGeTol& tol, AcGeError& flag) const;

    double dotProduct(const AcGeVector3d& vec) const;
    AcGeVector3d crossProduct(const AcGeVector3d& vec) const;

    // Equality within the global tolerance, as the commercial host compares.
    bool operator==(const AcGeVector3d& vec) const;
    bool operator!=(const AcGeVector3d& vec) const;
    Adesk::Boolean isEqualTo(const AcGeVector3d& vec, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);
    // Index (0, 1, 2) of the coordinate of largest magnitude.
    unsigned int largestElement() const;
    AcGeVector3d& set(double x, double y, double z);
    AcGeVector3d& set(const AcGePlanarEnt& pln, const AcGeVector2d& vec);

    // The translation matrix by this vector.
    operator AcGeMatrix3d() const;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
