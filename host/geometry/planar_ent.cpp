// AcGePlanarEnt: plane frame, plane coordinates and the relations of planes to points, lines and planes.
#include "geplanar.h"

#include <cmath>

#include "gelent3d.h"
#include "geline3d.h"
#include "kelvora/ocs.h"

AcGePlanarEnt::AcGePlanarEnt() { setFrame(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, AcGeVector3d::kYAxis); }

AcGePlanarEnt::AcGePlanarEnt(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis)
{
    setFrame(origin, uAxis, vAxis);
}

// Axes that span no plane (zero or parallel) give the XY axes, so that every
// plane has a normal.
void AcGePlanarEnt::setFrame(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis)
{
    m_origin = origin;
    AcGeVector3d n = uAxis.crossProduct(vAxis);
    if (n.isZeroLength() || uAxis.isZeroLength() || vAxis.isZeroLength()) {
        m_uAxis = AcGeVector3d::kXAxis;
        m_vAxis = AcGeVector3d::kYAxis;
        m_normal = AcGeVector3d::kZAxis;
        return;
    }
    m_uAxis = uAxis;
    m_vAxis = vAxis;
    m_normal = n.normal();
}

void AcGePlanarEnt::transformFrame(const AcGeMatrix3d& xfm)
{
    setFrame(xfm * m_origin, xfm * m_uAxis, xfm * m_vAxis);
}

bool AcGePlanarEnt::containsPoint(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return distanceTo(pnt, tol) <= tol.equalPoint();
}

Adesk::Boolean AcGePlanarEnt::intersectWith(const AcGeLinearEnt3d& linEnt, AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return linEnt.intersectWith(*this, pnt, tol);
}

AcGePoint3d AcGePlanarEnt::closestPointTo(const AcGePoint3d& pnt, const AcGeTol&) const
{
    return pnt - m_normal * (pnt - m_origin).dotProduct(m_normal);
}

double AcGePlanarEnt::distanceTo(const AcGePoint3d& pnt, const AcGeTol&) const
{
    return std::fabs((pnt - m_origin).dotProduct(m_normal));
}

AcGePoint3d AcGePlanarEnt::evalPoint(const AcGePoint2d& param) const
{
    return m_origin + m_uAxis * param.x + m_vAxis * param.y;
}

// Least squares in the plane's axes (exact for points of the plane), so
// non-orthogonal axes give their own coordinates.
AcGePoint2d AcGePlanarEnt::paramOf(const AcGePoint3d& pnt, const AcGeTol&) const
{
    AcGeVector3d w = pnt - m_origin;
    double uu = m_uAxis.dotProduct(m_uAxis), uv = m_uAxis.dotProduct(m_vAxis), vv = m_vAxis.dotProduct(m_vAxis);
    double wu = w.dotProduct(m_uAxis), wv = w.dotProduct(m_vAxis);
    double det = uu * vv - uv * uv;
    if (!(std::fabs(det) > 0.0))
        return AcGePoint2d::kOrigin;
    return AcGePoint2d((wu * vv - wv * uv) / det, (wv * uu - wu * uv) / det);
}

Adesk::Boolean AcGePlanarEnt::isParallelTo(const AcGeLinearEnt3d& linEnt, const AcGeTol& tol) const
{
    return linEnt.isParallelTo(*this, tol);
}

Adesk::Boolean AcGePlanarEnt::isParallelTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol) const
{
    return m_normal.isParallelTo(otherPlnEnt.m_normal, tol);
}

Adesk::Boolean AcGePlanarEnt::isPerpendicularTo(const AcGeLinearEnt3d& linEnt, const AcGeTol& tol) const
{
    return linEnt.isPerpendicularTo(*this, tol);
}

Adesk::Boolean AcGePlanarEnt::isPerpendicularTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol) const
{
    return m_normal.isPerpendicularTo(otherPlnEnt.m_normal, tol);
}

Adesk::Boolean AcGePlanarEnt::isCoplanarTo(const AcGePlanarEnt& otherPlnEnt, const AcGeTol& tol) const
{
    return isParallelTo(otherPlnEnt, tol) && distanceTo(otherPlnEnt.m_origin, tol) <= tol.equalPoint() &&
           otherPlnEnt.distanceTo(m_origin, tol) <= tol.equalPoint();
}

void AcGePlanarEnt::get(AcGePoint3d& origin, AcGeVector3d& uVec, AcGeVector3d& vVec) const
{
    origin = m_origin;
    uVec = m_uAxis;
    vVec = m_vAxis;
}

void AcGePlanarEnt::get(AcGePoint3d& uPnt, AcGePoint3d& origin, AcGePoint3d& vPnt) const
{
    origin = m_origin;
    uPnt = m_origin + m_uAxis;
    vPnt = m_origin + m_vAxis;
}

AcGePoint3d AcGePlanarEnt::pointOnPlane() const { return m_origin; }

AcGeVector3d AcGePlanarEnt::normal() const { return m_normal; }

void AcGePlanarEnt::getCoefficients(double& a, double& b, double& c, double& d) const
{
    a = m_normal.x;
    b = m_normal.y;
    c = m_normal.z;
    d = -m_normal.dotProduct(m_origin.asVector());
}

void AcGePlanarEnt::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1, AcGeVector3d& axis2) const
{
    get(origin, axis1, axis2);
}
