// Small numeric helpers shared by the geometry sources: angles, solving, limits.
#pragma once

#include <cmath>
#include <numbers>

#include "gegbl.h"

namespace kelvora::ge {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// The angle brought into [0, 2pi).
inline double normalizeAngle(double a)
{
    if (!std::isfinite(a))
        return 0.0;
    double r = std::fmod(a, kTwoPi);
    if (r < 0.0)
        r += kTwoPi;
    if (r >= kTwoPi)  // fmod of a tiny negative can round up to 2pi
        r = 0.0;
    return r;
}

// Upper bound on the points one sampling call makes. A tiny approximation
// tolerance on a huge curve would otherwise ask for billions of points; a
// million keeps the chord error below 1e-12 of the radius and stays in memory.
constexpr int kMaxSamplePoints = 1000000;

// Deepest bisection of a parameter interval when sampling or integrating: 2^-30
// of a knot span is below the resolution of any drawing coordinate.
constexpr int kMaxBisectionDepth = 30;

}  // namespace kelvora::ge
