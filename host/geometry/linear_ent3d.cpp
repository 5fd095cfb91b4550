// AcGeLinearEnt3d: parameters, intersections, overlaps and direction tests of 3D lines, rays and segments.
#include "gelent3d.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geline3d.h"
#include "gelnsg3d.h"
#include "geplane.h"
#include "geray3d.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Parameter of p's foot on the line through base along v (v not zero).
double footParam(const AcGePoint3d& p, const AcGePoint3d& base, const AcGeVector3d& v)
{
    return (p - base).dotProduct(v) / v.lengthSqrd();
}

}  // namespace

AcGeLinearEnt3d::AcGeLinearEnt3d(const AcGePoint3d& pnt, const AcGeVector3d& vec) : m_point(pnt), m_vector(vec) {}

double AcGeLinearEnt3d::clampParam(double t) const
{
    if (boundedBelow())
        t = std::max(t, 0.0);
    if (boundedAbove())
        t = std::min(t, 1.0);
    return t;
}

AcGePoint3d AcGeLinearEnt3d::pointAtParam(double param) const { return m_point + m_vector * param; }

AcGeVector3d AcGeLinearEnt3d::derivativeAtParam(double, int order) const
{
    return order == 1 ? m_vector : AcGeVector3d();
}

double AcGeLinearEnt3d::closestParamTo(const AcGePoint3d& pnt, const AcGeTol&) const
{
    if (!(m_vector.lengthSqrd() > 0.0))
        return 0.0;
    return clampParam(footParam(pnt, m_point, m_vector));
}

void AcGeLinearEnt3d::parameterRange(AcGeInterval& intrvl) const
{
    if (boundedBelow() && boundedAbove())
        intrvl.set(0.0, 1.0);
    else if (boundedBelow())
        intrvl.set(true, 0.0);
    else
        intrvl.set();
}

// A ray keeps its shape: reversing its parameter would need a ray that ends
// at its base point, which this representation cannot hold.
void AcGeLinearEnt3d::reverseParameter()
{
    if (boundedBelow() && boundedAbove()) {
        m_point = m_point + m_vector;
        m_vector.negate();
    } else if (!boundedBelow() && !boundedAbove()) {
        m_vector.negate();
    }
}

bool AcGeLinearEnt3d::planarCurve(AcGePlane& plane, const AcGeTol&) const
{
    AcGeVector3d n = m_vector.isZeroLength() ? AcGeVector3d::kZAxis : m_vector.perpVector();
    plane.set(m_point, n);
    return true;
}

double AcGeLinearEnt3d::lengthBetween(double fromParam, double toParam, double) const
{
    return std::fabs(toParam - fromParam) * m_vector.length();
}

void AcGeLinearEnt3d::samplePoints(double fromParam, double toParam, double, AcGePoint3dArray& pointArray,
                                   AcGeDoubleArray& paramArray) const
{
    pointArray.append(pointAtParam(fromParam));
    paramArray.append(fromParam);
    pointArray.append(pointAtParam(toParam));
    paramArray.append(toParam);
}

Adesk::Boolean AcGeLinearEnt3d::intersectWith(const AcGeLinearEnt3d& line, AcGePoint3d& intPnt,
                                              const AcGeTol& tol) const
{
    if (m_vector.isZeroLength(tol) || line.m_vector.isZeroLength(tol) || isParallelTo(line, tol))
        return false;
    // Nearest points of the two carrier lines.
    const AcGeVector3d& d1 = m_vector;
    const AcGeVector3d& d2 = line.m_vector;
    AcGeVector3d w0 = m_point - line.m_point;
    double a = d1.dotProduct(d1), b = d1.dotProduct(d2), c = d2.dotProduct(d2);
    double d = d1.dotProduct(w0), e = d2.dotProduct(w0);
    double den = a * c - b * b;
    if (!(den > 0.0))
        return false;
    double s = (b * e - c * d) / den;
    double t = (a * e - b * d) / den;
    AcGePoint3d p = pointAtParam(s), q = line.pointAtParam(t);
    if (p.distanceTo(q) > tol.equalPoint())
        return false;
    // Bounds, with the point tolerance as a length along each entity.
    double slack1 = tol.equalPoint() / std::sqrt(a), slack2 = tol.equalPoint() / std::sqrt(c);
    if ((boundedBelow() && s < -slack1) || (boundedAbove() && s > 1.0 + slack1))
        return false;
    if ((line.boundedBelow() && t < -slack2) || (line.boundedAbove() && t > 1.0 + slack2))
        return false;
    intPnt = pointAtParam(clampParam(s));
    return true;
}

Adesk::Boolean AcGeLinearEnt3d::intersectWith(const AcGePlanarEnt& plane, AcGePoint3d& intPnt,
                                              const AcGeTol& tol) const
{
    if (m_vector.isZeroLength(tol) || isParallelTo(plane, tol))
        return false;
    AcGeVector3d n = plane.normal();
    double t = (plane.pointOnPlane() - m_point).dotProduct(n) / m_vector.dotProduct(n);
    double slack = tol.equalPoint() / m_vector.length();
    if ((boundedBelow() && t < -slack) || (boundedAbove() && t > 1.0 + slack))
        return false;
    intPnt = pointAtParam(clampParam(t));
    return true;
}

Adesk::Boolean AcGeLinearEnt3d::projIntersectWith(const AcGeLinearEnt3d& line, const AcGeVector3d& projDir,
                                                  AcGePoint3d& pntOnThisLine, AcGePoint3d& pntOnOtherLine,
                                                  const AcGeTol& tol) const
{
    if (projDir.isZeroLength(tol))
        return false;
    AcGeVector3d n = projDir.normal();
    // Work with both entities flattened onto the plane through the origin normal to projDir.
    auto flatten = [&n](const AcGeVector3d& v) { return v - n * v.dotProduct(n); };
    AcGeVector3d d1 = flatten(m_vector), d2 = flatten(line.m_vector);
    AcGeVector3d w0 = flatten(m_point - line.m_point);
    if (d1.isZeroLength(tol) || d2.isZeroLength(tol) || d1.isParallelTo(d2, tol))
        return false;
    double a = d1.dotProduct(d1), b = d1.dotProduct(d2), c = d2.dotProduct(d2);
    double d = d1.dotProduct(w0), e = d2.dotProduct(w0);
    double den = a * c - b * b;
    if (!(den > 0.0))
        return false;
    double s = (b * e - c * d) / den;
    double t = (a * e - b * d) / den;
    double slack1 = tol.equalPoint() / std::sqrt(a), slack2 = tol.equalPoint() / std::sqrt(c);
    if ((boundedBelow() && s < -slack1) || (boundedAbove() && s > 1.0 + slack1))
        return false;
    if ((line.boundedBelow() && t < -slack2) || (line.boundedAbove() && t > 1.0 + slack2))
        return false;
    pntOnThisLine = pointAtParam(clampParam(s));
    pntOnOtherLine = line.pointAtParam(line.clampParam(t));
    return true;
}

// The common part must be longer than the point tolerance: collinear entities
// that only touch at an end have no overlap.
Adesk::Boolean AcGeLinearEnt3d::overlap(const AcGeLinearEnt3d& line, AcGeLinearEnt3d*& overlap,
                                        const AcGeTol& tol) const
{
    if (!isColinearTo(line, tol))
        return false;
    double lo1 = boundedBelow() ? 0.0 : -kInf, hi1 = boundedAbove() ? 1.0 : kInf;
    // The other entity's bounds as parameters of this one.
    double a = -kInf, b = kInf;
    double sign = line.m_vector.dotProduct(m_vector) >= 0.0 ? 1.0 : -1.0;
    double at0 = footParam(line.m_point, m_point, m_vector);
    double at1 = footParam(line.m_point + line.m_vector, m_point, m_vector);
    if (line.boundedBelow()) {
        if (sign > 0.0)
            a = at0;
        else
            b = at0;
    }
    if (line.boundedAbove()) {
        if (sign > 0.0)
            b = at1;
        else
            a = at1;
    }
    double lo = std::max(lo1, a), hi = std::min(hi1, b);
    double len = m_vector.length();
    if (!(hi - lo > tol.equalPoint() / len))
        return false;
    if (std::isfinite(lo) && std::isfinite(hi))
        overlap = new AcGeLineSeg3d(pointAtParam(lo), pointAtParam(hi));
    else if (std::isfinite(lo))
        overlap = new AcGeRay3d(pointAtParam(lo), m_vector);
    else if (std::isfinite(hi))
        overlap = new AcGeRay3d(pointAtParam(hi), -m_vector);
    else
        overlap = new AcGeLine3d(m_point, m_vector);
    return true;
}

Adesk::Boolean AcGeLinearEnt3d::isOn(const AcGePlane& plane, const AcGeTol& tol) const
{
    return isParallelTo(plane, tol) && plane.distanceTo(m_point, tol) <= tol.equalPoint();
}

Adesk::Boolean AcGeLinearEnt3d::isParallelTo(const AcGeLinearEnt3d& line, const AcGeTol& tol) const
{
    return m_vector.isParallelTo(line.m_vector, tol);
}

Adesk::Boolean AcGeLinearEnt3d::isParallelTo(const AcGePlanarEnt& plane, const AcGeTol& tol) const
{
    return m_vector.isPerpendicularTo(plane.normal(), tol);
}

Adesk::Boolean AcGeLinearEnt3d::isPerpendicularTo(const AcGeLinearEnt3d& line, const AcGeTol& tol) const
{
    return m_vector.isPerpendicularTo(line.m_vector, tol);
}

Adesk::Boolean AcGeLinearEnt3d::isPerpendicularTo(const AcGePlanarEnt& plane, const AcGeTol& tol) const
{
    return m_vector.isParallelTo(plane.normal(), tol);
}

Adesk::Boolean AcGeLinearEnt3d::isColinearTo(const AcGeLinearEnt3d& line, const AcGeTol& tol) const
{
    if (!isParallelTo(line, tol))
        return false;
    AcGePoint3d foot = m_point + m_vector * footParam(line.m_point, m_point, m_vector);
    return foot.distanceTo(line.m_point) <= tol.equalPoint();
}

void AcGeLinearEnt3d::getPerpPlane(const AcGePoint3d& pnt, AcGePlane& plane) const { plane.set(pnt, m_vector); }

AcGePoint3d AcGeLinearEnt3d::pointOnLine() const { return m_point; }

AcGeVector3d AcGeLinearEnt3d::direction() const
{
    return m_vector.isZeroLength() ? AcGeVector3d() : m_vector.normal();
}

void AcGeLinearEnt3d::getLine(AcGeLine3d& line) const { line.set(m_point, m_vector); }

Adesk::Boolean AcGeLinearEnt3d::isEqualTo(const AcGeEntity3d& entity, const AcGeTol& tol) const
{
    if (entity.type() != type())
        return false;
    const auto& other = static_cast<const AcGeLinearEnt3d&>(entity);
    if (boundedBelow() && boundedAbove())
        return m_point.isEqualTo(other.m_point, tol) && (m_point + m_vector).isEqualTo(other.m_point + other.m_vector, tol);
    if (boundedBelow())
        return m_point.isEqualTo(other.m_point, tol) && m_vector.isCodirectionalTo(other.m_vector, tol);
    return isColinearTo(other, tol);
}

AcGeEntity3d& AcGeLinearEnt3d::transformBy(const AcGeMatrix3d& xfm)
{
    AcGePoint3d end = xfm * (m_point + m_vector);
    m_point = xfm * m_point;
    m_vector = end - m_point;
    return *this;
}
