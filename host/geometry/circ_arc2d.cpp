// AcGeCircArc2d: 2D circles and arcs, their parameters, intersections and tangents.
#include "gearc2d.h"

#include <algorithm>
#include <cmath>

#include "ge_math.h"
#include "gelent2d.h"
#include "kelvora/float_compare.h"

namespace {

using kelvora::ge::kTwoPi;
using kelvora::ge::normalizeAngle;

double cross(const AcGeVector2d& a, const AcGeVector2d& b) { return a.x * b.y - a.y * b.x; }

// The sweep from ang1 to ang2 brought into [0, 2pi]: a sweep of more than a
// full turn is a full circle; an end before the start wraps round.
double sweepOf(double ang1, double ang2)
{
    double sweep = ang2 - ang1;
    if (!std::isfinite(sweep))
        return 0.0;
    if (sweep > kTwoPi)
        return kTwoPi;
    if (sweep < 0.0)
        sweep = normalizeAngle(sweep);
    return sweep;
}

// Centre of the circle through three points, or false when they are collinear.
bool circumcenter(const AcGePoint2d& a, const AcGePoint2d& b, const AcGePoint2d& c, const AcGeTol& tol,
                  AcGePoint2d& center)
{
    AcGeVector2d ab = b - a, ac = c - a;
    double d = 2.0 * cross(ab, ac);
    if (a.isEqualTo(b, tol) || b.isEqualTo(c, tol) || a.isEqualTo(c, tol))
        return false;
    // Collinear when the triangle's height is within the point tolerance.
    double longest = std::max({ab.length(), ac.length(), (c - b).length()});
    if (std::fabs(d) * 0.5 / longest <= tol.equalPoint())
        return false;
    double ab2 = ab.lengthSqrd(), ac2 = ac.lengthSqrd();
    center = a + AcGeVector2d((ac.y * ab2 - ab.y * ac2) / d, (ab.x * ac2 - ac.x * ab2) / d);
    return true;
}

}  // namespace

AcGeCircArc2d::AcGeCircArc2d() : m_endAng(kTwoPi) {}

AcGeCircArc2d::AcGeCircArc2d(const AcGePoint2d& cent, double radius) { set(cent, radius); }

AcGeCircArc2d::AcGeCircArc2d(const AcGePoint2d& cent, double radius, double startAngle, double endAngle,
                             const AcGeVector2d& refVec, Adesk::Boolean isClockWise)
{
    set(cent, radius, startAngle, endAngle, refVec, isClockWise);
}

AcGeCircArc2d::AcGeCircArc2d(const AcGePoint2d& startPoint, const AcGePoint2d& point, const AcGePoint2d& endPoint)
    : m_endAng(kTwoPi)
{
    set(startPoint, point, endPoint);
}

AcGeCircArc2d::AcGeCircArc2d(const AcGePoint2d& startPoint, const AcGePoint2d& endPoint, double bulge,
                             Adesk::Boolean bulgeFlag)
    : m_endAng(kTwoPi)
{
    set(startPoint, endPoint, bulge, bulgeFlag);
}

AcGe::EntityId AcGeCircArc2d::type() const { return AcGe::kCircArc2d; }

AcGeEntity2d* AcGeCircArc2d::copy() const { return new AcGeCircArc2d(*this); }

Adesk::Boolean AcGeCircArc2d::isEqualTo(const AcGeEntity2d& entity, const AcGeTol& tol) const
{
    if (entity.type() != AcGe::kCircArc2d)
        return false;
    const auto& o = static_cast<const AcGeCircArc2d&>(entity);
    return m_center.isEqualTo(o.m_center, tol) && std::fabs(m_radius - o.m_radius) <= tol.equalPoint() &&
           startPoint().isEqualTo(o.startPoint(), tol) && endPoint().isEqualTo(o.endPoint(), tol) &&
           m_clockWise == o.m_clockWise && std::fabs((m_endAng - m_startAng) - (o.m_endAng - o.m_startAng)) <=
                                               tol.equalVector();
}

// The arc's axes go through the matrix; a uniform scale scales the radius
// and a mirroring reverses the turning sense, so the arc's points follow.
AcGeEntity2d& AcGeCircArc2d::transformBy(const AcGeMatrix2d& xfm)
{
    AcGeVector2d x = xfm * directionAt(0.0);
    AcGeVector2d y = xfm * directionAt(kelvora::ge::kPi / 2.0);
    m_center = xfm * m_center;
    double scale = x.length();
    if (scale > 0.0) {
        m_refVec = x / scale;
        m_radius *= scale;
    }
    m_clockWise = cross(x, y) < 0.0;
    return *this;
}

AcGeVector2d AcGeCircArc2d::directionAt(double a) const
{
    AcGeVector2d y = m_clockWise ? -m_refVec.perpVector() : m_refVec.perpVector();
    return m_refVec * std::cos(a) + y * std::sin(a);
}

double AcGeCircArc2d::angleOf(const AcGeVector2d& dir) const
{
    AcGeVector2d y = m_clockWise ? -m_refVec.perpVector() : m_refVec.perpVector();
    double a = std::atan2(dir.dotProduct(y), dir.dotProduct(m_refVec));
    return m_startAng + normalizeAngle(a - m_startAng);
}

// On the arc's angular range, the point tolerance counted along the circle at either end.
bool AcGeCircArc2d::onArcAngle(const AcGePoint2d& pnt, const AcGeTol& tol) const
{
    if (pnt.isEqualTo(startPoint(), tol) || pnt.isEqualTo(endPoint(), tol))
        return true;
    return angleOf(pnt - m_center) <= m_endAng;
}

AcGePoint2d AcGeCircArc2d::pointAtParam(double param) const { return m_center + directionAt(param) * m_radius; }

AcGeVector2d AcGeCircArc2d::derivativeAtParam(double param, int order) const
{
    if (order == 1)
        return directionAt(param + kelvora::ge::kPi / 2.0) * m_radius;
    return directionAt(param) * -m_radius;
}

// A point outside the arc's range takes the nearer end.
double AcGeCircArc2d::closestParamTo(const AcGePoint2d& pnt, const AcGeTol&) const
{
    double t = angleOf(pnt - m_center);
    if (t <= m_endAng)
        return t;
    return pnt.distanceTo(startPoint()) < pnt.distanceTo(endPoint()) ? m_startAng : m_endAng;
}

void AcGeCircArc2d::parameterRange(AcGeInterval& intrvl) const { intrvl.set(m_startAng, m_endAng); }

// Walking the arc backwards turns it the other way: the angles, measured the
// other way from the same reference vector, change sign and swap.
void AcGeCircArc2d::reverseParameter()
{
    double s = m_startAng;
    m_startAng = -m_endAng;
    m_endAng = -s;
    m_clockWise = !m_clockWise;
}

bool AcGeCircArc2d::closedCurve(const AcGeTol& tol) const
{
    return m_endAng - m_startAng >= kTwoPi - tol.equalVector();
}

bool AcGeCircArc2d::periodicCurve(double& period) const
{
    if (!closedCurve(AcGeContext::gTol))
        return false;
    period = kTwoPi;
    return true;
}

double AcGeCircArc2d::lengthBetween(double fromParam, double toParam, double) const
{
    return std::fabs(toParam - fromParam) * m_radius;
}

// Equal angle steps, the fewest whose sagitta r (1 - cos(step / 2)) stays within approxEps.
void AcGeCircArc2d::samplePoints(double fromParam, double toParam, double approxEps, AcGePoint2dArray& pointArray,
                                 AcGeDoubleArray& paramArray) const
{
    double sweep = toParam - fromParam;
    int n = 1;
    if (m_radius > approxEps && approxEps > 0.0) {
        double step = 2.0 * std::acos(1.0 - approxEps / m_radius);
        n = static_cast<int>(std::ceil(std::min(sweep / step, double(kelvora::ge::kMaxSamplePoints))));
    } else if (!(approxEps > 0.0)) {
        n = kelvora::ge::kMaxSamplePoints;
    }
    n = std::max(n, 1);
    for (int i = 0; i <= n; ++i) {
        double t = (i == n) ? toParam : fromParam + sweep * i / n;
        pointArray.append(pointAtParam(t));
        paramArray.append(t);
    }
}

Adesk::Boolean AcGeCircArc2d::intersectWith(const AcGeLinearEnt2d& line, int& intn, AcGePoint2d& p1, AcGePoint2d& p2,
                                            const AcGeTol& tol) const
{
    intn = 0;
    AcGeVector2d d = line.direction();
    if (d.isZeroLength())
        return false;
    AcGePoint2d q = line.pointOnLine();
    AcGePoint2d foot = q + d * (m_center - q).dotProduct(d);
    double h = foot.distanceTo(m_center);
    AcGePoint2d candidates[2];
    int count = 0;
    if (std::fabs(h - m_radius) <= tol.equalPoint()) {
        // Tangent: the touching point, on the circle.
        candidates[count++] = h > 0.0 ? m_center + (foot - m_center) * (m_radius / h) : foot;
    } else if (h < m_radius) {
        double half = std::sqrt(m_radius * m_radius - h * h);
        candidates[count++] = foot - d * half;
        candidates[count++] = foot + d * half;
    }
    AcGePoint2d* out[2] = {&p1, &p2};
    for (int i = 0; i < count; ++i) {
        if (!onArcAngle(candidates[i], tol) || !line.isOn(candidates[i], tol))
            continue;
        *out[intn++] = candidates[i];
    }
    return intn > 0;
}

Adesk::Boolean AcGeCircArc2d::intersectWith(const AcGeCircArc2d& arc, int& intn, AcGePoint2d& p1, AcGePoint2d& p2,
                                            const AcGeTol& tol) const
{
    intn = 0;
    AcGeVector2d between = arc.m_center - m_center;
    double d = between.length();
    double r1 = m_radius, r2 = arc.m_radius;
    if (d <= tol.equalPoint())
        return false;  // concentric: no point, or the same circle
    if (d > r1 + r2 + tol.equalPoint() || d < std::fabs(r1 - r2) - tol.equalPoint())
        return false;
    AcGeVector2d u = between / d;
    AcGePoint2d candidates[2];
    int count = 0;
    if (std::fabs(d - (r1 + r2)) <= tol.equalPoint()) {
        candidates[count++] = m_center + u * r1;  // touching from outside
    } else if (std::fabs(d - std::fabs(r1 - r2)) <= tol.equalPoint()) {
        candidates[count++] = m_center + u * (r1 >= r2 ? r1 : -r1);  // touching from inside
    } else {
        double a = (d * d + r1 * r1 - r2 * r2) / (2.0 * d);
        double h = std::sqrt(std::max(0.0, r1 * r1 - a * a));
        AcGePoint2d mid = m_center + u * a;
        candidates[count++] = mid - u.perpVector() * h;
        candidates[count++] = mid + u.perpVector() * h;
    }
    AcGePoint2d* out[2] = {&p1, &p2};
    for (int i = 0; i < count; ++i) {
        if (!onArcAngle(candidates[i], tol) || !arc.onArcAngle(candidates[i], tol))
            continue;
        *out[intn++] = candidates[i];
    }
    return intn > 0;
}

Adesk::Boolean AcGeCircArc2d::tangent(const AcGePoint2d& pnt, AcGeLine2d& line, const AcGeTol& tol) const
{
    AcGeError error;
    return tangent(pnt, line, tol, error);
}

Adesk::Boolean AcGeCircArc2d::tangent(const AcGePoint2d& pnt, AcGeLine2d& line, const AcGeTol& tol,
                                      AcGeError& error) const
{
    double param;
    if (!isOn(pnt, param, tol)) {
        error = AcGe::kArg1TooBig;
        return false;
    }
    if (!(m_radius > 0.0)) {
        error = AcGe::kDegenerateGeometry;
        return false;
    }
    error = AcGe::kOk;
    line.set(pointAtParam(param), derivativeAtParam(param, 1).normal());
    return true;
}

Adesk::Boolean AcGeCircArc2d::isInside(const AcGePoint2d& pnt, const AcGeTol& tol) const
{
    return pnt.distanceTo(m_center) < m_radius - tol.equalPoint();
}

AcGePoint2d AcGeCircArc2d::center() const { return m_center; }
double AcGeCircArc2d::radius() const { return m_radius; }
double AcGeCircArc2d::startAng() const { return m_startAng; }
double AcGeCircArc2d::endAng() const { return m_endAng; }
Adesk::Boolean AcGeCircArc2d::isClockWise() const { return m_clockWise; }
AcGeVector2d AcGeCircArc2d::refVec() const { return m_refVec; }
AcGePoint2d AcGeCircArc2d::startPoint() const { return pointAtParam(m_startAng); }
AcGePoint2d AcGeCircArc2d::endPoint() const { return pointAtParam(m_endAng); }

AcGeCircArc2d& AcGeCircArc2d::setCenter(const AcGePoint2d& cent)
{
    m_center = cent;
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setRadius(double radius)
{
    m_radius = std::fabs(radius);
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setAngles(double startAng, double endAng)
{
    double sweep = sweepOf(startAng, endAng);
    m_startAng = std::isfinite(startAng) ? startAng : 0.0;
    m_endAng = m_startAng + sweep;
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setToComplement()
{
    double sweep = m_endAng - m_startAng;
    m_startAng = m_endAng;
    m_endAng = m_startAng + (kTwoPi - sweep);
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::setRefVec(const AcGeVector2d& vec)
{
    if (!vec.isZeroLength())
        m_refVec = vec.normal();
    return *this;
}

AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& cent, double radius)
{
    return set(cent, radius, 0.0, kTwoPi, AcGeVector2d::kXAxis, false);
}

AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& cent, double radius, double ang1, double ang2,
                                  const AcGeVector2d& refVec, Adesk::Boolean isClockWise)
{
    m_center = cent;
    m_radius = std::fabs(radius);
    m_refVec = refVec.isZeroLength() ? AcGeVector2d::kXAxis : refVec.normal();
    m_clockWise = isClockWise;
    return setAngles(ang1, ang2);
}

AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& startPoint, const AcGePoint2d& pnt, const AcGePoint2d& endPoint)
{
    AcGeError error;
    return set(startPoint, pnt, endPoint, error);
}

// Collinear or coincident points leave the arc unchanged (error set).
AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& startPoint, const AcGePoint2d& pnt, const AcGePoint2d& endPoint,
                                  AcGeError& error)
{
    AcGePoint2d c;
    if (!circumcenter(startPoint, pnt, endPoint, AcGeContext::gTol, c)) {
        error = AcGe::kLinearlyDependentArg1Arg2Arg3;
        return *this;
    }
    error = AcGe::kOk;
    m_center = c;
    m_radius = c.distanceTo(startPoint);
    m_refVec = AcGeVector2d::kXAxis;
    m_clockWise = cross(pnt - startPoint, endPoint - pnt) < 0.0;
    m_startAng = 0.0;
    m_startAng = normalizeAngle(angleOf(startPoint - c));
    m_endAng = angleOf(endPoint - c);
    if (!(m_endAng > m_startAng))
        m_endAng += kTwoPi;
    return *this;
}

// The arc starts at startPoint: refVec points from the centre to it and the
// angles run from 0 to the sweep, in the arc's own turning sense.
AcGeCircArc2d& AcGeCircArc2d::set(const AcGePoint2d& startPoint, const AcGePoint2d& endPoint, double bulge,
                                  Adesk::Boolean bulgeFlag)
{
    double halfChord = 0.5 * startPoint.distanceTo(endPoint);
    if (halfChord <= AcGeContext::gTol.equalPoint() || !std::isfinite(bulge) || kelvora::exactlyEqual(bulge, 0.0))
        return *this;
    double b = bulgeFlag ? bulge / halfChord : bulge;  // tan(sweep / 4)
    AcGeVector2d chord = endPoint - startPoint;
    AcGeVector2d left = chord.perpVector() / (2.0 * halfChord);
    AcGePoint2d mid = startPoint + chord * 0.5;
    m_center = mid + left * (halfChord * (1.0 - b * b) / (2.0 * b));
    m_radius = halfChord * (1.0 + b * b) / (2.0 * std::fabs(b));
    m_refVec = (startPoint - m_center).normal();
    m_clockWise = b < 0.0;
    m_startAng = 0.0;
    m_endAng = 4.0 * std::atan(std::fabs(b));
    return *this;
}
