// Plotting whole drawings: a cadastral plan of 200,000 polylines and texts drawn through the recorder to a 4000 x 3000 PNG, and the 50 MB benchmark drawing read and plotted.
#include "dbapserv.h"
#include "dbents.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "kelvora/display_list.h"
#include "kelvora/drawing_file.h"
#include "kelvora/plot_drawing.h"

#include <benchmark/benchmark.h>

#include "bench_layers.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace kelvora;

// Made by dxf_bench.cpp (BM_ReadDrawing and friends).
const char* const kBenchDrawing = "/tmp/kelvora_dxf_bench.dxf";

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

// A plan over a 10 x 7.5 km sheet: parcels of four to seven vertices tens of metres across (one in
// five closed, one in eight with an arc) and labels, on three layers. The database is the working
// one until the benchmark sets it back.
std::unique_ptr<AcDbDatabase> makePlan(int polylines, int texts)
{
    auto db = std::make_unique<AcDbDatabase>(true);
    acdbHostApplicationServices()->setWorkingDatabase(db.get());
    const AcDbObjectId parcels = addBenchLayer(db.get(), L"PARCELLES", 7);
    const AcDbObjectId limits = addBenchLayer(db.get(), L"LIMITES", 1);
    const AcDbObjectId labels = addBenchLayer(db.get(), L"TEXTES", 5);
    AcDbBlockTableRecord* modelSpace = nullptr;
    if (acdbOpenObject(modelSpace, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk)
        return db;
    Sequence random;
    for (int i = 0; i < polylines; ++i) {
        const double x = 10000.0 * random.next();
        const double y = 7500.0 * random.next();
        const int vertices = 4 + static_cast<int>(4.0 * random.next());
        auto* pl = new AcDbPolyline();
        pl->setDatabaseDefaults(db.get());
        for (int k = 0; k < vertices; ++k)
            pl->addVertexAt(static_cast<unsigned int>(k), AcGePoint2d(x + 60.0 * random.next(), y + 60.0 * random.next()),
                            k == 1 && i % 8 == 0 ? 0.3 : 0.0);
        pl->setClosed(i % 5 == 0);
        pl->setLayer(i % 10 == 0 ? limits : parcels);
        if (modelSpace->appendAcDbEntity(pl) == Acad::eOk)
            pl->close();
        else
            delete pl;
    }
    for (int i = 0; i < texts; ++i) {
        const double x = 10000.0 * random.next();
        const double y = 7500.0 * random.next();
        auto* text = new AcDbText(AcGePoint3d(x, y, 0), (L"Lot " + std::to_wstring(i) + L" - 1234.56 m2").c_str(),
                                  AcDbObjectId(), 2.5, 0.0);
        text->setDatabaseDefaults(db.get());
        text->setLayer(labels);
        if (modelSpace->appendAcDbEntity(text) == Acad::eOk)
            text->close();
        else
            delete text;
    }
    modelSpace->close();
    return db;
}

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string scratchPng()
{
    return "/tmp/kelvora-plot-drawing-bench-" + std::to_string(getpid()) + ".png";
}

// Arguments: polylines, texts.
void BM_DrawModelSpace(benchmark::State& state)
{
    const auto db = makePlan(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        DisplayList list;
        std::vector<InfiniteLine> infinite;
        drawModelSpace(db.get(), list, infinite);
        benchmark::DoNotOptimize(list.extents());
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) + state.range(1)));
    state.counters["peak_rss_mb"] = peakRssMb();
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}
BENCHMARK(BM_DrawModelSpace)->Args({150000, 50000})->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlotDatabaseToPng(benchmark::State& state)
{
    const auto db = makePlan(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::string path = scratchPng();
    PlotOptions options;
    options.width = 4000;
    options.height = 3000;
    for (auto _ : state) {
        std::string error;
        if (plotDatabase(db.get(), path, options, error) != Acad::eOk)
            state.SkipWithError(error.c_str());
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * (state.range(0) + state.range(1)));
    state.counters["peak_rss_mb"] = peakRssMb();
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}
BENCHMARK(BM_PlotDatabaseToPng)->Args({150000, 50000})->Unit(benchmark::kMillisecond)->Iterations(3);

// The 50 MB drawing of dxf_bench.cpp, read and plotted: what `kelvora plot` does with it.
void BM_ReadAndPlotBenchDrawing(benchmark::State& state)
{
    if (!std::filesystem::exists(kBenchDrawing)) {
        state.SkipWithError("run the DXF benchmarks first: they write /tmp/kelvora_dxf_bench.dxf");
        return;
    }
    const std::string path = scratchPng();
    PlotOptions options;
    options.width = 4000;
    options.height = 3000;
    for (auto _ : state) {
        AcDbDatabase db(false);
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        DxfDiagnostics diagnostics;
        const bool read = readDrawingFile(kBenchDrawing, db, diagnostics);
        std::string error;
        const Acad::ErrorStatus es = read ? plotDatabase(&db, path, options, error) : Acad::eFileAccessErr;
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        if (!read) {
            state.SkipWithError("the benchmark drawing cannot be read");
            break;
        }
        if (es != Acad::eOk)
            state.SkipWithError(error.c_str());
    }
    std::remove(path.c_str());
    state.counters["peak_rss_mb"] = peakRssMb();
}
BENCHMARK(BM_ReadAndPlotBenchDrawing)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
