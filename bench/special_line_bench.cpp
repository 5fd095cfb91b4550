// Benchmark of drawing a special line: many vertices and many decorations must cost linear time.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "dbapserv.h"
#include "dbmain.h"
#include "kelvora/gi_recorder.h"
#include "speciallines/extended_polyline.h"

namespace {

// A gently winding line of n vertices one unit apart along X, a flat arc every fourth segment,
// with one barbed-wire decoration every ten units: n / 10 decorations.
std::unique_ptr<eXtendedPolyline> windingLine(int n)
{
    auto line = std::make_unique<eXtendedPolyline>();
    for (int k = 0; k < n; ++k) {
        double bulge = k % 4 == 3 ? 0.05 : 0.0;
        line->addVertexAt(static_cast<unsigned int>(k), AcGePoint2d(k, 3.0 * std::sin(k * 0.01)), bulge);
    }
    line->setSymbolSize(1.0);
    line->setGap(0.1);
    line->setSpacing(8.8);  // 8.8 + 2 x 0.1 + 1 = one decoration every 10 units
    return line;
}

void BM_DrawSpecialLine(benchmark::State& state)
{
    eXtendedPolyline::rxInit();
    acrxBuildClassHierarchy();
    AcDbDatabase db(true);
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    const int vertices = static_cast<int>(state.range(0));
    auto line = windingLine(vertices);
    std::size_t primitives = 0;
    for (auto _ : state) {
        kelvora::GiRecorder recorder(&db);
        recorder.drawEntity(line.get());
        primitives = recorder.primitives().size();
        benchmark::DoNotOptimize(primitives);
    }
    state.counters["primitives"] = static_cast<double>(primitives);
    state.SetComplexityN(vertices);
    acdbHostApplicationServices()->setWorkingDatabase(previous);
}

}  // namespace

BENCHMARK(BM_DrawSpecialLine)->RangeMultiplier(10)->Range(1'000, 100'000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
