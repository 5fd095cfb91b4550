// AcGeCurve3d: the public curve queries, built on the few evaluations each curve kind provides.
#include "gecurv3d.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "curve_algorithms.h"
#include "geline3d.h"
#include "geplane.h"
#include "plane_fit.h"

namespace {

using kelvora::ge::adaptiveIntegral;
using kelvora::ge::adaptiveSample;

// Points a bounded curve is probed at when only evaluation tells its shape
// (planarity and straightness of curves without a closed form).
constexpr int kShapeProbes = 64;

bool boundedRange(const AcGeCurve3d& curve, double& lo, double& hi)
{
    AcGeInterval range;
    curve.getInterval(range);
    if (!range.isBounded())
        return false;
    range.getBounds(lo, hi);
    return true;
}

}  // namespace

void AcGeCurve3d::getInterval(AcGeInterval& intrvl) const { parameterRange(intrvl); }

void AcGeCurve3d::getInterval(AcGeInterval& intrvl, AcGePoint3d& start, AcGePoint3d& end) const
{
    parameterRange(intrvl);
    if (intrvl.isBoundedBelow())
        start = pointAtParam(intrvl.lowerBound());
    if (intrvl.isBoundedAbove())
        end = pointAtParam(intrvl.upperBound());
}

AcGeCurve3d& AcGeCurve3d::reverseParam()
{
    reverseParameter();
    return *this;
}

double AcGeCurve3d::distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return closestPointTo(pnt, tol).distanceTo(pnt);
}

AcGePoint3d AcGeCurve3d::closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return pointAtParam(closestParamTo(pnt, tol));
}

Adesk::Boolean AcGeCurve3d::isOn(const AcGePoint3d& pnt, double& param, const AcGeTol& tol) const
{
    double t = closestParamTo(pnt, tol);
    if (pointAtParam(t).distanceTo(pnt) > tol.equalPoint())
        return false;
    param = t;
    return true;
}

Adesk::Boolean AcGeCurve3d::isOn(double param, const AcGeTol& tol) const
{
    AcGeInterval range;
    parameterRange(range);
    range.setTolerance(tol.equalPoint());
    return range.contains(param);
}

double AcGeCurve3d::paramOf(const AcGePoint3d& pnt, const AcGeTol& tol) const { return closestParamTo(pnt, tol); }

Adesk::Boolean AcGeCurve3d::isClosed(const AcGeTol& tol) const { return closedCurve(tol); }

Adesk::Boolean AcGeCurve3d::isPlanar(AcGePlane& plane, const AcGeTol& tol) const { return planarCurve(plane, tol); }

Adesk::Boolean AcGeCurve3d::isLinear(AcGeLine3d& line, const AcGeTol& tol) const
{
    if (isKindOf(AcGe::kLinearEnt3d)) {
        line.set(pointAtParam(0.0), pointAtParam(1.0));
        return true;
    }
    double lo, hi;
    if (!boundedRange(*this, lo, hi))
        return false;
    AcGePoint3d a = pointAtParam(lo), b = pointAtParam(hi);
    if (a.isEqualTo(b, tol))
        return false;
    AcGeLine3d candidate(a, b);
    for (int i = 1; i < kShapeProbes; ++i) {
        AcGePoint3d p = pointAtParam(lo + (hi - lo) * i / kShapeProbes);
        if (candidate.distanceTo(p, tol) > tol.equalPoint())
            return false;
    }
    line = candidate;
    return true;
}

Adesk::Boolean AcGeCurve3d::isCoplanarWith(const AcGeCurve3d& curve3d, AcGePlane& plane, const AcGeTol& tol) const
{
    AcGePoint3dArray points;
    for (const AcGeCurve3d* c : {this, &curve3d}) {
        double lo, hi;
        if (!boundedRange(*c, lo, hi))
            return false;
        for (int i = 0; i <= kShapeProbes; ++i)
            points.append(c->pointAtParam(lo + (hi - lo) * i / kShapeProbes));
    }
    AcGePoint3d origin;
    AcGeVector3d normal;
    if (!kelvora::ge::planeThroughPoints(points, tol, origin, normal))
        return false;
    plane.set(origin, normal);
    return true;
}

Adesk::Boolean AcGeCurve3d::isPeriodic(double& period) const { return periodicCurve(period); }

double AcGeCurve3d::length(double fromParam, double toParam, double tol) const
{
    return lengthBetween(std::min(fromParam, toParam), std::max(fromParam, toParam), tol);
}

// Bisection on the length from datumParam, bracketed by the curve's bounds
// (or by doubling steps on an unbounded side).
double AcGeCurve3d::paramAtLength(double datumParam, double length, Adesk::Boolean posParamDir, double tol) const
{
    if (!(length > 0.0))
        return datumParam;
    AcGeInterval range;
    parameterRange(range);
    double sign = posParamDir ? 1.0 : -1.0;
    bool bounded = posParamDir ? range.isBoundedAbove() : range.isBoundedBelow();
    double far = bounded ? (posParamDir ? range.upperBound() : range.lowerBound()) : datumParam + sign;
    auto lengthTo = [&](double t) { return lengthBetween(std::min(datumParam, t), std::max(datumParam, t), tol); };
    if (!bounded) {
        const int kMaxDoublings = 200;
        for (int i = 0; i < kMaxDoublings && lengthTo(far) < length; ++i)
            far = datumParam + 2.0 * (far - datumParam);
    }
    if (lengthTo(far) <= length)
        return far;
    double a = datumParam, b = far;
    const int kBisections = 100;
    for (int i = 0; i < kBisections; ++i) {
        double m = 0.5 * (a + b);
        if (lengthTo(m) < length)
            a = m;
        else
            b = m;
        if (std::fabs(b - a) <= std::numeric_limits<double>::epsilon() * (std::fabs(a) + std::fabs(b)))
            break;
    }
    return 0.5 * (a + b);
}

Adesk::Boolean AcGeCurve3d::hasStartPoint(AcGePoint3d& startPnt) const
{
    AcGeInterval range;
    parameterRange(range);
    if (!range.isBoundedBelow())
        return false;
    startPnt = pointAtParam(range.lowerBound());
    return true;
}

Adesk::Boolean AcGeCurve3d::hasEndPoint(AcGePoint3d& endPnt) const
{
    AcGeInterval range;
    parameterRange(range);
    if (!range.isBoundedAbove())
        return false;
    endPnt = pointAtParam(range.upperBound());
    return true;
}

AcGePoint3d AcGeCurve3d::evalPoint(double param) const { return pointAtParam(param); }

AcGePoint3d AcGeCurve3d::evalPoint(double param, int numDeriv, AcGeVector3dArray& derivArray) const
{
    derivArray.setLogicalLength(0);
    for (int k = 1; k <= std::min(numDeriv, 2); ++k)
        derivArray.append(derivativeAtParam(param, k));
    return pointAtParam(param);
}

void AcGeCurve3d::getSamplePoints(double fromParam, double toParam, double approxEps, AcGePoint3dArray& pointArray,
                                  AcGeDoubleArray& paramArray) const
{
    pointArray.setLogicalLength(0);
    paramArray.setLogicalLength(0);
    if (!std::isfinite(fromParam) || !std::isfinite(toParam))
        return;
    if (toParam < fromParam)
        std::swap(fromParam, toParam);
    samplePoints(fromParam, toParam, approxEps, pointArray, paramArray);
}

void AcGeCurve3d::getSamplePoints(int numSample, AcGePoint3dArray& pointArray) const
{
    pointArray.setLogicalLength(0);
    double lo, hi;
    if (numSample <= 0 || !boundedRange(*this, lo, hi))
        return;
    if (numSample == 1) {
        pointArray.append(pointAtParam(lo));
        return;
    }
    for (int i = 0; i < numSample; ++i)
        pointArray.append(pointAtParam(lo + (hi - lo) * i / (numSample - 1)));
}

bool AcGeCurve3d::closedCurve(const AcGeTol& tol) const
{
    double lo, hi;
    if (!boundedRange(*this, lo, hi))
        return false;
    return pointAtParam(lo).isEqualTo(pointAtParam(hi), tol);
}

bool AcGeCurve3d::periodicCurve(double&) const { return false; }

bool AcGeCurve3d::planarCurve(AcGePlane& plane, const AcGeTol& tol) const
{
    double lo, hi;
    if (!boundedRange(*this, lo, hi))
        return false;
    AcGePoint3dArray points;
    for (int i = 0; i <= kShapeProbes; ++i)
        points.append(pointAtParam(lo + (hi - lo) * i / kShapeProbes));
    AcGePoint3d origin;
    AcGeVector3d normal;
    if (!kelvora::ge::planeThroughPoints(points, tol, origin, normal))
        return false;
    plane.set(origin, normal);
    return true;
}

double AcGeCurve3d::lengthBetween(double fromParam, double toParam, double tol) const
{
    auto speed = [this](double t) { return derivativeAtParam(t, 1).length(); };
    return adaptiveIntegral(speed, fromParam, toParam, std::max(tol, 0.0));
}

void AcGeCurve3d::samplePoints(double fromParam, double toParam, double approxEps, AcGePoint3dArray& pointArray,
                               AcGeDoubleArray& paramArray) const
{
    const int kInitialSplits = 8;
    auto eval = [this](double t) { return pointAtParam(t); };
    adaptiveSample<AcGePoint3d>(eval, kelvora::ge::evenBreaks(fromParam, toParam, kInitialSplits), approxEps,
                                pointArray, paramArray);
}

bool AcGeCurve3d::containsPoint(const AcGePoint3d& pnt, const AcGeTol& tol) const
{
    return closestPointTo(pnt, tol).distanceTo(pnt) <= tol.equalPoint();
}
