// Seeded random parcel outlines with arcs, convex or concave, for the division's property tests.
#pragma once

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "module/division/division_fixture.h"

namespace division_test {

// What kind of outline randomOutline draws.
enum class OutlineKind {
    kConvex,   // points on an ellipse, arcs bulging outwards no more than the turn at their ends
    kConcave,  // a star about the centre with radii from 35 % to 100 %, arcs bulging either way
};

// An outline of 4 to maxVertices vertices around `centre`, of radius about `size`, counter-clockwise
// or clockwise at random. The vertices of a star are spread so that no gap between them reaches a
// half turn: the centre lies inside unless an arc bulging inwards cuts it off. A concave outline
// may cross itself; callers drop those, as the commands refuse them.
inline std::vector<Pt> randomOutline(std::mt19937& rng, OutlineKind kind, Pt centre, double size, int maxVertices = 24)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int n = std::uniform_int_distribution<int>(4, maxVertices)(rng);
    std::vector<double> angles(static_cast<size_t>(n));
    double total = 0.0;
    for (double& gap : angles) {
        gap = 0.6 + 0.8 * unit(rng);
        total += gap;
    }
    double at = 2.0 * std::numbers::pi * unit(rng);
    for (double& a : angles) {
        const double gap = a * 2.0 * std::numbers::pi / total;
        a = at;
        at += gap;
    }
    const double squash = 0.4 + 0.6 * unit(rng);
    const double tilt = std::numbers::pi * unit(rng);
    std::vector<Pt> out(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        const double a = angles[static_cast<size_t>(k)];
        double x = size * std::cos(a);
        double y = size * std::sin(a);
        if (kind == OutlineKind::kConvex) {
            y *= squash;
        } else {
            const double r = 0.35 + 0.65 * unit(rng);
            x *= r;
            y *= r;
        }
        out[static_cast<size_t>(k)].x = centre.x + x * std::cos(tilt) - y * std::sin(tilt);
        out[static_cast<size_t>(k)].y = centre.y + x * std::sin(tilt) + y * std::cos(tilt);
    }
    // The turn at each vertex of the convex polygon bounds how far the arcs beside it may bulge.
    auto turnAt = [&](int k) {
        const Pt& a = out[static_cast<size_t>((k + n - 1) % n)];
        const Pt& b = out[static_cast<size_t>(k)];
        const Pt& c = out[static_cast<size_t>((k + 1) % n)];
        const double in = std::atan2(b.y - a.y, b.x - a.x);
        const double outDir = std::atan2(c.y - b.y, c.x - b.x);
        return std::remainder(outDir - in, 2.0 * std::numbers::pi);
    };
    for (int k = 0; k < n; ++k) {
        if (unit(rng) > 0.35)
            continue;
        double& bulge = out[static_cast<size_t>(k)].bulge;
        if (kind == OutlineKind::kConvex) {
            // Each end's tangent turns by half the sweep; half the turn there is this arc's share.
            const double turn = std::fmin(std::fabs(turnAt(k)), std::fabs(turnAt((k + 1) % n)));
            bulge = std::tan(turn / 4.0) * (0.1 + 0.9 * unit(rng));
        } else {
            bulge = (unit(rng) < 0.5 ? -1.0 : 1.0) * (0.05 + 0.5 * unit(rng));
        }
    }
    if (unit(rng) < 0.5) {
        // Clockwise: the same outline run backwards, each bulge with the segment it belongs to.
        std::vector<Pt> reversed(out.size());
        for (int k = 0; k < n; ++k) {
            reversed[static_cast<size_t>(k)] = out[static_cast<size_t>(n - 1 - k)];
            const int segment = n - 2 - k < 0 ? n - 1 : n - 2 - k;
            reversed[static_cast<size_t>(k)].bulge = -out[static_cast<size_t>(segment)].bulge;
        }
        out.swap(reversed);
    }
    return out;
}

}  // namespace division_test
