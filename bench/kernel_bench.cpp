// Benchmarks of the module's polyline kernel on polylines of 10,000 and 100,000 vertices.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "dbpl.h"
#include "geometry/kernel_internal.h"
#include "geometry/polyline_kernel.h"

namespace {

// A closed wavy ring, r = R (1 + 0.1 sin 7t), that never crosses itself, so the crossing test
// has to look at the whole polyline; every other segment a flat arc when withArcs.
std::unique_ptr<AcDbPolyline> wavyRing(int n, bool withArcs)
{
    auto pline = std::make_unique<AcDbPolyline>(static_cast<unsigned int>(n));
    for (int k = 0; k < n; ++k) {
        double t = 2.0 * std::numbers::pi * k / n;
        double r = 1000.0 * (1.0 + 0.1 * std::sin(7.0 * t));
        double bulge = withArcs && k % 2 == 1 ? 0.05 : 0.0;
        pline->addVertexAt(static_cast<unsigned int>(k), AcGePoint2d(r * std::cos(t), r * std::sin(t)), bulge);
    }
    pline->setClosed(Adesk::kTrue);
    return pline;
}

// An open serpentine of rows 10 units apart, 100 short segments a row: many segments side by side
// along the sweep, the sweep's harder case.
std::unique_ptr<AcDbPolyline> serpentine(int n)
{
    const int perRow = 100;
    auto pline = std::make_unique<AcDbPolyline>(static_cast<unsigned int>(n));
    for (int at = 0; at < n; ++at) {
        int row = at / (perRow + 1), k = at % (perRow + 1);
        double x = row % 2 == 0 ? k : perRow - k;
        pline->addVertexAt(static_cast<unsigned int>(at), AcGePoint2d(x, 10.0 * row));
    }
    return pline;
}

// A closed 50-gon whose sides are cut into many collinear pieces: what a spline conversion leaves
// for the merge to clean up.
std::unique_ptr<AcDbPolyline> cutPolygon(int n)
{
    const int sides = 50;
    const int perSide = n / sides;
    auto pline = std::make_unique<AcDbPolyline>(static_cast<unsigned int>(n));
    unsigned int at = 0;
    for (int s = 0; s < sides; ++s) {
        double a0 = 2.0 * std::numbers::pi * s / sides, a1 = 2.0 * std::numbers::pi * (s + 1) / sides;
        AcGePoint2d p0(1000.0 * std::cos(a0), 1000.0 * std::sin(a0));
        AcGePoint2d p1(1000.0 * std::cos(a1), 1000.0 * std::sin(a1));
        for (int k = 0; k < perSide; ++k)
            pline->addVertexAt(at++, p0 + (p1 - p0) * (static_cast<double>(k) / perSide));
    }
    pline->setClosed(Adesk::kTrue);
    return pline;
}

void selfIntersectionPairwise(benchmark::State& state)
{
    auto ring = wavyRing(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(kernel_internal::isSelfIntersectingPairwise(ring.get()));
    state.SetLabel(state.range(1) != 0 ? "ring, half arcs" : "ring, lines");
}
BENCHMARK(selfIntersectionPairwise)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(selfIntersectionPairwise)->Args({100000, 0})->Unit(benchmark::kSecond)->Iterations(1);

void selfIntersectionSweep(benchmark::State& state)
{
    auto ring = wavyRing(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(isSelfIntersecting(ring.get()));
    state.SetLabel(state.range(1) != 0 ? "ring, half arcs" : "ring, lines");
}
BENCHMARK(selfIntersectionSweep)
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);

void selfIntersectionSweepSerpentine(benchmark::State& state)
{
    auto pline = serpentine(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(isSelfIntersecting(pline.get()));
}
BENCHMARK(selfIntersectionSweepSerpentine)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void selfIntersectionPairwiseSerpentine(benchmark::State& state)
{
    auto pline = serpentine(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(kernel_internal::isSelfIntersectingPairwise(pline.get()));
}
BENCHMARK(selfIntersectionPairwiseSerpentine)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

void mergeCollinear(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto pline = cutPolygon(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        mergeCollinearSegments(pline.get(), 1e-4, 1e-4);
        benchmark::DoNotOptimize(pline->numVerts());
    }
}
BENCHMARK(mergeCollinear)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Nothing to merge, more than 200 vertices: three full passes.
void mergeNothingToMerge(benchmark::State& state)
{
    auto ring = wavyRing(static_cast<int>(state.range(0)), true);
    for (auto _ : state) {
        mergeCollinearSegments(ring.get(), 1e-6, 1e-6);
        benchmark::DoNotOptimize(ring->numVerts());
    }
}
BENCHMARK(mergeNothingToMerge)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void reverse(benchmark::State& state)
{
    auto ring = wavyRing(static_cast<int>(state.range(0)), true);
    for (auto _ : state) {
        reversePolyline(ring.get());
        benchmark::DoNotOptimize(ring->numVerts());
    }
}
BENCHMARK(reverse)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Chaining a long polyline at the target's first vertex: two reversals of the growing target and
// one append.
void chainAtFirstVertex(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    auto curve = std::make_unique<AcDbPolyline>();
    for (int k = 0; k < n; ++k)
        curve->addVertexAt(static_cast<unsigned int>(k), AcGePoint2d(-k, std::sin(k * 0.01)), k % 3 == 0 ? 0.1 : 0.0);
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<AcDbPolyline>();
        for (int k = 0; k < n; ++k)
            target->addVertexAt(static_cast<unsigned int>(k), AcGePoint2d(k, 0.0));
        state.ResumeTiming();
        benchmark::DoNotOptimize(chainCurveToPolyline(target.get(), curve.get(), 1e-6));
    }
}
BENCHMARK(chainAtFirstVertex)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
