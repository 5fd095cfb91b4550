// AcGeCircArc3d: 3D circles and arcs, their parameters, intersections and planes.
#include "gearc3d.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ge_math.h"
#include "gelent3d.h"

namespace {

using kelvora::ge::kPi;
using kelvora::ge::kTwoPi;
using kelvora::ge::normalizeAngle;

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

// Longer than the vector tolerance, and made of numbers.
bool usableDirection(const AcGeVector3d& v) { return v.length() > AcGeContext::gTol.equalVector(); }

// The solutions a in [0, 2pi) of A cos a + B sin a = C, with a tangency (one
// solution) when |C| is within tol of sqrt(A^2 + B^2).
std::vector<double> solveTrig(double A, double B, double C, double tol)
{
    std::vector<double> roots;
    double R = std::hypot(A, B);
    if (!(R > 0.0))
        return roots;
    double phi = std::atan2(B, A);
    if (std::fabs(std::fabs(C) - R) <= tol) {
        roots.push_back(normalizeAngle(C > 0.0 ? phi : phi + kPi));
    } else if (std::fabs(C) < R) {
        double delta = std::acos(C / R);
        roots.push_back(normalizeAngle(phi - delta));
        roots.push_back(normalizeAngle(phi + delta));
    }
    return roots;
}

}  // namespace

AcGeCircArc3d::AcGeCircArc3d() : m_endAng(kTwoPi) {}

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius)
{
    set(cent, nrm, radius);
}

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec,
                             double radius, double startAngle, double endAngle)
{
    set(cent, nrm, refVec, radius, startAngle, endAngle);
}

AcGeCircArc3d::AcGeCircArc3d(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint)
    : m_endAng(kTwoPi)
{
    set(startPoint, pnt, endPoint);
}

AcGe::EntityId AcGeCircArc3d::type() const { return AcGe::kCircArc3d; }

AcGeEntity3d* AcGeCircArc3d::copy() const { return new AcGeCircArc3d(*this); }

Adesk::Boolean AcGeCircArc3d::isEqualTo(const AcGeEntity3d& entity, const AcGeTol& tol) const
{
    if (entity.type() != AcGe::kCircArc3d)
        return false;
    const auto& o = static_cast<const AcGeCircArc3d&>(entity);
    return m_center.isEqualTo(o.m_center, tol) && std::fabs(m_radius - o.m_radius) <= tol.equalPoint() &&
           m_normal.isEqualTo(o.m_normal, tol) && startPoint().isEqualTo(o.startPoint(), tol) &&
           endPoint().isEqualTo(o.endPoint(), tol) &&
           std::fabs((m_endAng - m_startAng) - (o.m_endAng - o.m_startAng)) <= tol.equalVector();
}

AcGeEntity3d& AcGeCircArc3d::transformBy(const AcGeMatrix3d& xfm)
{
    AcGeVector3d x = xfm * m_refVec;
    AcGeVector3d y = xfm * yAxis();
    AcGeVector3d n = x.crossProduct(y);
    m_center = xfm * m_center;
    double scale = x.length();
    if (scale > 0.0 && !n.isZeroLength()) {
        m_radius *= scale;
        m_refVec = x / scale;
        m_normal = n.normal();
    }
    return *this;
}

AcGeVector3d AcGeCircArc3d::yAxis() const { return m_normal.crossProduct(m_refVec); }

AcGeVector3d AcGeCircArc3d::directionAt(double a) const
{
    return m_refVec * std::cos(a) + yAxis() * std::sin(a);
}

double AcGeCircArc3d::angleOf(const AcGeVector3d& dir) const
{
    double a = std::atan2(dir.dotProduct(yAxis()), dir.dotProduct(m_refVec));
    return m_startAng + normalizeAngle(a - m_startAng);
}

bool AcGeCircArc3d::onArcAngle(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    if (pnt.isEqualTo(startPoint(), tol) || pnt.isEqualTo(endPoint(), tol))
        return true;
    return angleOf(pnt - m_center) <= m_endAng;
}

AcGePoint3d AcGeCircArc3d::pointAtParam(double param) const { return m_center + directionAt(param) * m_radius; }

AcGeVector3d AcGeCircArc3d::derivativeAtParam(double param, int order) const
{
    if (order == 1)
        return directionAt(param + kPi / 2.0) * m_radius;
    return directionAt(param) * -m_radius;
}

// The point's projection on the plane gives the angle; outside the range the nearer end.
double AcGeCircArc3d::closestParamTo(const AcGePoint3d& pnt, const AcGeTol&) const
{
    double t = angleOf(pnt - m_center);
    if (t <= m_endAng)
        return t;
    return pnt.distanceTo(startPoint()) < pnt.distanceTo(endPoint()) ? m_startAng : m_endAng;
}

void AcGeCircArc3d::parameterRange(AcGeInterval& intrvl) const { intrvl.set(m_startAng, m_endAng); }

// Walking backwards is turning about the opposite normal: the angles from the
// same reference vector change sign and swap.
void AcGeCircArc3d::reverseParameter()
{
    double s = m_startAng;
    m_startAng = -m_endAng;
    m_endAng = -s;
    m_normal.negate();
}

bool AcGeCircArc3d::closedCurve(const AcGeTol& tol) const
{
    return m_endAng - m_startAng >= kTwoPi - tol.equalVector();
}

bool AcGeCircArc3d::periodicCurve(double& period) const
{
    if (!closedCurve(AcGeContext::gTol))
        return false;
    period = kTwoPi;
    return true;
}

bool AcGeCircArc3d::planarCurve(AcGePlane& plane, const AcGeTol&) const
{
    getPlane(plane);
    return true;
}

double AcGeCircArc3d::lengthBetween(double fromParam, double toParam, double) const
{
    return std::fabs(toParam - fromParam) * m_radius;
}

// Equal angle steps, the fewest whose sagitta r (1 - cos(step / 2)) stays within approxEps.
void AcGeCircArc3d::samplePoints(double fromParam, double toParam, double approxEps, AcGePoint3dArray& pointArray,
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

AcGePoint3d AcGeCircArc3d::closestPointToPlane(const AcGePlanarEnt& plane, AcGePoint3d& pointOnPlane,
                                               const AcGeTol& tol) const
{
    // Signed distance along the arc: C + A cos a + B sin a.
    AcGeVector3d n = plane.normal();
    double A = m_radius * m_refVec.dotProduct(n), B = m_radius * yAxis().dotProduct(n);
    double C = (m_center - plane.pointOnPlane()).dotProduct(n);
    std::vector<double> candidates = {m_startAng, m_endAng};
    double phi = std::atan2(B, A);
    for (double a : {phi, phi + kPi})
        candidates.push_back(m_startAng + normalizeAngle(a - m_startAng));
    for (double a : solveTrig(A, B, -C, tol.equalPoint()))
        candidates.push_back(m_startAng + normalizeAngle(a - m_startAng));
    double best = m_startAng, bestDist = -1.0;
    for (double a : candidates) {
        if (a > m_endAng)
            continue;
        double d = std::fabs(C + A * std::cos(a) + B * std::sin(a));
        if (bestDist < 0.0 || d < bestDist) {
            bestDist = d;
            best = a;
        }
    }
    AcGePoint3d p = pointAtParam(best);
    pointOnPlane = plane.closestPointTo(p, tol);
    return p;
}

Adesk::Boolean AcGeCircArc3d::intersectWith(const AcGeLinearEnt3d& line, int& intn, AcGePoint3d& p1, AcGePoint3d& p2,
                                            const AcGeTol& tol) const
{
    intn = 0;
    AcGeVector3d d = line.direction();
    if (d.isZeroLength())
        return false;
    AcGePoint3d q = line.pointOnLine();
    AcGePoint3d candidates[2];
    int count = 0;
    double heightOfLine = (q - m_center).dotProduct(m_normal);
    if (std::fabs(d.dotProduct(m_normal)) <= tol.equalVector()) {
        // Parallel to the arc's plane: only a line in the plane meets the circle.
        if (std::fabs(heightOfLine) > tol.equalPoint())
            return false;
        AcGePoint3d foot = q + d * (m_center - q).dotProduct(d);
        AcGeVector3d toFoot = foot - m_center;
        toFoot -= m_normal * toFoot.dotProduct(m_normal);
        double h = toFoot.length();
        if (std::fabs(h - m_radius) <= tol.equalPoint()) {
            candidates[count++] = h > 0.0 ? m_center + toFoot * (m_radius / h) : foot;
        } else if (h < m_radius) {
            double half = std::sqrt(m_radius * m_radius - h * h);
            candidates[count++] = foot - d * half;
            candidates[count++] = foot + d * half;
        }
    } else {
        // Crossing the plane: the crossing point must lie on the circle.
        AcGePoint3d x = q - d * (heightOfLine / d.dotProduct(m_normal));
        if (std::fabs(x.distanceTo(m_center) - m_radius) <= tol.equalPoint())
            candidates[count++] = x;
    }
    AcGePoint3d* out[2] = {&p1, &p2};
    for (int i = 0; i < count; ++i) {
        if (!onArcAngle(candidates[i], tol) || !line.isOn(candidates[i], tol))
            continue;
        *out[intn++] = candidates[i];
    }
    return intn > 0;
}

Adesk::Boolean AcGeCircArc3d::intersectWith(const AcGeCircArc3d& arc, int& intn, AcGePoint3d& p1, AcGePoint3d& p2,
                                            const AcGeTol& tol) const
{
    intn = 0;
    AcGePoint3d candidates[2];
    int count = 0;
    double offPlane = (arc.m_center - m_center).dotProduct(m_normal);
    if (m_normal.isParallelTo(arc.m_normal, tol)) {
        if (std::fabs(offPlane) > tol.equalPoint())
            return false;  // parallel planes
        AcGeVector3d between = arc.m_center - m_center;
        double d = between.length();
        double r1 = m_radius, r2 = arc.m_radius;
        if (d <= tol.equalPoint())
            return false;  // concentric: no point, or the same circle
        if (d > r1 + r2 + tol.equalPoint() || d < std::fabs(r1 - r2) - tol.equalPoint())
            return false;
        AcGeVector3d u = between / d;
        AcGeVector3d v = m_normal.crossProduct(u);
        if (std::fabs(d - (r1 + r2)) <= tol.equalPoint()) {
            candidates[count++] = m_center + u * r1;
        } else if (std::fabs(d - std::fabs(r1 - r2)) <= tol.equalPoint()) {
            candidates[count++] = m_center + u * (r1 >= r2 ? r1 : -r1);
        } else {
            double a = (d * d + r1 * r1 - r2 * r2) / (2.0 * d);
            double h = std::sqrt(std::max(0.0, r1 * r1 - a * a));
            AcGePoint3d mid = m_center + u * a;
            candidates[count++] = mid - v * h;
            candidates[count++] = mid + v * h;
        }
    } else {
        // Planes cross: this circle's points on the other plane, then on the other circle.
        AcGePlane other;
        arc.getPlane(other);
        AcGeCircArc3d circle(m_center, m_normal, m_refVec, m_radius, 0.0, kTwoPi);
        int n = 0;
        AcGePoint3d a, b;
        circle.intersectWith(other, n, a, b, tol);
        const AcGePoint3d found[2] = {a, b};
        for (int i = 0; i < n; ++i)
            if (std::fabs(found[i].distanceTo(arc.m_center) - arc.m_radius) <= tol.equalPoint())
                candidates[count++] = found[i];
    }
    AcGePoint3d* out[2] = {&p1, &p2};
    for (int i = 0; i < count; ++i) {
        if (!onArcAngle(candidates[i], tol) || !arc.onArcAngle(candidates[i], tol))
            continue;
        *out[intn++] = candidates[i];
    }
    return intn > 0;
}

Adesk::Boolean AcGeCircArc3d::intersectWith(const AcGePlanarEnt& plane, int& numOfIntersect, AcGePoint3d& p1,
                                            AcGePoint3d& p2, const AcGeTol& tol) const
{
    numOfIntersect = 0;
    AcGeVector3d n = plane.normal();
    double A = m_radius * m_refVec.dotProduct(n), B = m_radius * yAxis().dotProduct(n);
    double C = (m_center - plane.pointOnPlane()).dotProduct(n);
    if (std::hypot(A, B) <= tol.equalPoint())
        return false;  // the arc's plane is parallel to the plane (or lies in it)
    AcGePoint3d* out[2] = {&p1, &p2};
    for (double a : solveTrig(A, B, -C, tol.equalPoint())) {
        double t = m_startAng + normalizeAngle(a - m_startAng);
        AcGePoint3d p = pointAtParam(t);
        if (t <= m_endAng || onArcAngle(p, tol))
            *out[numOfIntersect++] = p;
    }
    return numOfIntersect > 0;
}

Adesk::Boolean AcGeCircArc3d::tangent(const AcGePoint3d& pnt, AcGeLine3d& line, const AcGeTol& tol) const
{
    AcGeError error;
    return tangent(pnt, line, tol, error);
}

Adesk::Boolean AcGeCircArc3d::tangent(const AcGePoint3d& pnt, AcGeLine3d& line, const AcGeTol& tol,
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

void AcGeCircArc3d::getPlane(AcGePlane& plane) const { plane.set(m_center, m_normal); }

Adesk::Boolean AcGeCircArc3d::isInside(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    AcGeVector3d w = pnt - m_center;
    w -= m_normal * w.dotProduct(m_normal);
    return w.length() < m_radius - tol.equalPoint();
}

AcGePoint3d AcGeCircArc3d::center() const { return m_center; }
AcGeVector3d AcGeCircArc3d::normal() const { return m_normal; }
AcGeVector3d AcGeCircArc3d::refVec() const { return m_refVec; }
double AcGeCircArc3d::radius() const { return m_radius; }
double AcGeCircArc3d::startAng() const { return m_startAng; }
double AcGeCircArc3d::endAng() const { return m_endAng; }
AcGePoint3d AcGeCircArc3d::startPoint() const { return pointAtParam(m_startAng); }
AcGePoint3d AcGeCircArc3d::endPoint() const { return pointAtParam(m_endAng); }

AcGeCircArc3d& AcGeCircArc3d::setCenter(const AcGePoint3d& cent)
{
    m_center = cent;
    return *this;
}

// A zero (or not-a-number) normal is taken as +Z; refVec is made perpendicular to the normal,
// and when it has nothing left (zero, or along the normal) the normal's perpVector is used.
AcGeCircArc3d& AcGeCircArc3d::setAxes(const AcGeVector3d& normal, const AcGeVector3d& refVec)
{
    m_normal = usableDirection(normal) ? normal.normal() : AcGeVector3d::kZAxis;
    AcGeVector3d r = refVec - m_normal * refVec.dotProduct(m_normal);
    m_refVec = usableDirection(r) ? r.normal() : m_normal.perpVector();
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setRadius(double radius)
{
    m_radius = std::fabs(radius);
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::setAngles(double startAngle, double endAngle)
{
    double sweep = sweepOf(startAngle, endAngle);
    m_startAng = std::isfinite(startAngle) ? startAngle : 0.0;
    m_endAng = m_startAng + sweep;
    return *this;
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius)
{
    AcGeVector3d n = usableDirection(nrm) ? nrm : AcGeVector3d::kZAxis;
    return set(cent, n, n.perpVector(), radius, 0.0, kTwoPi);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec,
                                  double radius, double startAngle, double endAngle)
{
    m_center = cent;
    setAxes(nrm, refVec);
    setRadius(radius);
    return setAngles(startAngle, endAngle);
}

AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint)
{
    AcGeError error;
    return set(startPoint, pnt, endPoint, error);
}

// The normal makes the arc run counter-clockwise from startPoint through pnt;
// refVec is that normal's OCS X axis, so the angles are the OCS angles an
// ARC entity would store. Collinear or coincident points leave the arc unchanged.
AcGeCircArc3d& AcGeCircArc3d::set(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint,
                                  AcGeError& error)
{
    const AcGeTol& tol = AcGeContext::gTol;
    AcGeVector3d ab = pnt - startPoint, bc = endPoint - pnt, ac = endPoint - startPoint;
    AcGeVector3d n = ab.crossProduct(bc);
    double longest = std::max({ab.length(), bc.length(), ac.length()});
    if (startPoint.isEqualTo(pnt, tol) || pnt.isEqualTo(endPoint, tol) || startPoint.isEqualTo(endPoint, tol) ||
        n.length() / longest <= tol.equalPoint()) {
        error = AcGe::kLinearlyDependentArg1Arg2Arg3;
        return *this;
    }
    error = AcGe::kOk;
    // Circumcentre of the triangle (startPoint, pnt, endPoint).
    AcGeVector3d u = ab, v = ac;
    AcGeVector3d w = u.crossProduct(v);
    AcGeVector3d offset = (v * u.lengthSqrd() - u * v.lengthSqrd()).crossProduct(w) / (2.0 * w.lengthSqrd());
    m_center = startPoint + offset;
    m_radius = m_center.distanceTo(startPoint);
    setAxes(n, n.normal().perpVector());
    m_startAng = 0.0;
    m_startAng = normalizeAngle(angleOf(startPoint - m_center));
    m_endAng = angleOf(endPoint - m_center);
    if (!(m_endAng > m_startAng))
        m_endAng += kTwoPi;
    return *this;
}
