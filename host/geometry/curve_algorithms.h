// Curve algorithms that only need point evaluation: adaptive sampling, arc length, nearest parameter.
#pragma once

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "ge_math.h"

namespace kelvora::ge {

// Distance from p to the segment a-b.
template <class P>
double distanceToChord(const P& p, const P& a, const P& b)
{
    auto ab = b - a;
    double len2 = ab.lengthSqrd();
    if (len2 <= 0.0)
        return p.distanceTo(a);
    double t = std::clamp((p - a).dotProduct(ab) / len2, 0.0, 1.0);
    return p.distanceTo(a + ab * t);
}

// Share of the tolerance at which an interval is halved. The deviation is
// probed at three points of the interval, which see at least 97% of the
// largest deviation of a cubic piece; halving at 90% of approxEps keeps every
// chord within approxEps.
constexpr double kChordProbeShare = 0.9;

// Points of the curve eval over the parameters breaks (increasing; the first
// and last are the ends) such that each chord stays within eps of the curve:
// an interval between two breaks is halved while a point at a quarter, half
// or three quarters of it lies farther than kChordProbeShare * eps from its
// chord. Points and parameters are appended, both ends included.
template <class P, class Eval, class PointArray, class ParamArray>
void adaptiveSample(const Eval& eval, const std::vector<double>& breaks, double eps, PointArray& points,
                    ParamArray& params)
{
    if (breaks.empty())
        return;
    struct Span {
        double a, b;
        P pa, pb;
        int depth;
    };
    const double limit = kChordProbeShare * eps;
    int budget = kMaxSamplePoints;
    P previous = eval(breaks.front());
    points.append(previous);
    params.append(breaks.front());
    std::vector<Span> stack;
    for (size_t i = 1; i < breaks.size(); ++i) {
        double a = breaks[i - 1], b = breaks[i];
        P pb = eval(b);
        // Depth-first, left half first, so the points come out in order.
        stack.push_back(Span{a, b, previous, pb, 0});
        previous = pb;
        while (!stack.empty()) {
            Span s = stack.back();
            stack.pop_back();
            bool split = false;
            double m = 0.5 * (s.a + s.b);
            P pm{};
            if (s.depth < kMaxBisectionDepth && budget > 0) {
                pm = eval(m);
                split = distanceToChord(pm, s.pa, s.pb) > limit ||
                        distanceToChord(eval(s.a + (s.b - s.a) * 0.25), s.pa, s.pb) > limit ||
                        distanceToChord(eval(s.a + (s.b - s.a) * 0.75), s.pa, s.pb) > limit;
            }
            if (split) {
                --budget;
                stack.push_back(Span{m, s.b, pm, s.pb, s.depth + 1});
                stack.push_back(Span{s.a, m, s.pa, pm, s.depth + 1});
            } else {
                points.append(s.pb);
                params.append(s.b);
            }
        }
    }
}

// from, to and `splits` - 1 evenly spaced parameters between them.
inline std::vector<double> evenBreaks(double from, double to, int splits)
{
    splits = std::max(splits, 1);
    std::vector<double> breaks;
    for (int i = 0; i < splits; ++i)
        breaks.push_back(from + (to - from) * i / splits);
    breaks.push_back(to);
    return breaks;
}

// Nodes and weights of the 5-point Gauss-Legendre rule on [-1, 1].
inline constexpr double kGaussNodes[5] = {0.0, -0.5384693101056831, 0.5384693101056831, -0.9061798459386640,
                                          0.9061798459386640};
inline constexpr double kGaussWeights[5] = {0.5688888888888889, 0.4786286704993665, 0.4786286704993665,
                                            0.2369268850561891, 0.2369268850561891};

template <class F>
double gauss5(const F& f, double a, double b)
{
    double h = 0.5 * (b - a), m = 0.5 * (a + b), s = 0.0;
    for (int i = 0; i < 5; ++i)
        s += kGaussWeights[i] * f(m + h * kGaussNodes[i]);
    return s * h;
}

// Integral of f over [a, b], halving until the two halves agree with the whole within tol.
template <class F>
double adaptiveIntegral(const F& f, double a, double b, double tol, int depth = 0)
{
    double whole = gauss5(f, a, b);
    double m = 0.5 * (a + b);
    double left = gauss5(f, a, m), right = gauss5(f, m, b);
    if (depth >= kMaxBisectionDepth / 2 || std::fabs(left + right - whole) <= tol)
        return left + right;
    return adaptiveIntegral(f, a, m, 0.5 * tol, depth + 1) + adaptiveIntegral(f, m, b, 0.5 * tol, depth + 1);
}

// The parameter in [lo, hi] of the curve point nearest to p: the best of
// `samples` + 1 evenly spaced parameters, refined by Newton steps on
// (C(t) - p) . C'(t) = 0 kept inside [lo, hi].
template <class P, class Eval, class Deriv1, class Deriv2>
double nearestParam(const P& p, const Eval& eval, const Deriv1& d1, const Deriv2& d2, double lo, double hi,
                    int samples)
{
    samples = std::max(samples, 1);
    double best = lo, bestDist = p.distanceTo(eval(lo));
    for (int i = 1; i <= samples; ++i) {
        double t = lo + (hi - lo) * i / samples;
        double d = p.distanceTo(eval(t));
        if (d < bestDist) {
            bestDist = d;
            best = t;
        }
    }
    // A few Newton steps from the best sample; each one is kept only when it
    // brings the point closer, so the answer never gets worse.
    double t = best;
    const int kNewtonSteps = 20;
    for (int i = 0; i < kNewtonSteps; ++i) {
        auto diff = eval(t) - p;
        auto c1 = d1(t);
        auto c2 = d2(t);
        double g = diff.dotProduct(c1);
        double h = c1.dotProduct(c1) + diff.dotProduct(c2);
        if (!(h > 0.0))
            break;
        double next = std::clamp(t - g / h, lo, hi);
        double d = p.distanceTo(eval(next));
        if (!(d < bestDist))
            break;
        bestDist = d;
        t = next;
    }
    return t;
}

}  // namespace kelvora::ge
