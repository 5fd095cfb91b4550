// AcGeNurbCurve2d: a 2D B-spline evaluated through the 3D one in the plane z = 0.
#include "genurb2d.h"

#include <algorithm>
#include <cmath>

#include "ge_math.h"
#include "geell2d.h"
#include "gelnsg2d.h"

namespace {

AcGePoint3d lift(const AcGePoint2d& p) { return AcGePoint3d(p.x, p.y, 0.0); }
AcGePoint2d flat(const AcGePoint3d& p) { return AcGePoint2d(p.x, p.y); }
AcGeVector2d flat(const AcGeVector3d& v) { return AcGeVector2d(v.x, v.y); }

AcGePoint3dArray lift(const AcGePoint2dArray& points)
{
    AcGePoint3dArray out;
    out.setPhysicalLength(points.length());
    for (int i = 0; i < points.length(); ++i)
        out.append(lift(points[i]));
    return out;
}

}  // namespace

AcGeNurbCurve2d::AcGeNurbCurve2d() = default;

AcGeNurbCurve2d::AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& cntrlPnts,
                                 Adesk::Boolean isPeriodic)
    : m_curve(degree, knots, lift(cntrlPnts), isPeriodic)
{
}

AcGeNurbCurve2d::AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& cntrlPnts,
                                 const AcGeDoubleArray& weights, Adesk::Boolean isPeriodic)
    : m_curve(degree, knots, lift(cntrlPnts), weights, isPeriodic)
{
}

AcGeNurbCurve2d::AcGeNurbCurve2d(const AcGeLineSeg2d& linSeg)
    : m_curve(AcGeLineSeg3d(lift(linSeg.startPoint()), lift(linSeg.endPoint())))
{
}

// Each piece of half-sweep h is a rational quadratic Bezier: its ends on the
// ellipse, its middle point where the tangents at the ends meet (the ellipse
// point at the middle angle pushed out by 1 / cos h), with weight cos h.
AcGeNurbCurve2d::AcGeNurbCurve2d(const AcGeEllipArc2d& ellipse)
{
    const double start = ellipse.startAng(), sweep = ellipse.endAng() - ellipse.startAng();
    const int pieces = std::clamp(static_cast<int>(std::ceil(sweep / (kelvora::ge::kPi / 2.0))), 1, 4);
    const double h = 0.5 * sweep / pieces;
    const AcGePoint2d c = ellipse.center();
    AcGePoint2dArray points;
    AcGeDoubleArray weights, knots;
    for (int k = 0; k < 3; ++k)
        knots.append(start);
    for (int i = 0; i < pieces; ++i) {
        double t = start + sweep * i / pieces;
        AcGeVector2d middle = ellipse.evalPoint(t + h) - c;
        if (i > 0) {
            knots.append(t);  // twice: the pieces meet with only tangent continuity
            knots.append(t);
        }
        points.append(ellipse.evalPoint(t));
        weights.append(1.0);
        points.append(c + middle / std::cos(h));
        weights.append(std::cos(h));
    }
    points.append(ellipse.endPoint());
    weights.append(1.0);
    for (int k = 0; k < 3; ++k)
        knots.append(ellipse.endAng());
    m_curve.set(2, AcGeKnotVector(knots), lift(points), weights, Adesk::kFalse);
}

AcGe::EntityId AcGeNurbCurve2d::type() const { return AcGe::kNurbCurve2d; }

AcGeEntity2d* AcGeNurbCurve2d::copy() const { return new AcGeNurbCurve2d(*this); }

Adesk::Boolean AcGeNurbCurve2d::isEqualTo(const AcGeEntity2d& entity, const AcGeTol& tol) const
{
    if (entity.type() != AcGe::kNurbCurve2d)
        return false;
    return m_curve.isEqualTo(static_cast<const AcGeNurbCurve2d&>(entity).m_curve, tol);
}

AcGeEntity2d& AcGeNurbCurve2d::transformBy(const AcGeMatrix2d& xfm)
{
    for (int i = 0; i < m_curve.numControlPoints(); ++i)
        m_curve.setControlPointAt(i, lift(xfm * flat(m_curve.controlPointAt(i))));
    return *this;
}

Adesk::Boolean AcGeNurbCurve2d::isRational() const { return m_curve.isRational(); }
int AcGeNurbCurve2d::degree() const { return m_curve.degree(); }
int AcGeNurbCurve2d::numKnots() const { return m_curve.numKnots(); }
const AcGeKnotVector& AcGeNurbCurve2d::knots() const { return m_curve.knots(); }
int AcGeNurbCurve2d::numControlPoints() const { return m_curve.numControlPoints(); }
double AcGeNurbCurve2d::knotAt(int index) const { return m_curve.knotAt(index); }

AcGeNurbCurve2d& AcGeNurbCurve2d::setKnotAt(int index, double val)
{
    m_curve.setKnotAt(index, val);
    return *this;
}

AcGePoint2d AcGeNurbCurve2d::controlPointAt(int index) const { return flat(m_curve.controlPointAt(index)); }

AcGeNurbCurve2d& AcGeNurbCurve2d::setControlPointAt(int index, const AcGePoint2d& pnt)
{
    m_curve.setControlPointAt(index, lift(pnt));
    return *this;
}

double AcGeNurbCurve2d::weightAt(int index) const { return m_curve.weightAt(index); }

AcGeNurbCurve2d& AcGeNurbCurve2d::setWeightAt(int index, double weight)
{
    m_curve.setWeightAt(index, weight);
    return *this;
}

void AcGeNurbCurve2d::getDefinitionData(int& degree, Adesk::Boolean& rational, Adesk::Boolean& periodic,
                                        AcGeKnotVector& knots, AcGePoint2dArray& controlPoints,
                                        AcGeDoubleArray& weights) const
{
    AcGePoint3dArray points;
    m_curve.getDefinitionData(degree, rational, periodic, knots, points, weights);
    controlPoints.setLogicalLength(0);
    for (int i = 0; i < points.length(); ++i)
        controlPoints.append(flat(points[i]));
}

int AcGeNurbCurve2d::numWeights() const { return m_curve.numWeights(); }

AcGeNurbCurve2d& AcGeNurbCurve2d::makeRational(double weight)
{
    m_curve.makeRational(weight);
    return *this;
}

AcGeNurbCurve2d& AcGeNurbCurve2d::set(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& cntrlPnts,
                                      const AcGeDoubleArray& weights, Adesk::Boolean isPeriodic)
{
    m_curve.set(degree, knots, lift(cntrlPnts), weights, isPeriodic);
    return *this;
}

AcGePoint2d AcGeNurbCurve2d::pointAtParam(double param) const { return flat(m_curve.evalPoint(param)); }

AcGeVector2d AcGeNurbCurve2d::derivativeAtParam(double param, int order) const
{
    AcGeVector3dArray derivs;
    order = std::clamp(order, 1, 2);
    m_curve.evalPoint(param, order, derivs);
    return derivs.length() >= order ? flat(derivs[order - 1]) : AcGeVector2d();
}

double AcGeNurbCurve2d::closestParamTo(const AcGePoint2d& pnt, const AcGeTol& tol) const
{
    return m_curve.paramOf(lift(pnt), tol);
}

void AcGeNurbCurve2d::parameterRange(AcGeInterval& intrvl) const { m_curve.getInterval(intrvl); }

void AcGeNurbCurve2d::reverseParameter() { m_curve.reverseParam(); }

bool AcGeNurbCurve2d::closedCurve(const AcGeTol& tol) const { return m_curve.isClosed(tol); }

bool AcGeNurbCurve2d::periodicCurve(double& period) const { return m_curve.isPeriodic(period); }

double AcGeNurbCurve2d::lengthBetween(double fromParam, double toParam, double tol) const
{
    return m_curve.length(fromParam, toParam, tol);
}

void AcGeNurbCurve2d::samplePoints(double fromParam, double toParam, double approxEps, AcGePoint2dArray& pointArray,
                                   AcGeDoubleArray& paramArray) const
{
    AcGePoint3dArray points;
    AcGeDoubleArray params;
    m_curve.getSamplePoints(fromParam, toParam, approxEps, points, params);
    for (int i = 0; i < points.length(); ++i) {
        pointArray.append(flat(points[i]));
        paramArray.append(params[i]);
    }
}
