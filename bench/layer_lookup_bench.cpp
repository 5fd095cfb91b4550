// Reading and writing a drawing whose entities lie on many layers: each entity names its layer, so
// the time must not grow with the number of layers.
#include <benchmark/benchmark.h>

#include "bench_layers.h"

#include <algorithm>
#include <string>
#include <vector>

#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "kelvora/drawing_file.h"

namespace {

constexpr int kLines = 20000;

// A drawing of kLines lines spread over the last ten of `layers` layers (the far end of a search
// through the table), as DXF text.
std::string drawingOnLayers(int layers)
{
    AcDbDatabase db(true);
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    std::vector<AcDbObjectId> ids;
    for (int i = 0; i < layers; ++i) {
        std::wstring name = L"LAYER_";
        name += std::to_wstring(i);
        ids.push_back(addBenchLayer(&db, name.c_str()));
    }
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db.modelSpaceId(), AcDb::kForWrite);
    for (int i = 0; i < kLines; ++i) {
        auto* line = new AcDbLine(AcGePoint3d(i, 0, 0), AcGePoint3d(i, 1, 0));
        line->setLayer(ids[static_cast<std::size_t>(layers - 1 - i % std::min(layers, 10))]);
        AcDbObjectId id;
        ms->appendAcDbEntity(id, line);
        line->close();
    }
    ms->close();
    std::string bytes;
    kelvora::DxfDiagnostics d;
    kelvora::writeDrawingData(db, kelvora::kDefaultDrawingVersion, bytes, d);
    acdbHostApplicationServices()->setWorkingDatabase(previous);
    return bytes;
}

void BM_ReadLinesOnManyLayers(benchmark::State& state)
{
    const std::string bytes = drawingOnLayers(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        AcDbDatabase db(false);
        kelvora::DxfDiagnostics d;
        if (!kelvora::readDrawingData(bytes, db, d))
            state.SkipWithError("the drawing did not read");
    }
}
BENCHMARK(BM_ReadLinesOnManyLayers)->Arg(3)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);

void BM_WriteLinesOnManyLayers(benchmark::State& state)
{
    const std::string bytes = drawingOnLayers(static_cast<int>(state.range(0)));
    AcDbDatabase db(false);
    kelvora::DxfDiagnostics d;
    if (!kelvora::readDrawingData(bytes, db, d)) {
        state.SkipWithError("the drawing did not read");
        return;
    }
    for (auto _ : state) {
        std::string out;
        kelvora::DxfDiagnostics w;
        kelvora::writeDrawingData(db, kelvora::kDefaultDrawingVersion, out, w);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_WriteLinesOnManyLayers)->Arg(3)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond);

}  // namespace
