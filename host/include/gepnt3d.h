// AcGePoint3d: a 3D position.
#pragma once

#include "gegbl.h"
#include "gepnt2d.h"
#include "gevec3d.h"

class AcGeMatrix3d;
class AcGePlane;
class AcGePlanarEnt;

class AcGePoint3d {
public:
    AcGePoint3d() = default;
    constexpr AcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
    // The point of pln whose plane coordinates are pnt2d.
    AcGePoint3d(const AcGePlanarEnt& pln, const AcGePoint2d& pnt2d);

    static const AcGePoint3d kOrigin;

    friend AcGePoint3d operator*(const AcGeMatrix3d& mat, const AcGePoint3d& pnt);
    AcGePoint3d& setToProduct(const AcGeMatrix3d& mat, const AcGePoint3d& pnt);
    AcGePoint3d& transformBy(const AcGeMatrix3d& leftSide);
    // Right-handed about vec through wrtPoint.
    AcGePoint3d& rotateBy(double angle, const AcGeVector3d& vec, const AcGePoint3d& wrtPoint = AcGePoint3d::kOrigin);
    AcGePoint3d& mirror(const AcGePlane& pln);
    AcGePoint3d& scaleBy(double scaleFactor, const AcGePoint3d& wrtPoint = AcGePoint3d::kOrigin);
    // Coordinates in the plane's own frame (its origin and two axes).
    AcGePoint2d convert2d(const AcGePlanarEnt& pln) const;

    AcGePoint3d operator*(double scl) const;
    friend AcGePoint3d operator*(double scl, const AcGePoint3d& pnt);
    AcGePoint3d& operator*=(double scl);
    AcGePoint3d operator/(double scl) const;
    AcGePoint3d& operator/=(double scl);
    AcGePoint3d operator+(const AcGeVector3d& vec) const;
    AcGePoint3d& operator+=(const AcGeVector3d& vec);
    AcGePoint3d operator-(const AcGeVector3d& vec) const;
    AcGePoint3d& operator-=(const AcGeVector3d& vec);
    AcGePoint3d& setToSum(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeVector3d operator-(const AcGePoint3d& pnt) const;
    AcGeVector3d asVector() const;

    double distanceTo(const AcGePoint3d& pnt) const;
    // Along vec onto pln; a vec parallel to the plane leaves the point as it is.
    AcGePoint3d project(const AcGePlane& pln, const AcGeVector3d& vec) const;
    AcGePoint3d orthoProject(const AcGePlane& pln) const;

    // Equality within the global tolerance, as the commercial host compares.
    bool operator==(const AcGePoint3d& pnt) const;
    bool operator!=(const AcGePoint3d& pnt) const;
    Adesk::Boolean isEqualTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    double operator[](unsigned int i) const;
    double& operator[](unsigned int i);
    AcGePoint3d& set(double x, double y, double z);
    AcGePoint3d& set(const AcGePlanarEnt& pln, const AcGePoint2d& pnt);

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};
