// Benchmarks of the geometry kernel: segment and arc intersections, NURBS sampling.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "gearc3d.h"
#include "gelnsg2d.h"
#include "gelnsg3d.h"
#include "genurb3d.h"

namespace {

// A fixed pseudo-random sequence, so every run measures the same inputs.
class Lcg {
public:
    double next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) / static_cast<double>(1ULL << 53);
    }

private:
    unsigned long long m_state = 12345;
};

std::vector<AcGeLineSeg2d> randomSegments2d(int count)
{
    Lcg rng;
    std::vector<AcGeLineSeg2d> segs;
    for (int i = 0; i < count; ++i) {
        AcGePoint2d a(rng.next() * 100, rng.next() * 100);
        segs.emplace_back(a, a + AcGeVector2d(rng.next() * 40 - 20, rng.next() * 40 - 20));
    }
    return segs;
}

void segmentSegment2d(benchmark::State& state)
{
    const std::vector<AcGeLineSeg2d> segs = randomSegments2d(1024);
    size_t i = 0;
    int hits = 0;
    for (auto _ : state) {
        AcGePoint2d p;
        hits += segs[i % 1024].intersectWith(segs[(i * 7 + 3) % 1024], p) ? 1 : 0;
        benchmark::DoNotOptimize(p);
        ++i;
    }
    benchmark::DoNotOptimize(hits);
}
BENCHMARK(segmentSegment2d);

void arcLine3d(benchmark::State& state)
{
    Lcg rng;
    std::vector<AcGeCircArc3d> arcs;
    std::vector<AcGeLineSeg3d> segs;
    for (int i = 0; i < 1024; ++i) {
        AcGePoint3d c(rng.next() * 100, rng.next() * 100, 0);
        double start = rng.next() * 6.28;
        arcs.emplace_back(c, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, 5 + rng.next() * 20, start,
                          start + 0.5 + rng.next() * 5);
        AcGePoint3d a(rng.next() * 100, rng.next() * 100, 0);
        segs.emplace_back(a, a + AcGeVector3d(rng.next() * 60 - 30, rng.next() * 60 - 30, 0));
    }
    size_t i = 0;
    int hits = 0;
    for (auto _ : state) {
        int n = 0;
        AcGePoint3d p1, p2;
        arcs[i % 1024].intersectWith(segs[(i * 5 + 1) % 1024], n, p1, p2);
        hits += n;
        benchmark::DoNotOptimize(p1);
        ++i;
    }
    benchmark::DoNotOptimize(hits);
}
BENCHMARK(arcLine3d);

// A clamped uniform cubic through 100 control points on a wavy line, sampled
// at the accuracy the spline conversion uses (0.01).
void nurbsSamplePoints(benchmark::State& state)
{
    const int n = 100, p = 3;
    AcGePoint3dArray points;
    for (int i = 0; i < n; ++i)
        points.append(AcGePoint3d(i * 10.0, 25.0 * std::sin(i * 0.7), 0.0));
    AcGeDoubleArray knots;
    for (int i = 0; i < n + p + 1; ++i)
        knots.append(std::clamp(i - p, 0, n - p));
    AcGeNurbCurve3d curve(p, AcGeKnotVector(knots, 1e-9), points);
    AcGePoint3dArray samples;
    AcGeDoubleArray params;
    for (auto _ : state) {
        curve.getSamplePoints(curve.startParam(), curve.endParam(), 0.01, samples, params);
        benchmark::DoNotOptimize(samples.asArrayPtr());
    }
    state.counters["points"] = samples.length();
}
BENCHMARK(nurbsSamplePoints)->Unit(benchmark::kMicrosecond);

}  // namespace
