// Global nearest point of a NURBS curve: chords of a sampling bound where the nearest point can be,
// and a safeguarded Newton iteration finds it on each chord's stretch of the curve.
#include "spline_nearest.h"

#include <algorithm>
#include <cmath>

#include "gevc3dar.h"

namespace kelvora {

namespace {

// The sampling's chords stay within this fraction of the control polygon's size from the curve:
// fine enough that a chord's stretch of curve bends at most once towards the point, coarse enough
// that the sampling costs a few dozen points an arch.
constexpr double kSeedDeviationRatio = 1e-3;
// A chord's stretch may hold the nearest point when the chord comes this many sampling deviations
// closer than the best sample: the adaptive sampling checks its deviation on probes only.
constexpr double kDeviationSlack = 2.0;
// Newton converges in a handful of steps; bisection halves the bracket each step, so 100 steps reach
// the resolution of doubles on any parameter range.
constexpr int kMaxRefineSteps = 100;

double controlPolygonSize(const AcGeNurbCurve3d& curve)
{
    AcGePoint3d lo = curve.controlPointAt(0);
    AcGePoint3d hi = lo;
    for (int i = 1; i < curve.numControlPoints(); ++i) {
        const AcGePoint3d p = curve.controlPointAt(i);
        lo.set(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
        hi.set(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
    }
    const double size = lo.distanceTo(hi);
    return size > 0.0 ? size : 1.0;
}

double distanceToChord(const AcGePoint3d& p, const AcGePoint3d& a, const AcGePoint3d& b)
{
    const AcGeVector3d ab = b - a;
    const double length2 = ab.lengthSqrd();
    if (!(length2 > 0.0))
        return p.distanceTo(a);
    const double s = std::clamp((p - a).dotProduct(ab) / length2, 0.0, 1.0);
    return p.distanceTo(a + ab * s);
}

// Half the derivative of the squared distance at t, (C(t) - p) . C'(t), and the second derivative's
// half, C' . C' + (C - p) . C''.
void distanceSlope(const AcGeNurbCurve3d& curve, const AcGePoint3d& p, double t, double& slope, double& curvature)
{
    AcGeVector3dArray derivs;
    const AcGeVector3d diff = curve.evalPoint(t, 2, derivs) - p;
    slope = derivs.length() > 0 ? diff.dotProduct(derivs[0]) : 0.0;
    curvature = derivs.length() > 1 ? derivs[0].dotProduct(derivs[0]) + diff.dotProduct(derivs[1]) : 0.0;
}

// The nearest point's parameter on [a, b], starting from guess. When the distance falls at a and
// rises at b the minimum is bracketed, and Newton steps that leave the bracket fall back to
// bisection, so the iteration always converges; otherwise the distance is smallest at an end (the
// stretch is short enough not to hold a dip between two rises), which the samples already cover.
double refineOnStretch(const AcGeNurbCurve3d& curve, const AcGePoint3d& p, double a, double b, double guess)
{
    double slopeA = 0.0, slopeB = 0.0, unused = 0.0;
    distanceSlope(curve, p, a, slopeA, unused);
    distanceSlope(curve, p, b, slopeB, unused);
    if (!(slopeA < 0.0 && slopeB > 0.0))
        return p.distanceTo(curve.evalPoint(a)) <= p.distanceTo(curve.evalPoint(b)) ? a : b;
    double lo = a, hi = b;
    double t = std::clamp(guess, a, b);
    for (int step = 0; step < kMaxRefineSteps; ++step) {
        double slope = 0.0, curvature = 0.0;
        distanceSlope(curve, p, t, slope, curvature);
        if (slope < 0.0)
            lo = t;
        else if (slope > 0.0)
            hi = t;
        else
            break;
        double next = curvature > 0.0 ? t - slope / curvature : lo;
        if (!(next > lo && next < hi))
            next = 0.5 * (lo + hi);
        // No double left between the bracket's ends, or the step no longer moves t.
        if (!(next > lo && next < hi) || !(std::fabs(next - t) > 0.0))
            break;
        t = next;
    }
    return t;
}

}  // namespace

double nearestSplineParam(const AcGeNurbCurve3d& curve, const AcGePoint3d& pt)
{
    const double start = curve.startParam();
    const double end = curve.endParam();
    const double deviation = controlPolygonSize(curve) * kSeedDeviationRatio;
    AcGePoint3dArray samples;
    AcGeDoubleArray params;
    curve.getSamplePoints(start, end, deviation, samples, params);
    if (samples.length() < 2 || samples.length() != params.length())
        return std::clamp(curve.paramOf(pt), start, end);

    double best = params[0];
    double bestDistance = pt.distanceTo(samples[0]);
    for (int i = 1; i < samples.length(); ++i) {
        const double d = pt.distanceTo(samples[i]);
        if (d < bestDistance) {
            bestDistance = d;
            best = params[i];
        }
    }
    // The nearest point lies within the sampling's deviation of its chord, so only the chords that
    // come that close to beating the best sample need a look.
    const double reach = bestDistance + kDeviationSlack * deviation;
    for (int i = 0; i + 1 < samples.length(); ++i) {
        const AcGePoint3d& a = samples[i];
        const AcGePoint3d& b = samples[i + 1];
        if (distanceToChord(pt, a, b) > reach)
            continue;
        const double ab2 = (b - a).lengthSqrd();
        const double share = ab2 > 0.0 ? std::clamp((pt - a).dotProduct(b - a) / ab2, 0.0, 1.0) : 0.0;
        const double guess = params[i] + share * (params[i + 1] - params[i]);
        const double t = refineOnStretch(curve, pt, params[i], params[i + 1], guess);
        const double d = pt.distanceTo(curve.evalPoint(t));
        if (d < bestDistance) {
            bestDistance = d;
            best = t;
        }
    }
    return best;
}

}  // namespace kelvora
