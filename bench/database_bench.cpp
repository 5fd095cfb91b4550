// Benchmarks of the database with polylines: a million created, appended, opened and closed; distances on long polylines.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "dbapserv.h"
#include "dbpl.h"
#include "dbsymtb.h"

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

// A working database for the benchmark's life.
class BenchDatabase {
public:
    BenchDatabase() : m_db(std::make_unique<AcDbDatabase>(true))
    {
        m_previous = acdbHostApplicationServices()->workingDatabase();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    }
    ~BenchDatabase() { acdbHostApplicationServices()->setWorkingDatabase(m_previous); }
    AcDbDatabase* get() const { return m_db.get(); }

private:
    std::unique_ptr<AcDbDatabase> m_db;
    AcDbDatabase* m_previous = nullptr;
};

AcDbBlockTableRecord* openModelSpace(AcDbDatabase* db)
{
    AcDbBlockTable* table = nullptr;
    db->getBlockTable(table, AcDb::kForRead);
    AcDbBlockTableRecord* space = nullptr;
    table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
    table->close();
    return space;
}

// A parcel-like closed polyline of four vertices, one side an arc.
AcDbPolyline* parcel(double x, double y)
{
    auto* pl = new AcDbPolyline(4);
    pl->addVertexAt(0, AcGePoint2d(x, y), 0.2);
    pl->addVertexAt(1, AcGePoint2d(x + 10, y));
    pl->addVertexAt(2, AcGePoint2d(x + 10, y + 10));
    pl->addVertexAt(3, AcGePoint2d(x, y + 10));
    pl->setClosed(Adesk::kTrue);
    return pl;
}

std::vector<AcDbObjectId> appendParcels(AcDbDatabase* db, int count)
{
    std::vector<AcDbObjectId> ids;
    ids.reserve(static_cast<size_t>(count));
    AcDbBlockTableRecord* space = openModelSpace(db);
    for (int i = 0; i < count; ++i) {
        AcDbPolyline* pl = parcel((i % 1000) * 20.0, (i / 1000) * 20.0);
        AcDbObjectId id;
        space->appendAcDbEntity(id, pl);
        pl->close();
        ids.push_back(id);
    }
    space->close();
    return ids;
}

// A long polyline whose every other segment is an arc.
std::unique_ptr<AcDbPolyline> longPolyline(int vertices)
{
    auto pl = std::make_unique<AcDbPolyline>(static_cast<unsigned int>(vertices));
    for (int i = 0; i < vertices; ++i)
        pl->addVertexAt(static_cast<unsigned int>(i), AcGePoint2d(i, (i % 3) * 0.5), (i % 2 == 0) ? 0.3 : 0.0);
    return pl;
}

}  // namespace

// Creating polylines and appending them to model space (each closed after its append).
void BM_PolylineCreateAppend(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto db = std::make_unique<BenchDatabase>();
        state.ResumeTiming();
        std::vector<AcDbObjectId> ids = appendParcels(db->get(), count);
        benchmark::DoNotOptimize(ids.data());
        state.PauseTiming();
        db.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_PolylineCreateAppend)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

// Opening every polyline of a million for read and closing it, then the same for write.
void BM_PolylineOpenClose(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    BenchDatabase db;
    std::vector<AcDbObjectId> ids = appendParcels(db.get(), count);
    for (auto _ : state) {
        for (const AcDbObjectId& id : ids) {
            AcDbPolyline* pl = nullptr;
            acdbOpenObject(pl, id, AcDb::kForRead);
            benchmark::DoNotOptimize(pl->numVerts());
            pl->close();
        }
        for (const AcDbObjectId& id : ids) {
            AcDbPolyline* pl = nullptr;
            acdbOpenObject(pl, id, AcDb::kForWrite);
            pl->close();
        }
    }
    state.SetItemsProcessed(state.iterations() * count * 2);
}
BENCHMARK(BM_PolylineOpenClose)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

// One getDistAtParam on a polyline of N vertices (the lengths are cached after the first query):
// the time per query must not grow with N.
void BM_DistAtParam(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    auto pl = longPolyline(n);
    double end = 0.0;
    pl->getEndParam(end);
    Lcg rng;
    double dist = 0.0;
    pl->getDistAtParam(end, dist);  // fills the cache
    for (auto _ : state) {
        pl->getDistAtParam(rng.next() * end, dist);
        benchmark::DoNotOptimize(dist);
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_DistAtParam)->RangeMultiplier(10)->Range(1000, 100000)->Complexity();

// One getParamAtDist on a polyline of N vertices: a binary search, O(log N).
void BM_ParamAtDist(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    auto pl = longPolyline(n);
    double end = 0.0;
    double length = 0.0;
    pl->getEndParam(end);
    pl->getDistAtParam(end, length);
    Lcg rng;
    double param = 0.0;
    for (auto _ : state) {
        pl->getParamAtDist(rng.next() * length, param);
        benchmark::DoNotOptimize(param);
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_ParamAtDist)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oLogN);

// The first query after a change rebuilds the lengths: O(N) once, for comparison.
void BM_DistAtParamAfterChange(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    auto pl = longPolyline(n);
    double end = 0.0;
    pl->getEndParam(end);
    double dist = 0.0;
    for (auto _ : state) {
        pl->setBulgeAt(0, 0.3);  // any change drops the cached lengths
        pl->getDistAtParam(end / 2.0, dist);
        benchmark::DoNotOptimize(dist);
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_DistAtParamAfterChange)->RangeMultiplier(10)->Range(1000, 100000)->Complexity(benchmark::oN);
