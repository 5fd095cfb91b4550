// AcGeEllipArc2d: 2D ellipses and elliptic arcs, their parameters, affine images and nearest points.
#include "geell2d.h"

#include <cmath>

#include "curve_algorithms.h"
#include "ge_math.h"
#include "gearc2d.h"
#include "gelent2d.h"

namespace {

using kelvora::ge::kTwoPi;
using kelvora::ge::normalizeAngle;

double cross(const AcGeVector2d& a, const AcGeVector2d& b) { return a.x * b.y - a.y * b.x; }

// The sweep from ang1 to ang2 brought into (0, 2pi]: equal angles, a sweep of a
// whole turn or more and angles that are not numbers make the full ellipse; an
// end before the start wraps round.
double sweepOf(double ang1, double ang2)
{
    double sweep = ang2 - ang1;
    if (!std::isfinite(sweep) || sweep >= kTwoPi)
        return kTwoPi;
    if (sweep <= 0.0)
        sweep = normalizeAngle(sweep);
    return sweep > 0.0 ? sweep : kTwoPi;
}

// The unit minor axis at right angles to the unit major axis, on the side `side` points to
// (the left side when side does not choose one).
AcGeVector2d minorFor(const AcGeVector2d& major, const AcGeVector2d& side)
{
    return cross(major, side) < 0.0 ? -major.perpVector() : major.perpVector();
}

}  // namespace

AcGeEllipArc2d::AcGeEllipArc2d() : m_endAng(kTwoPi) {}

AcGeEllipArc2d::AcGeEllipArc2d(const AcGeCircArc2d& arc) { set(arc); }

AcGeEllipArc2d::AcGeEllipArc2d(const AcGePoint2d& cent, const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis,
                               double majorRadius, double minorRadius)
{
    set(cent, majorAxis, minorAxis, majorRadius, minorRadius);
}

AcGeEllipArc2d::AcGeEllipArc2d(const AcGePoint2d& cent, const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis,
                               double majorRadius, double minorRadius, double startAngle, double endAngle)
{
    set(cent, majorAxis, minorAxis, majorRadius, minorRadius, startAngle, endAngle);
}

AcGe::EntityId AcGeEllipArc2d::type() const { return AcGe::kEllipArc2d; }

AcGeEntity2d* AcGeEllipArc2d::copy() const { return new AcGeEllipArc2d(*this); }

// The same point set walked the same way: a circle may have its axes anywhere,
// an ellipse's major axes must be parallel (either way round, as the end points
// then fix the parameters).
Adesk::Boolean AcGeEllipArc2d::isEqualTo(const AcGeEntity2d& entity, const AcGeTol& tol) const
{
    if (entity.type() != AcGe::kEllipArc2d)
        return false;
    const auto& o = static_cast<const AcGeEllipArc2d&>(entity);
    if (!m_center.isEqualTo(o.m_center, tol) || std::fabs(m_majorRadius - o.m_majorRadius) > tol.equalPoint() ||
        std::fabs(m_minorRadius - o.m_minorRadius) > tol.equalPoint() || isClockWise() != o.isClockWise())
        return false;
    if (!isCircular(tol) && std::fabs(cross(m_majorAxis, o.m_majorAxis)) > tol.equalVector())
        return false;
    return startPoint().isEqualTo(o.startPoint(), tol) && endPoint().isEqualTo(o.endPoint(), tol) &&
           std::fabs((m_endAng - m_startAng) - (o.m_endAng - o.m_startAng)) <= tol.equalVector();
}

// The image of the two semi-axes are conjugate semi-diameters U, V of the new
// ellipse, whose points are c + U cos t + V sin t. Its major semi-axis is the
// longest of these, at t0 with tan 2t0 = 2 U.V / (U.U - V.V); the minor one is
// the derivative there. Parameters shift by t0, so the arc keeps its points.
AcGeEntity2d& AcGeEllipArc2d::transformBy(const AcGeMatrix2d& xfm)
{
    AcGeVector2d u = xfm * (m_majorAxis * m_majorRadius);
    AcGeVector2d v = xfm * (m_minorAxis * m_minorRadius);
    m_center = xfm * m_center;
    double t0 = 0.5 * std::atan2(2.0 * u.dotProduct(v), u.dotProduct(u) - v.dotProduct(v));
    AcGeVector2d major = u * std::cos(t0) + v * std::sin(t0);
    AcGeVector2d minor = v * std::cos(t0) - u * std::sin(t0);
    m_majorRadius = major.length();
    m_minorRadius = minor.length();
    if (m_majorRadius > 0.0) {
        m_majorAxis = major / m_majorRadius;
        m_minorAxis = cross(u, v) < 0.0 ? -m_majorAxis.perpVector() : m_majorAxis.perpVector();
    }
    m_startAng -= t0;
    m_endAng -= t0;
    return *this;
}

AcGePoint2d AcGeEllipArc2d::fromUnitCircle(double x, double y) const
{
    return m_center + m_majorAxis * (m_majorRadius * x) + m_minorAxis * (m_minorRadius * y);
}

bool AcGeEllipArc2d::onArcParam(const AcGePoint2d& pnt, const AcGeTol& tol) const
{
    if (pnt.isEqualTo(startPoint(), tol) || pnt.isEqualTo(endPoint(), tol))
        return true;
    AcGeVector2d d = pnt - m_center;
    double t = std::atan2(d.dotProduct(m_minorAxis) * m_majorRadius, d.dotProduct(m_majorAxis) * m_minorRadius);
    return m_startAng + normalizeAngle(t - m_startAng) <= m_endAng;
}

// In the ellipse's own frame scaled to its radii the ellipse is the unit
// circle and the line stays a line: the crossing is a quadratic there. A line
// passing within the point tolerance of the ellipse (measured on the smaller
// radius, where the scaled frame stretches least) touches it once.
Adesk::Boolean AcGeEllipArc2d::intersectWith(const AcGeLinearEnt2d& line, int& intn, AcGePoint2d& p1,
                                             AcGePoint2d& p2, const AcGeTol& tol) const
{
    intn = 0;
    AcGeVector2d dir = line.direction();
    if (dir.isZeroLength() || !(m_majorRadius > 0.0) || !(m_minorRadius > 0.0))
        return false;
    AcGeVector2d q0 = line.pointOnLine() - m_center;
    AcGeVector2d q(q0.dotProduct(m_majorAxis) / m_majorRadius, q0.dotProduct(m_minorAxis) / m_minorRadius);
    AcGeVector2d d(dir.dotProduct(m_majorAxis) / m_majorRadius, dir.dotProduct(m_minorAxis) / m_minorRadius);
    double dd = d.dotProduct(d);
    double s0 = -q.dotProduct(d) / dd;
    AcGeVector2d foot = q + d * s0;
    double h = foot.length();
    AcGePoint2d candidates[2];
    int count = 0;
    if (std::fabs(h - 1.0) * m_minorRadius <= tol.equalPoint()) {
        AcGeVector2d touch = h > 0.0 ? foot / h : foot;
        candidates[count++] = fromUnitCircle(touch.x, touch.y);
    } else if (h < 1.0) {
        double half = std::sqrt((1.0 - h * h) / dd);
        for (double s : {s0 - half, s0 + half}) {
            AcGeVector2d p = q + d * s;
            candidates[count++] = fromUnitCircle(p.x, p.y);
        }
    }
    AcGePoint2d* out[2] = {&p1, &p2};
    for (int i = 0; i < count; ++i) {
        if (!onArcParam(candidates[i], tol) || !line.isOn(candidates[i], tol))
            continue;
        *out[intn++] = candidates[i];
    }
    return intn > 0;
}

Adesk::Boolean AcGeEllipArc2d::isCircular(const AcGeTol& tol) const
{
    return std::fabs(m_majorRadius - m_minorRadius) <= tol.equalPoint();
}

// Inside the ellipse shrunk by the point tolerance on both radii.
Adesk::Boolean AcGeEllipArc2d::isInside(const AcGePoint2d& pnt, const AcGeTol& tol) const
{
    double a = m_majorRadius - tol.equalPoint(), b = m_minorRadius - tol.equalPoint();
    if (!(a > 0.0) || !(b > 0.0))
        return false;
    AcGeVector2d d = pnt - m_center;
    double x = d.dotProduct(m_majorAxis) / a, y = d.dotProduct(m_minorAxis) / b;
    return x * x + y * y < 1.0;
}

AcGePoint2d AcGeEllipArc2d::pointAtParam(double param) const
{
    return m_center + m_majorAxis * (m_majorRadius * std::cos(param)) +
           m_minorAxis * (m_minorRadius * std::sin(param));
}

AcGeVector2d AcGeEllipArc2d::derivativeAtParam(double param, int order) const
{
    if (order == 1)
        return m_minorAxis * (m_minorRadius * std::cos(param)) - m_majorAxis * (m_majorRadius * std::sin(param));
    return (m_majorAxis * (m_majorRadius * std::cos(param)) + m_minorAxis * (m_minorRadius * std::sin(param))) * -1.0;
}

double AcGeEllipArc2d::closestParamTo(const AcGePoint2d& pnt, const AcGeTol&) const
{
    // Enough probes per turn that the nearest one lies on the right quarter of a flat ellipse.
    const int kProbes = 64;
    auto eval = [this](double t) { return pointAtParam(t); };
    auto d1 = [this](double t) { return derivativeAtParam(t, 1); };
    auto d2 = [this](double t) { return derivativeAtParam(t, 2); };
    return kelvora::ge::nearestParam(pnt, eval, d1, d2, m_startAng, m_endAng, kProbes);
}

void AcGeEllipArc2d::parameterRange(AcGeInterval& intrvl) const { intrvl.set(m_startAng, m_endAng); }

// Walking backwards: the angles change sign and swap, and the minor axis turns
// over, so every point keeps its place.
void AcGeEllipArc2d::reverseParameter()
{
    double s = m_startAng;
    m_startAng = -m_endAng;
    m_endAng = -s;
    m_minorAxis = -m_minorAxis;
}

bool AcGeEllipArc2d::closedCurve(const AcGeTol& tol) const
{
    return m_endAng - m_startAng >= kTwoPi - tol.equalVector();
}

bool AcGeEllipArc2d::periodicCurve(double& period) const
{
    if (!closedCurve(AcGeContext::gTol))
        return false;
    period = kTwoPi;
    return true;
}

AcGePoint2d AcGeEllipArc2d::center() const { return m_center; }
double AcGeEllipArc2d::minorRadius() const { return m_minorRadius; }
double AcGeEllipArc2d::majorRadius() const { return m_majorRadius; }
AcGeVector2d AcGeEllipArc2d::minorAxis() const { return m_minorAxis; }
AcGeVector2d AcGeEllipArc2d::majorAxis() const { return m_majorAxis; }
double AcGeEllipArc2d::startAng() const { return m_startAng; }
double AcGeEllipArc2d::endAng() const { return m_endAng; }
AcGePoint2d AcGeEllipArc2d::startPoint() const { return pointAtParam(m_startAng); }
AcGePoint2d AcGeEllipArc2d::endPoint() const { return pointAtParam(m_endAng); }
Adesk::Boolean AcGeEllipArc2d::isClockWise() const { return cross(m_majorAxis, m_minorAxis) < 0.0; }

AcGeEllipArc2d& AcGeEllipArc2d::setCenter(const AcGePoint2d& cent)
{
    m_center = cent;
    return *this;
}

AcGeEllipArc2d& AcGeEllipArc2d::setMinorRadius(double rad)
{
    if (std::isfinite(rad))
        m_minorRadius = std::fabs(rad);
    return *this;
}

AcGeEllipArc2d& AcGeEllipArc2d::setMajorRadius(double rad)
{
    if (std::isfinite(rad))
        m_majorRadius = std::fabs(rad);
    return *this;
}

AcGeEllipArc2d& AcGeEllipArc2d::setAxes(const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis)
{
    if (majorAxis.isZeroLength() || !std::isfinite(majorAxis.x) || !std::isfinite(majorAxis.y))
        return *this;
    m_majorAxis = majorAxis.normal();
    m_minorAxis = minorFor(m_majorAxis, minorAxis);
    return *this;
}

AcGeEllipArc2d& AcGeEllipArc2d::setAngles(double startAngle, double endAngle)
{
    double sweep = sweepOf(startAngle, endAngle);
    m_startAng = std::isfinite(startAngle) ? startAngle : 0.0;
    m_endAng = m_startAng + sweep;
    return *this;
}

AcGeEllipArc2d& AcGeEllipArc2d::set(const AcGePoint2d& cent, const AcGeVector2d& majorAxis,
                                    const AcGeVector2d& minorAxis, double majorRadius, double minorRadius)
{
    return set(cent, majorAxis, minorAxis, majorRadius, minorRadius, 0.0, kTwoPi);
}

AcGeEllipArc2d& AcGeEllipArc2d::set(const AcGePoint2d& cent, const AcGeVector2d& majorAxis,
                                    const AcGeVector2d& minorAxis, double majorRadius, double minorRadius,
                                    double startAngle, double endAngle)
{
    m_center = cent;
    setAxes(majorAxis, minorAxis);
    setMajorRadius(majorRadius);
    setMinorRadius(minorRadius);
    return setAngles(startAngle, endAngle);
}

AcGeEllipArc2d& AcGeEllipArc2d::set(const AcGeCircArc2d& arc)
{
    AcGeVector2d side = arc.isClockWise() ? -arc.refVec().perpVector() : arc.refVec().perpVector();
    return set(arc.center(), arc.refVec(), side, arc.radius(), arc.radius(), arc.startAng(), arc.endAng());
}
