// Plot throughput: a cadastral-sized drawing of 200,000 polylines to a 4000 x 3000 PNG, and text measuring.
#include "kelvora/display_list.h"
#include "kelvora/plot.h"
#include "kelvora/text_metrics.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace kelvora;

// A fixed pseudo-random sequence, so that every run draws the same plan.
class Sequence {
public:
    double next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) / static_cast<double>(1ULL << 53);
    }

private:
    std::uint64_t m_state = 0x4B454C564F5241ULL;
};

// Parcels of four to seven vertices, tens of metres across, over a 10 x 7.5 km sheet; one in
// five closed. `mixed`: every polyline in another colour and lineweight than the one before,
// one in ten wide (the worst case for the plot); otherwise all alike, as on one layer.
DisplayList plan(int polylines, bool mixed)
{
    static constexpr Rgb kColours[] = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {0, 128, 0}, {128, 128, 128}};
    Sequence random;
    DisplayList list;
    std::vector<WorldPoint> points;
    for (int i = 0; i < polylines; ++i) {
        const double x = 10000.0 * random.next();
        const double y = 7500.0 * random.next();
        const int vertices = 4 + static_cast<int>(4.0 * random.next());
        points.clear();
        for (int k = 0; k < vertices; ++k)
            points.push_back({x + 60.0 * random.next(), y + 60.0 * random.next()});
        const Pen pen = mixed ? Pen{kColours[i % 5], i % 3 == 0 ? 0.35 : kDefaultLineweightMm} : Pen{};
        drawPolyline(list, points, i % 5 == 0, pen, mixed && i % 10 == 0 ? 1.5 : 0.0);
    }
    return list;
}

void BM_RecordPlan(benchmark::State& state)
{
    for (auto _ : state) {
        DisplayList list = plan(static_cast<int>(state.range(0)), true);
        benchmark::DoNotOptimize(list.extents());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RecordPlan)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_PlotPlanToPng(benchmark::State& state)
{
    const DisplayList list = plan(static_cast<int>(state.range(0)), state.range(1) != 0);
    const std::string path = "/tmp/kelvora-plot-bench-" + std::to_string(getpid()) + ".png";
    PlotOptions options;
    options.width = 4000;
    options.height = 3000;
    for (auto _ : state) {
        if (renderDisplayList(list, path, options) != Acad::eOk)
            state.SkipWithError("the plot failed");
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// Second argument: 1 for mixed styles, 0 for one style throughout.
BENCHMARK(BM_PlotPlanToPng)->Args({200000, 1})->Args({200000, 0})->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MeasureLabels(benchmark::State& state)
{
    const FontFace* face = findFontFace("romans.shx");
    std::vector<std::string> labels;
    for (int i = 0; i < 1000; ++i)
        labels.push_back("Parcelle " + std::to_string(i) + " - " + std::to_string(i * 37 % 10000) + " m\xc2\xb2");
    for (auto _ : state) {
        for (const std::string& label : labels)
            benchmark::DoNotOptimize(measureText(face, label, 2.5, 0.9));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(labels.size()));
}
BENCHMARK(BM_MeasureLabels)->Unit(benchmark::kMicrosecond);

}  // namespace
