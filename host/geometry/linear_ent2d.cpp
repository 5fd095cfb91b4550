// AcGeLinearEnt2d: parameters, intersections, overlaps and direction tests of 2D lines, rays and segments.
#include "gelent2d.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geline2d.h"
#include "gelnsg2d.h"
#include "geray2d.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

double cross(const AcGeVector2d& a, const AcGeVector2d& b) { return a.x * b.y - a.y * b.x; }

// Parameter of p's foot on the line through base along v (v not zero).
double footParam(const AcGePoint2d& p, const AcGePoint2d& base, const AcGeVector2d& v)
{
    return (p - base).dotProduct(v) / v.lengthSqrd();
}

}  // namespace

AcGeLinearEnt2d::AcGeLinearEnt2d(const AcGePoint2d& pnt, const AcGeVector2d& vec) : m_point(pnt), m_vector(vec) {}

double AcGeLinearEnt2d::clampParam(double t) const
{
    if (boundedBelow())
        t = std::max(t, 0.0);
    if (boundedAbove())
        t = std::min(t, 1.0);
    return t;
}

AcGePoint2d AcGeLinearEnt2d::pointAtParam(double param) const { return m_point + m_vector * param; }

AcGeVector2d AcGeLinearEnt2d::derivativeAtParam(double, int order) const
{
    return order == 1 ? m_vector : AcGeVector2d();
}

double AcGeLinearEnt2d::closestParamTo(const AcGePoint2d& pnt, const AcGeTol&) const
{
    if (!(m_vector.lengthSqrd() > 0.0))
        return 0.0;
    return clampParam(footParam(pnt, m_point, m_vector));
}

void AcGeLinearEnt2d::parameterRange(AcGeInterval& intrvl) const
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
void AcGeLinearEnt2d::reverseParameter()
{
    if (boundedBelow() && boundedAbove()) {
        m_point = m_point + m_vector;
        m_vector.negate();
    } else if (!boundedBelow() && !boundedAbove()) {
        m_vector.negate();
    }
}

double AcGeLinearEnt2d::lengthBetween(double fromParam, double toParam, double) const
{
    return std::fabs(toParam - fromParam) * m_vector.length();
}

void AcGeLinearEnt2d::samplePoints(double fromParam, double toParam, double, AcGePoint2dArray& pointArray,
                                   AcGeDoubleArray& paramArray) const
{
    pointArray.append(pointAtParam(fromParam));
    paramArray.append(fromParam);
    pointArray.append(pointAtParam(toParam));
    paramArray.append(toParam);
}

Adesk::Boolean AcGeLinearEnt2d::intersectWith(const AcGeLinearEnt2d& line, AcGePoint2d& intPnt,
                                              const AcGeTol& tol) const
{
    if (m_vector.isZeroLength(tol) || line.m_vector.isZeroLength(tol) || isParallelTo(line, tol))
        return false;
    double den = cross(m_vector, line.m_vector);
    if (!(std::fabs(den) > 0.0))
        return false;
    AcGeVector2d w = line.m_point - m_point;
    double s = cross(w, line.m_vector) / den;
    double t = cross(w, m_vector) / den;
    // Bounds, with the point tolerance as a length along each entity.
    double slack1 = tol.equalPoint() / m_vector.length(), slack2 = tol.equalPoint() / line.m_vector.length();
    if ((boundedBelow() && s < -slack1) || (boundedAbove() && s > 1.0 + slack1))
        return false;
    if ((line.boundedBelow() && t < -slack2) || (line.boundedAbove() && t > 1.0 + slack2))
        return false;
    intPnt = pointAtParam(clampParam(s));
    return true;
}

// The common part must be longer than the point tolerance: collinear entities
// that only touch at an end have no overlap.
Adesk::Boolean AcGeLinearEnt2d::overlap(const AcGeLinearEnt2d& line, AcGeLinearEnt2d*& overlap,
                                        const AcGeTol& tol) const
{
    if (!isColinearTo(line, tol))
        return false;
    double lo1 = boundedBelow() ? 0.0 : -kInf, hi1 = boundedAbove() ? 1.0 : kInf;
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
        overlap = new AcGeLineSeg2d(pointAtParam(lo), pointAtParam(hi));
    else if (std::isfinite(lo))
        overlap = new AcGeRay2d(pointAtParam(lo), m_vector);
    else if (std::isfinite(hi))
        overlap = new AcGeRay2d(pointAtParam(hi), -m_vector);
    else
        overlap = new AcGeLine2d(m_point, m_vector);
    return true;
}

Adesk::Boolean AcGeLinearEnt2d::isParallelTo(const AcGeLinearEnt2d& line, const AcGeTol& tol) const
{
    return m_vector.isParallelTo(line.m_vector, tol);
}

Adesk::Boolean AcGeLinearEnt2d::isPerpendicularTo(const AcGeLinearEnt2d& line, const AcGeTol& tol) const
{
    return m_vector.isPerpendicularTo(line.m_vector, tol);
}

Adesk::Boolean AcGeLinearEnt2d::isColinearTo(const AcGeLinearEnt2d& line, const AcGeTol& tol) const
{
    if (!isParallelTo(line, tol))
        return false;
    AcGePoint2d foot = m_point + m_vector * footParam(line.m_point, m_point, m_vector);
    return foot.distanceTo(line.m_point) <= tol.equalPoint();
}

void AcGeLinearEnt2d::getPerpLine(const AcGePoint2d& pnt, AcGeLine2d& perpLine) const
{
    perpLine.set(pnt, m_vector.perpVector());
}

AcGePoint2d AcGeLinearEnt2d::pointOnLine() const { return m_point; }

AcGeVector2d AcGeLinearEnt2d::direction() const
{
    return m_vector.isZeroLength() ? AcGeVector2d() : m_vector.normal();
}

void AcGeLinearEnt2d::getLine(AcGeLine2d& line) const { line.set(m_point, m_vector); }

Adesk::Boolean AcGeLinearEnt2d::isEqualTo(const AcGeEntity2d& entity, const AcGeTol& tol) const
{
    if (entity.type() != type())
        return false;
    const auto& other = static_cast<const AcGeLinearEnt2d&>(entity);
    if (boundedBelow() && boundedAbove())
        return m_point.isEqualTo(other.m_point, tol) && (m_point + m_vector).isEqualTo(other.m_point + other.m_vector, tol);
    if (boundedBelow())
        return m_point.isEqualTo(other.m_point, tol) && m_vector.isCodirectionalTo(other.m_vector, tol);
    return isColinearTo(other, tol);
}

AcGeEntity2d& AcGeLinearEnt2d::transformBy(const AcGeMatrix2d& xfm)
{
    AcGePoint2d end = xfm * (m_point + m_vector);
    m_point = xfm * m_point;
    m_vector = end - m_point;
    return *this;
}
