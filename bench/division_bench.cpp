// Benchmarks of the fan extraction: fifty equal parts of a 2,000-vertex surface, and one fan split on its own.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "dbapserv.h"
#include "dbmain.h"
#include "division/area_extraction.h"
#include "division/division_tolerances.h"
#include "division/fan_split.h"
#include "division/surface_pieces.h"
#include "surfaces/ne_surface.h"

namespace {

using namespace kelvora::division;

// A closed wavy ring, r = R (1 + 0.1 sin 7t), counter-clockwise and star-shaped about the origin,
// with every tenth segment a flat arc bulging outwards: a parcel with a long curved boundary.
std::unique_ptr<NESurface> wavyParcel(int n)
{
    auto surface = std::make_unique<NESurface>();
    for (int k = 0; k < n; ++k) {
        const double t = 2.0 * std::numbers::pi * k / n;
        const double r = 1000.0 * (1.0 + 0.1 * std::sin(7.0 * t));
        const double bulge = k % 10 == 5 ? 0.05 : 0.0;
        surface->addVertexAt(static_cast<unsigned int>(k), AcGePoint2d(r * std::cos(t), r * std::sin(t)), bulge);
    }
    surface->setClosed(Adesk::kTrue);
    return surface;
}

// The surface class registered and a working database, as in the program.
struct Session {
    AcDbDatabase db{true};
    AcDbDatabase* previous = nullptr;

    Session()
    {
        NESurface::rxInit();
        acrxBuildClassHierarchy();
        previous = acdbHostApplicationServices()->workingDatabase();
        acdbHostApplicationServices()->setWorkingDatabase(&db);
    }
    ~Session() { acdbHostApplicationServices()->setWorkingDatabase(previous); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
};

// What AREAFIND does for the answer "/50" with the centre inside: forty-nine extractions, each
// from what the previous one left (the first along the start direction, the others pivoting on the
// centre), then the final rebuild of every piece. Only the hand-over to the drawing is left out.
void BM_AreaFindFiftyEqualParts(benchmark::State& state)
{
    Session session;
    const int vertices = static_cast<int>(state.range(0));
    const std::unique_ptr<NESurface> surface = wavyParcel(vertices);
    const double share = areaOf(surface.get()) / 50.0;
    const AcGePoint3d centre(12.0, -7.0, 0.0);
    int parts = 0;
    for (auto _ : state) {
        std::unique_ptr<NESurface> rest(cloneSurface(surface.get()));
        std::vector<std::unique_ptr<NESurface>> cut;
        double remaining = areaOf(surface.get());
        double startAngle = 0.3;
        while (remaining - share > kAreaTolerance) {
            NESurface* nextRest = nullptr;
            NESurface* part = nullptr;
            if (!extractArea(rest.get(), centre, share, startAngle, nextRest, part)) {
                state.SkipWithError("an extraction failed");
                return;
            }
            cut.emplace_back(part);
            rest.reset(nextRest);
            startAngle = kNoStartDirection;
            remaining -= share;
        }
        rebuild(rest.get(), kFinalMergeTolerance);
        for (auto& part : cut)
            rebuild(part.get(), kFinalMergeTolerance);
        parts = static_cast<int>(cut.size()) + 1;
        benchmark::DoNotOptimize(rest.get());
    }
    state.counters["parts"] = parts;
}
BENCHMARK(BM_AreaFindFiftyEqualParts)->Arg(2000)->Unit(benchmark::kMillisecond);

// One split of the whole fan (centre plus the ring) at half its area: the sweep walks half the
// boundary, the case where measuring the growing part again at every vertex costs most.
void BM_SplitFanAtHalfArea(benchmark::State& state)
{
    Session session;
    const int vertices = static_cast<int>(state.range(0));
    const std::unique_ptr<NESurface> ring = wavyParcel(vertices);
    NESurface fan;
    fan.addVertexAt(0, AcGePoint2d(12.0, -7.0));
    for (unsigned int k = 0; k < ring->numVerts(); ++k)
        appendVertexFrom(&fan, ring.get(), k);
    appendVertexFrom(&fan, ring.get(), 0);
    fan.setBulgeAt(fan.numVerts() - 1, 0.0);
    fan.setClosed(Adesk::kTrue);
    const double half = areaOf(&fan) / 2.0;
    for (auto _ : state) {
        NESurface* rest = nullptr;
        NESurface* part = nullptr;
        splitFanAtArea(&fan, half, rest, part);
        benchmark::DoNotOptimize(part);
        delete rest;
        delete part;
    }
}
BENCHMARK(BM_SplitFanAtHalfArea)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
