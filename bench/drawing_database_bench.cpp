// Speed of whole drawings through the database: the ~50 MB drawing of dxf_bench read into a database, written, converted.
#include "dbmain.h"
#include "kelvora/drawing_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

// Made by the raw benchmarks (BM_DxfRaw*), which run first in the same program.
const char* const kPath = "/tmp/kelvora_dxf_bench.dxf";

bool haveDrawing(benchmark::State& state)
{
    if (std::filesystem::exists(kPath))
        return true;
    state.SkipWithError("no benchmark drawing: run the BM_DxfRaw benchmarks first, they make it");
    return false;
}

std::unique_ptr<AcDbDatabase> readBenchDrawing()
{
    auto db = std::make_unique<AcDbDatabase>(false);
    kelvora::DxfDiagnostics d;
    if (!kelvora::readDrawingFile(kPath, *db, d))
        return nullptr;
    return db;
}

void BM_DrawingRead(benchmark::State& state)
{
    if (!haveDrawing(state))
        return;
    for (auto _ : state) {
        std::unique_ptr<AcDbDatabase> db = readBenchDrawing();
        if (db == nullptr)
            state.SkipWithError("the drawing did not read");
        // Freeing the database is no part of reading it.
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(kPath)));
}
BENCHMARK(BM_DrawingRead)->Unit(benchmark::kMillisecond);

void BM_DrawingWrite(benchmark::State& state)
{
    if (!haveDrawing(state))
        return;
    std::unique_ptr<AcDbDatabase> db = readBenchDrawing();
    if (db == nullptr) {
        state.SkipWithError("the drawing did not read");
        return;
    }
    for (auto _ : state) {
        std::string bytes;
        kelvora::DxfDiagnostics d;
        if (!kelvora::writeDrawingData(*db, kelvora::kDefaultDrawingVersion, bytes, d))
            state.SkipWithError("the drawing did not write");
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_DrawingWrite)->Unit(benchmark::kMillisecond);

// What `kelvora convert` does: file to database to file (atomic save), the database freed at the end.
void BM_DrawingConvert(benchmark::State& state)
{
    if (!haveDrawing(state))
        return;
    const std::string out = std::string(kPath) + ".db.out";
    for (auto _ : state) {
        std::unique_ptr<AcDbDatabase> db = readBenchDrawing();
        kelvora::DxfDiagnostics d;
        if (db == nullptr || !kelvora::saveDrawingFile(*db, out, kelvora::kDefaultDrawingVersion, d))
            state.SkipWithError("the drawing did not convert");
    }
    std::filesystem::remove(out);
}
BENCHMARK(BM_DrawingConvert)->Unit(benchmark::kMillisecond);

}  // namespace
