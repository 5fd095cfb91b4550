// AREAFIND: cuts fan-shaped parts of a requested area out of a surface, around a centre.
#include <cmath>
#include <memory>
#include <vector>

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "division/area_extraction.h"
#include "division/area_prompt.h"
#include "division/division_commands.h"
#include "division/division_tolerances.h"
#include "division/rest_hand_over.h"
#include "division/surface_pick.h"
#include "division/surface_pieces.h"
#include "geassign.h"
#include "surfaces/ne_surface.h"

namespace kelvora::division {

namespace {

using SurfacePtr = std::unique_ptr<NESurface>;

// What a series of parts says about a part that lost its vertices, before and after its rebuild.
struct SeriesMessages {
    const ACHAR* beforeRebuild;
    const ACHAR* afterRebuild;
};

void extractOnePart(NESurface* surface, const AcGePoint3d& centreWcs, double partArea, double startAngleRad)
{
    NESurface* rest = nullptr;
    NESurface* part = nullptr;
    if (!extractArea(surface, centreWcs, partArea, startAngleRad, rest, part)) {
        surface->close();
        return;
    }
    replaceByRestAndPart(surface, rest, part);
}

// The final rest takes the surface's place (or joins the drawing beside it when the surface cannot
// be replaced), then the parts are added in the order in which they were cut.
void finishSeries(NESurface* surface, SurfacePtr rest, std::vector<SurfacePtr>& parts, const SeriesMessages& messages)
{
    finishPiece(rest.get(), surface);
    for (SurfacePtr& part : parts) {
        if (part->numVerts() < 2)
            acutPrintf(messages.beforeRebuild);
        rebuild(part.get(), kFinalMergeTolerance);
        if (part->numVerts() < 2)
            acutPrintf(messages.afterRebuild);
        part->setPropertiesFrom(surface, Adesk::kTrue);
    }
    if (handOverToRest(surface, rest.get()))
        rest.release();
    else
        addPieceToModelSpace(rest.release());
    for (SurfacePtr& part : parts)
        addPieceToModelSpace(part.release());
    if (surface != nullptr)
        surface->close();
}

// Cuts parts one after the other out of what remains; after the first, each part pivots on the
// centre, which is then a vertex of the remainder. `more` says whether another part is wanted.
template <typename More, typename Took>
bool cutSeries(const NESurface* surface, const AcGePoint3d& centreWcs, double partArea, double startAngleRad,
               More more, Took took, SurfacePtr& rest, std::vector<SurfacePtr>& parts)
{
    rest.reset(cloneSurface(surface));
    if (!rest)
        return false;
    while (more()) {
        NESurface* nextRest = nullptr;
        NESurface* part = nullptr;
        if (!extractArea(rest.get(), centreWcs, partArea, startAngleRad, nextRest, part))
            return false;
        parts.emplace_back(part);
        rest.reset(nextRest);
        startAngleRad = kNoStartDirection;
        took();
    }
    return true;
}

void failSeries(NESurface* surface)
{
    acutPrintf(ACRX_T("\nEchec !"));
    surface->close();
}

// "=a": parts of area a as long as more than one part's worth remains.
void extractRepeatedParts(NESurface* surface, const AcGePoint3d& centreWcs, double partArea, double startAngleRad)
{
    double remainingParts = std::ceil(areaOf(surface) / partArea);
    if (remainingParts < 2.0) {
        // Not even one part fits beside a remainder: nothing to cut.
        failSeries(surface);
        return;
    }
    SurfacePtr rest;
    std::vector<SurfacePtr> parts;
    cutSeries(
        surface, centreWcs, partArea, startAngleRad, [&] { return remainingParts >= 2.0; },
        [&] { remainingParts -= 1.0; }, rest, parts);
    if (remainingParts >= 2.0 || !rest) {
        failSeries(surface);
        return;
    }
    finishSeries(surface, std::move(rest), parts, {ACRX_T("\nErr 141A31Z"), ACRX_T("\nErr 141A31W")});
}

// "/n": n parts of equal area; the last one is the remainder.
void extractEqualParts(NESurface* surface, const AcGePoint3d& centreWcs, double partArea, double startAngleRad)
{
    double remaining = areaOf(surface);
    // The remainder counts as one more part when it exceeds the part area only by the rounding of the
    // subtractions: asking the extraction for it would fail.
    auto more = [&] { return remaining - partArea > kAreaTolerance; };
    SurfacePtr rest;
    std::vector<SurfacePtr> parts;
    cutSeries(surface, centreWcs, partArea, startAngleRad, more, [&] { remaining -= partArea; }, rest, parts);
    if (more() || !rest) {
        failSeries(surface);
        return;
    }
    finishSeries(surface, std::move(rest), parts, {ACRX_T("\nErr 141A32"), ACRX_T("\nErr 141A33")});
}

}  // namespace

void commandAreaFind()
{
    NESurface* surface = pickSurfaceToDivide(ACRX_T("\nSelectionnez la surface a partager:"));
    if (surface == nullptr)
        return;
    ads_point centre;
    if (acedGetPoint(nullptr, ACRX_T("\nCentre du partage: "), centre) != RTNORM) {
        surface->close();
        return;
    }
    const AcGePoint3d centreWcs = asPnt3d(centre);
    AcGePoint3d nearest;
    if (surface->getClosestPointTo(centreWcs, surface->normal(), nearest, Adesk::kFalse) != Acad::eOk) {
        acutPrintf(ACRX_T("\nErreur dans la recherche du point le + proche"));
        surface->close();
        return;
    }
    double startAngleRad = kNoStartDirection;
    if (nearest.distanceTo(centreWcs) > kPickedOnBoundaryTolerance) {
        ads_real angle = 0.0;
        if (acedGetOrient(centre, ACRX_T("\nDirection de depart"), &angle) != RTNORM) {
            surface->close();
            return;
        }
        startAngleRad = angle;
    }
    AreaMode mode = AreaMode::kCancelled;
    double partArea = 0.0;
    int partCount = 0;
    readAreaToExtract(surface, mode, partArea, partCount);
    switch (mode) {
    case AreaMode::kOnePart:
        extractOnePart(surface, centreWcs, partArea, startAngleRad);
        break;
    case AreaMode::kRepeatedParts:
        extractRepeatedParts(surface, centreWcs, partArea, startAngleRad);
        break;
    case AreaMode::kEqualParts:
        extractEqualParts(surface, centreWcs, partArea, startAngleRad);
        break;
    case AreaMode::kCancelled:
        surface->close();
        break;
    }
}

}  // namespace kelvora::division
