// DIRECTIONAREAFIND: cuts parts of a requested area off a surface with cuts parallel to a direction.
#include <memory>
#include <vector>

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "division/area_prompt.h"
#include "division/directional_cut.h"
#include "division/division_commands.h"
#include "division/division_tolerances.h"
#include "division/rest_hand_over.h"
#include "division/surface_pick.h"
#include "division/surface_pieces.h"
#include "surfaces/ne_surface.h"

namespace kelvora::division {

namespace {

using SurfacePtr = std::unique_ptr<NESurface>;

void cutOnePart(NESurface* surface, double partArea, double directionRad)
{
    NESurface* rest = nullptr;
    NESurface* part = nullptr;
    if (!cutAreaByDirection(surface, partArea, directionRad, rest, part)) {
        surface->close();
        return;
    }
    replaceByRestAndPart(surface, rest, part);
}

// The final rest takes the surface's place (or joins the drawing beside it), then the parts, with the
// rest's properties and label settings, are added in the order of cutting.
void finishSeries(NESurface* surface, SurfacePtr rest, std::vector<SurfacePtr>& parts)
{
    finishPiece(rest.get(), surface);
    for (SurfacePtr& part : parts)
        finishPiece(part.get(), rest.get());
    if (handOverToRest(surface, rest.get()))
        rest.release();
    else
        addPieceToModelSpace(rest.release());
    for (SurfacePtr& part : parts)
        addPieceToModelSpace(part.release());
    if (surface != nullptr)
        surface->close();
}

// Cuts one more part off the left of what remains; false when the cut fails.
bool cutNext(SurfacePtr& rest, double partArea, double directionRad, std::vector<SurfacePtr>& parts)
{
    NESurface* nextRest = nullptr;
    NESurface* part = nullptr;
    if (!cutAreaByDirection(rest.get(), partArea, directionRad, nextRest, part))
        return false;
    parts.emplace_back(part);
    rest.reset(nextRest);
    return true;
}

// "=a": parts of area a while more than a remains.
void cutRepeatedParts(NESurface* surface, double partArea, double directionRad)
{
    SurfacePtr rest(cloneSurface(surface));
    if (!isExactlySurface(rest.get())) {
        acutPrintf(ACRX_T("\nErr 1437981 "));
        surface->close();
        return;
    }
    double remaining = areaOf(rest.get());
    // A remainder above the part area only by the rounding of the subtractions is the last part.
    auto more = [&] { return remaining - partArea > kAreaTolerance; };
    std::vector<SurfacePtr> parts;
    while (more() && cutNext(rest, partArea, directionRad, parts))
        remaining -= partArea;
    if (more()) {
        acutPrintf(ACRX_T("\nEchec !"));
        surface->close();
        return;
    }
    finishSeries(surface, std::move(rest), parts);
}

// "/n": n strips of equal area; the last one is the remainder.
void cutEqualParts(NESurface* surface, int count, double directionRad)
{
    SurfacePtr rest(cloneSurface(surface));
    if (!rest) {
        surface->close();
        return;
    }
    const double partArea = areaOf(rest.get()) / count;
    std::vector<SurfacePtr> parts;
    while (count >= 2 && cutNext(rest, partArea, directionRad, parts))
        --count;
    if (count != 1) {
        surface->close();
        return;
    }
    finishSeries(surface, std::move(rest), parts);
}

}  // namespace

void commandDirectionAreaFind()
{
    NESurface* surface = pickSurfaceToDivide(ACRX_T("\nSelectionnez une surface:"));
    if (surface == nullptr)
        return;
    ads_real directionRad = 0.0;
    if (acedGetOrient(nullptr, ACRX_T("\nDirection du partage :"), &directionRad) != RTNORM) {
        surface->close();
        return;
    }
    AreaMode mode = AreaMode::kCancelled;
    double partArea = 0.0;
    int partCount = 0;
    readAreaToExtract(surface, mode, partArea, partCount);
    switch (mode) {
    case AreaMode::kOnePart:
        cutOnePart(surface, partArea, directionRad);
        break;
    case AreaMode::kRepeatedParts:
        cutRepeatedParts(surface, partArea, directionRad);
        break;
    case AreaMode::kEqualParts:
        cutEqualParts(surface, partCount, directionRad);
        break;
    case AreaMode::kCancelled:
        surface->close();
        break;
    }
}

}  // namespace kelvora::division
