// AcGePlanarEnt: base of the planar entities: a point of the plane and two axes spanning it.
#pragma once

#include "geent3d.h"

class AcGeLinearEnt3d;

// Plane coordinates (u, v) of a point p satisfy p = origin + u * uAxis + v * vAxis.
class AcGePlanarEnt : public AcGeEntity3d {
public:
    using AcGeEntity3d::isOn;

    Adesk::Boolean intersectWith(const AcGeLinearEnt3d& linEnt, AcGePoint3d& pnt,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    // The foot of the perpendicular from pnt.
    AcGePoint3d closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    double distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    // The point of given plane coordinates.
    AcGePoint3d evalPoint(const AcGePoint2d& param) const;
    // The plane coordinates of pnt (projected onto the plane first).
    AcGePoint2d paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    Adesk::Boolean isParallelTo(const AcGeLinearEnt3d& linEnt, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isParallelTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGeLinearEnt3d& linEnt, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol = AcGeContext::gTol) const;
    // Same plane: parallel normals and each origin on the other.
    Adesk::Boolean isCoplanarTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol = AcGeContext::gTol) const;

    void get(AcGePoint3d& origin, AcGeVector3d& uVec, AcGeVector3d& vVec) const;
    void get(AcGePoint3d& uPnt, AcGePoint3d& origin, AcGePoint3d& vPnt) const;
    AcGePoint3d pointOnPlane() const;
    // Unit normal, uAxis x vAxis normalised.
    AcGeVector3d normal() const;
    // a x + b y + c z + d = 0 with (a, b, c) the unit normal.
    void getCoefficients(double& a, double& b, double& c, double& d) const;
    void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1, AcGeVector3d& axis2) const;

protected:
    AcGePlanarEnt();
    AcGePlanarEnt(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
    AcGePlanarEnt(const AcGePlanarEnt&) = default;
    AcGePlanarEnt& operator=(const AcGePlanarEnt&) = default;

    void setFrame(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
    void transformFrame(const AcGeMatrix3d& xfm);
    bool containsPoint(const AcGePoint3d& pnt, const AcGeTol& tol) const override;

    AcGePoint3d m_origin;
    AcGeVector3d m_uAxis;
    AcGeVector3d m_vAxis;
    AcGeVector3d m_normal;
};
