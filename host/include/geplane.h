// AcGePlane: an unbounded plane.
#pragma once

#include "geplanar.h"

class AcGeLine3d;

class AcGePlane : public AcGePlanarEnt {
public:
    static const AcGePlane kXYPlane;
    static const AcGePlane kYZPlane;
    static const AcGePlane kZXPlane;

    // The XY plane.
    AcGePlane();
    AcGePlane(const AcGePlane& src) = default;
    // Axes: the arbitrary-axis frame of normal (a zero normal gives the XY plane's axes).
    AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal);
    // uAxis = pntU - org, vAxis = pntV - org.
    AcGePlane(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV);
    AcGePlane(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
    // a x + b y + c z + d = 0; origin: the plane's point nearest the WCS origin.
    AcGePlane(double a, double b, double c, double d);

    AcGe::EntityId type() const override;
    AcGeEntity3d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity3d& entity, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;

    // Positive on the side the normal points to.
    double signedDistanceTo(const AcGePoint3d& pnt) const;
    Adesk::Boolean intersectWith(const AcGeLinearEnt3d& linEnt, AcGePoint3d& resultPnt,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean intersectWith(const AcGePlane& otherPln, AcGeLine3d& resultLine,
                                 const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePlane& set(const AcGePoint3d& pnt, const AcGeVector3d& normal);
    AcGePlane& set(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV);
    AcGePlane& set(double a, double b, double c, double d);
    AcGePlane& set(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
    AcGePlane& operator=(const AcGePlane& src) = default;
};
