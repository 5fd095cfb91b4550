// Benchmark of OPTIMIZEPOL's work: 1,000 polylines of 1,000 vertices each, merged in place or
// converted from old-style 2D polylines first, as the command does for each member of its selection.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <vector>

#include "dbapserv.h"
#include "dbents.h"
#include "dbmain.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "geometry/polyline_kernel.h"
#include "tools/optimize_tolerances.h"
#include "tools/polyline_2d_conversion.h"

namespace {

constexpr int kPolylines = 1'000;
constexpr int kVerticesEach = 1'000;

struct PathVertex {
    double x = 0.0;
    double y = 0.0;
    double bulge = 0.0;
};

// A fixed linear congruential sequence, so that every run measures the same drawing.
class Sequence {
public:
    explicit Sequence(std::uint32_t seed) : m_state(seed * 2654435761u + 1u) {}
    // Uniform in [lo, hi).
    double between(double lo, double hi)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return lo + (hi - lo) * (m_state >> 8) / static_cast<double>(1u << 24);
    }
    int count(int lo, int hi) { return static_cast<int>(between(lo, hi + 1)); }

private:
    std::uint32_t m_state;
};

// A walk along what a converted curve leaves: straight stretches sampled with sub-millimetre noise,
// runs of short arcs on one circle, gently turning stretches whose segments merge a few at a time,
// and sharp corners that stop every merge.
class ConvertedCurve {
public:
    explicit ConvertedCurve(std::uint32_t seed) : m_random(seed) {}

    std::vector<PathVertex> vertices(int count)
    {
        m_path.push_back({m_x, m_y, 0.0});
        while (static_cast<int>(m_path.size()) < count) {
            switch (m_random.count(0, 3)) {
            case 0: straightStretch(); break;
            case 1: circularRun(); break;
            case 2: gentleBend(); break;
            default: corner(); break;
            }
        }
        m_path.resize(static_cast<std::size_t>(count));
        m_path.back().bulge = 0.0;
        return m_path;
    }

private:
    // Noise a tenth of OPTIMIZEPOL's default distance tolerance: a digitised straight edge.
    static constexpr double kSideNoise = 1e-4;

    void line(double length, double side)
    {
        const double nx = -std::sin(m_heading), ny = std::cos(m_heading);
        m_x += length * std::cos(m_heading);
        m_y += length * std::sin(m_heading);
        m_path.push_back({m_x + side * nx, m_y + side * ny, 0.0});
    }

    // One arc segment turning by sweep (counter-clockwise when positive) on a circle of that radius.
    void arc(double radius, double sweep)
    {
        const double chord = 2.0 * radius * std::sin(std::fabs(sweep) / 2.0);
        const double direction = m_heading + sweep / 2.0;
        m_path.back().bulge = std::tan(sweep / 4.0);
        m_x += chord * std::cos(direction);
        m_y += chord * std::sin(direction);
        m_heading += sweep;
        m_path.push_back({m_x, m_y, 0.0});
    }

    void straightStretch()
    {
        const int n = m_random.count(10, 40);
        for (int i = 0; i < n; ++i)
            line(m_random.between(0.5, 2.0), m_random.between(-kSideNoise, kSideNoise));
    }

    void circularRun()
    {
        const int n = m_random.count(5, 15);
        const double radius = m_random.between(10.0, 50.0);
        const double sense = m_random.between(0.0, 1.0) < 0.5 ? -1.0 : 1.0;
        const double sweep = sense * m_random.between(2.0, 5.0) * std::numbers::pi / 180.0;
        for (int i = 0; i < n; ++i)
            arc(radius, sweep);
    }

    // Turns of a third of a degree to a degree a segment: a few segments add up to the default
    // direction tolerance (about three degrees), so the run shrinks but does not vanish.
    void gentleBend()
    {
        const int n = m_random.count(10, 30);
        const double sense = m_random.between(0.0, 1.0) < 0.5 ? -1.0 : 1.0;
        for (int i = 0; i < n; ++i) {
            m_heading += sense * m_random.between(0.33, 1.0) * std::numbers::pi / 180.0;
            line(m_random.between(0.5, 2.0), 0.0);
        }
    }

    void corner()
    {
        m_heading += m_random.between(30.0, 90.0) * std::numbers::pi / 180.0 *
                     (m_random.between(0.0, 1.0) < 0.5 ? -1.0 : 1.0);
        line(m_random.between(1.0, 5.0), 0.0);
    }

    Sequence m_random;
    std::vector<PathVertex> m_path;
    double m_x = 0.0, m_y = 0.0, m_heading = 0.0;
};

std::vector<std::vector<PathVertex>> drawingPaths(int polylines = kPolylines, int verticesEach = kVerticesEach)
{
    std::vector<std::vector<PathVertex>> paths;
    paths.reserve(static_cast<std::size_t>(polylines));
    for (int i = 0; i < polylines; ++i)
        paths.push_back(ConvertedCurve(static_cast<std::uint32_t>(i)).vertices(verticesEach));
    return paths;
}

AcDbPolyline* lightweight(const std::vector<PathVertex>& path)
{
    auto* pline = new AcDbPolyline(static_cast<unsigned int>(path.size()));
    for (const PathVertex& v : path)
        pline->addVertexAt(pline->numVerts(), AcGePoint2d(v.x, v.y), v.bulge);
    return pline;
}

AcDb2dPolyline* oldStyle(const std::vector<PathVertex>& path)
{
    auto* pline = new AcDb2dPolyline();
    for (const PathVertex& v : path)
        pline->appendVertex(new AcDb2dVertex(AcGePoint3d(v.x, v.y, 0.0), v.bulge));
    return pline;
}

// The merge as OPTIMIZEPOL runs it on one member, answering how many vertices it removed.
int optimize(AcDbPolyline* pline)
{
    const kelvora::tools::OptimizeTolerances tolerances;
    const unsigned int before = pline->numVerts();
    mergeCollinearSegments(pline, tolerances.distance, tolerances.direction);
    return static_cast<int>(before) - static_cast<int>(pline->numVerts());
}

void reportRemoved(benchmark::State& state, long long removed, int polylines = kPolylines,
                   int verticesEach = kVerticesEach)
{
    state.counters["vertices_removed"] = static_cast<double>(removed);
    state.counters["vertices_left"] = static_cast<double>(static_cast<long long>(polylines) * verticesEach - removed);
    state.SetItemsProcessed(state.iterations() * polylines);
}

// Lightweight polylines merged in place (fresh copies each round, made outside the timing).
void BM_OptimizeLightweightPolylines(benchmark::State& state)
{
    const auto paths = drawingPaths();
    long long removed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::unique_ptr<AcDbPolyline>> plines;
        plines.reserve(paths.size());
        for (const auto& path : paths)
            plines.emplace_back(lightweight(path));
        state.ResumeTiming();
        removed = 0;
        for (auto& pline : plines)
            removed += optimize(pline.get());
        benchmark::DoNotOptimize(removed);
        state.PauseTiming();
        plines.clear();
        state.ResumeTiming();
    }
    reportRemoved(state, removed);
}

// Old-style 2D polylines holding their own vertices: conversion to lightweight polylines, then merge.
void BM_OptimizeOldStylePolylines(benchmark::State& state)
{
    const auto paths = drawingPaths();
    std::vector<std::unique_ptr<AcDb2dPolyline>> olds;
    for (const auto& path : paths)
        olds.emplace_back(oldStyle(path));
    long long removed = 0;
    for (auto _ : state) {
        removed = 0;
        for (const auto& old : olds) {
            std::unique_ptr<AcDbPolyline> pline(kelvora::tools::lightweightFrom2dPolyline(old.get()));
            removed += optimize(pline.get());
        }
        benchmark::DoNotOptimize(removed);
    }
    reportRemoved(state, removed);
}

// Old-style 2D polylines in a drawing, whose vertices are objects of their own opened by id, as in
// the command; the drawing itself is not changed, so every round does the same work. The arguments
// are the polyline count and their vertex count: the same million vertices in fewer, longer
// polylines must cost no more.
void BM_OptimizeOldStylePolylinesInDrawing(benchmark::State& state)
{
    const int polylines = static_cast<int>(state.range(0));
    const int verticesEach = static_cast<int>(state.range(1));
    AcDbDatabase db(true, false);
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    std::vector<AcDbObjectId> ids;
    {
        const auto paths = drawingPaths(polylines, verticesEach);
        AcDbBlockTableRecord* space = nullptr;
        if (acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
            state.SkipWithError("model space cannot be opened");
            return;
        }
        for (const auto& path : paths) {
            AcDb2dPolyline* old = oldStyle(path);
            AcDbObjectId id;
            if (space->appendAcDbEntity(id, old) == Acad::eOk) {
                old->close();
                ids.push_back(id);
            } else {
                delete old;
            }
        }
        space->close();
    }
    long long removed = 0;
    for (auto _ : state) {
        removed = 0;
        for (const AcDbObjectId& id : ids) {
            AcDb2dPolyline* old = nullptr;
            if (acdbOpenObject(old, id, AcDb::kForRead) != Acad::eOk)
                continue;
            std::unique_ptr<AcDbPolyline> pline(kelvora::tools::lightweightFrom2dPolyline(old));
            old->close();
            removed += optimize(pline.get());
        }
        benchmark::DoNotOptimize(removed);
    }
    reportRemoved(state, removed, polylines, verticesEach);
    acdbHostApplicationServices()->setWorkingDatabase(previous);
}

}  // namespace

BENCHMARK(BM_OptimizeLightweightPolylines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimizeOldStylePolylines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimizeOldStylePolylinesInDrawing)
    ->Args({kPolylines, kVerticesEach})
    ->Args({kPolylines / 10, kVerticesEach * 10})
    ->Unit(benchmark::kMillisecond);
