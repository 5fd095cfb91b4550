// AcGePlane: construction from a normal, three points or coefficients; distances and intersections.
#include "geplane.h"

#include <cmath>

#include "gelent3d.h"
#include "geline3d.h"
#include "kelvora/ocs.h"

// Built from literal values, so that they do not depend on other constants' initialisation.
const AcGePlane AcGePlane::kXYPlane(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0));
const AcGePlane AcGePlane::kYZPlane(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 1, 0), AcGeVector3d(0, 0, 1));
const AcGePlane AcGePlane::kZXPlane(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1), AcGeVector3d(1, 0, 0));

AcGePlane::AcGePlane() = default;

AcGePlane::AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal) { set(origin, normal); }

AcGePlane::AcGePlane(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV) { set(pntU, org, pntV); }

AcGePlane::AcGePlane(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis)
    : AcGePlanarEnt(org, uAxis, vAxis)
{
}

AcGePlane::AcGePlane(double a, double b, double c, double d) { set(a, b, c, d); }

AcGe::EntityId AcGePlane::type() const { return AcGe::kPlane; }

AcGeEntity3d* AcGePlane::copy() const { return new AcGePlane(*this); }

Adesk::Boolean AcGePlane::isEqualTo(const AcGeEntity3d& entity, const AcGeTol& tol) const
{
    if (entity.type() != AcGe::kPlane)
        return false;
    const auto& other = static_cast<const AcGePlane&>(entity);
    return m_origin.isEqualTo(other.m_origin, tol) && m_uAxis.isEqualTo(other.m_uAxis, tol) &&
           m_vAxis.isEqualTo(other.m_vAxis, tol);
}

AcGeEntity3d& AcGePlane::transformBy(const AcGeMatrix3d& xfm)
{
    transformFrame(xfm);
    return *this;
}

double AcGePlane::signedDistanceTo(const AcGePoint3d& pnt) const { return (pnt - m_origin).dotProduct(m_normal); }

Adesk::Boolean AcGePlane::intersectWith(const AcGeLinearEnt3d& linEnt, AcGePoint3d& resultPnt,
                                        const AcGeTol& tol) const
{
    return linEnt.intersectWith(*this, resultPnt, tol);
}

Adesk::Boolean AcGePlane::intersectWith(const AcGePlane& otherPln, AcGeLine3d& resultLine, const AcGeTol& tol) const
{
    AcGeVector3d dir = m_normal.crossProduct(otherPln.m_normal);
    if (dir.length() <= tol.equalVector())
        return false;
    // The point of the line nearest the origin of this plane: solve n1.p = d1,
    // n2.p = d2, dir.p = dir.o1.
    double d1 = m_normal.dotProduct(m_origin.asVector());
    double d2 = otherPln.m_normal.dotProduct(otherPln.m_origin.asVector());
    AcGeVector3d n1 = m_normal, n2 = otherPln.m_normal;
    double d3 = dir.dotProduct(m_origin.asVector());
    double det = n1.dotProduct(n2.crossProduct(dir));
    AcGeVector3d p = (n2.crossProduct(dir) * d1 + dir.crossProduct(n1) * d2 + n1.crossProduct(n2) * d3) / det;
    resultLine.set(AcGePoint3d(p.x, p.y, p.z), dir.normal());
    return true;
}

AcGePlane& AcGePlane::set(const AcGePoint3d& pnt, const AcGeVector3d& normal)
{
    AcGeVector3d x, y, z;
    kelvora::ocsAxes(normal, x, y, z);
    setFrame(pnt, x, y);
    return *this;
}

AcGePlane& AcGePlane::set(const AcGePoint3d& pntU, const AcGePoint3d& org, const AcGePoint3d& pntV)
{
    setFrame(org, pntU - org, pntV - org);
    return *this;
}

AcGePlane& AcGePlane::set(double a, double b, double c, double d)
{
    AcGeVector3d n(a, b, c);
    double len2 = n.lengthSqrd();
    if (!(len2 > 0.0))
        return set(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis);
    AcGeVector3d o = n * (-d / len2);
    return set(AcGePoint3d(o.x, o.y, o.z), n);
}

AcGePlane& AcGePlane::set(const AcGePoint3d& org, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis)
{
    setFrame(org, uAxis, vAxis);
    return *this;
}
