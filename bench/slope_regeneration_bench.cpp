// Benchmark of regenerating a slope of 20,000 strokes running up to 50 limit polylines: the grid passes against the pairwise ones.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "dbapserv.h"
#include "dbhelpers/model_space.h"
#include "dbmain.h"
#include "slopes/slope_entity.h"
#include "slopes/slope_strokes.h"

namespace {

using namespace kelvora::slopes;

// The slope runs 50,000 units along X with a gentle wave, a vertex every 50 units: at the default
// spacing of 2.5 that is 20,001 strokes on its left. Fifty limit polylines of 21 vertices each (a
// flat arc every fifth segment) follow it 9 to 15 units to the left, each over a thousand units,
// so that every stroke runs up to one of them.
constexpr double kLength = 50'000.0;
constexpr double kVertexStep = 50.0;
constexpr int kLimits = 50;
constexpr int kLimitVertices = 21;

double wave(double x) { return 4.0 * std::sin(x / 700.0); }

struct Scene {
    AcDbDatabase db{true};
    AcDbDatabase* previous = nullptr;
    std::unique_ptr<nPolyLineTalutee> slope;

    Scene()
    {
        nPolyLineTalutee::rxInit();
        acrxBuildClassHierarchy();
        previous = acdbHostApplicationServices()->workingDatabase();
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        slope = std::make_unique<nPolyLineTalutee>();
        unsigned at = 0;
        for (double x = 0.0; x <= kLength; x += kVertexStep)
            slope->addVertexAt(at++, AcGePoint2d(x, wave(x)));
        const double span = kLength / kLimits;
        for (int l = 0; l < kLimits; ++l) {
            auto* limit = new AcDbPolyline();
            const double offset = 9.0 + 6.0 * (l % 2);
            for (int v = 0; v < kLimitVertices; ++v) {
                const double x = l * span + span * v / (kLimitVertices - 1);
                limit->addVertexAt(static_cast<unsigned>(v), AcGePoint2d(x, wave(x) + offset), v % 5 == 4 ? 0.02 : 0.0);
            }
            AcDbObjectId id;
            appendToModelSpace(limit, id);
            slope->appendLimitId(id);
        }
    }
    ~Scene() { acdbHostApplicationServices()->setWorkingDatabase(previous); }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
};

void report(benchmark::State& state, const AcGePoint3dArray& base)
{
    state.counters["strokes"] = static_cast<double>(base.length());
}

// What drawing the slope computes: the strokes, then the four passes through their grids.
void BM_SlopeRegeneration(benchmark::State& state)
{
    Scene scene;
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    for (auto _ : state) {
        computeStrokes(*scene.slope, kLeftSide, base, end);
        benchmark::DoNotOptimize(end.asArrayPtr());
    }
    report(state, base);
}

// The same with the pairwise passes, each stroke against every limit, outline segment and stroke.
void BM_SlopeRegenerationPairwise(benchmark::State& state)
{
    Scene scene;
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    for (auto _ : state) {
        generateStrokes(*scene.slope, kLeftSide, base, end);
        trimStrokesToLimitsPairwise(*scene.slope, base, end);
        cutStrokesAtOutlinePairwise(*scene.slope, base, end);
        shortenCrossingStrokesPairwise(base, end);
        capShortStrokes(*scene.slope, base, end);
        benchmark::DoNotOptimize(end.asArrayPtr());
    }
    report(state, base);
}

// One pass at a time, grid against pairwise, on the strokes as the passes before it leave them.
enum class Pass { kLimits, kOutline, kCrossings };

void BM_SlopePass(benchmark::State& state)
{
    Scene scene;
    const auto pass = static_cast<Pass>(state.range(0));
    const bool pairwise = state.range(1) != 0;
    AcGePoint3dArray base;
    AcGePoint3dArray start;
    generateStrokes(*scene.slope, kLeftSide, base, start);
    if (pass != Pass::kLimits)
        trimStrokesToLimits(*scene.slope, base, start);
    if (pass == Pass::kCrossings)
        cutStrokesAtOutline(*scene.slope, base, start);
    AcGePoint3dArray end;
    for (auto _ : state) {
        state.PauseTiming();
        end = start;
        state.ResumeTiming();
        switch (pass) {
        case Pass::kLimits:
            pairwise ? trimStrokesToLimitsPairwise(*scene.slope, base, end)
                     : trimStrokesToLimits(*scene.slope, base, end);
            break;
        case Pass::kOutline:
            pairwise ? cutStrokesAtOutlinePairwise(*scene.slope, base, end)
                     : cutStrokesAtOutline(*scene.slope, base, end);
            break;
        case Pass::kCrossings:
            pairwise ? shortenCrossingStrokesPairwise(base, end) : shortenCrossingStrokes(*scene.slope, base, end);
            break;
        }
        benchmark::DoNotOptimize(end.asArrayPtr());
    }
    report(state, base);
}

}  // namespace

BENCHMARK(BM_SlopeRegeneration)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlopeRegenerationPairwise)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SlopePass)
    ->ArgNames({"pass", "pairwise"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({2, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlopePass)->ArgNames({"pass", "pairwise"})->Args({2, 1})->Unit(benchmark::kMillisecond)->Iterations(1);
