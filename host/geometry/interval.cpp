// AcGeInterval: parameter ranges, bounded or open on either side.
#include "geintrvl.h"

#include <algorithm>
#include <cmath>
#include <limits>

AcGeInterval::AcGeInterval(double tol) : m_tol(tol) {}

AcGeInterval::AcGeInterval(double lower, double upper, double tol) : m_tol(tol) { set(lower, upper); }

AcGeInterval::AcGeInterval(Adesk::Boolean boundedBelow, double bound, double tol) : m_tol(tol)
{
    set(boundedBelow, bound);
}

double AcGeInterval::lowerBound() const
{
    return m_boundedBelow ? m_lower : -std::numeric_limits<double>::infinity();
}

double AcGeInterval::upperBound() const
{
    return m_boundedAbove ? m_upper : std::numeric_limits<double>::infinity();
}

double AcGeInterval::element() const
{
    if (isBounded())
        return 0.5 * (m_lower + m_upper);
    if (m_boundedBelow)
        return m_lower;
    if (m_boundedAbove)
        return m_upper;
    return 0.0;
}

void AcGeInterval::getBounds(double& lower, double& upper) const
{
    lower = lowerBound();
    upper = upperBound();
}

double AcGeInterval::length() const
{
    if (!isBounded())
        return std::numeric_limits<double>::infinity();
    return m_upper - m_lower;
}

double AcGeInterval::tolerance() const { return m_tol; }

AcGeInterval& AcGeInterval::set(double lower, double upper)
{
    m_lower = std::min(lower, upper);
    m_upper = std::max(lower, upper);
    m_boundedBelow = true;
    m_boundedAbove = true;
    return *this;
}

AcGeInterval& AcGeInterval::set(Adesk::Boolean boundedBelow, double bound)
{
    m_boundedBelow = boundedBelow;
    m_boundedAbove = !boundedBelow;
    m_lower = m_upper = bound;
    return *this;
}

AcGeInterval& AcGeInterval::set()
{
    m_boundedBelow = m_boundedAbove = false;
    m_lower = m_upper = 0.0;
    return *this;
}

AcGeInterval& AcGeInterval::setUpper(double upper)
{
    m_upper = upper;
    m_boundedAbove = true;
    return *this;
}

AcGeInterval& AcGeInterval::setLower(double lower)
{
    m_lower = lower;
    m_boundedBelow = true;
    return *this;
}

AcGeInterval& AcGeInterval::setTolerance(double tol)
{
    m_tol = tol;
    return *this;
}

Adesk::Boolean AcGeInterval::isBounded() const { return m_boundedBelow && m_boundedAbove; }
Adesk::Boolean AcGeInterval::isBoundedAbove() const { return m_boundedAbove; }
Adesk::Boolean AcGeInterval::isBoundedBelow() const { return m_boundedBelow; }
Adesk::Boolean AcGeInterval::isUnBounded() const { return !m_boundedBelow && !m_boundedAbove; }
Adesk::Boolean AcGeInterval::isSingleton() const { return isBounded() && m_upper - m_lower <= m_tol; }

Adesk::Boolean AcGeInterval::contains(double val) const
{
    if (m_boundedBelow && val < m_lower - m_tol)
        return false;
    if (m_boundedAbove && val > m_upper + m_tol)
        return false;
    return true;
}

Adesk::Boolean AcGeInterval::isEqualAtUpper(double value) const
{
    return m_boundedAbove && std::fabs(m_upper - value) <= m_tol;
}

Adesk::Boolean AcGeInterval::isEqualAtLower(double value) const
{
    return m_boundedBelow && std::fabs(m_lower - value) <= m_tol;
}

Adesk::Boolean AcGeInterval::operator==(const AcGeInterval& other) const
{
    if (m_boundedBelow != other.m_boundedBelow || m_boundedAbove != other.m_boundedAbove)
        return false;
    if (m_boundedBelow && std::fabs(m_lower - other.m_lower) > m_tol)
        return false;
    if (m_boundedAbove && std::fabs(m_upper - other.m_upper) > m_tol)
        return false;
    return true;
}

Adesk::Boolean AcGeInterval::operator!=(const AcGeInterval& other) const { return !(*this == other); }
