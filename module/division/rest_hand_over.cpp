// Putting the pieces of a divided surface into the drawing: the rest in the surface's place, the parts beside it.
#include "division/rest_hand_over.h"

#include "dbhelpers/model_space.h"
#include "division/division_tolerances.h"
#include "division/surface_pieces.h"
#include "surfaces/ne_surface.h"

namespace kelvora::division {

bool handOverToRest(NESurface*& surface, NESurface* rest)
{
    if (!surface->isWriteEnabled() && surface->upgradeOpen() != Acad::eOk)
        return false;
    if (surface->handOverTo(rest, Adesk::kTrue, Adesk::kTrue) != Acad::eObjectToBeDeleted)
        return false;
    delete surface;
    surface = nullptr;
    rest->close();
    return true;
}

void finishPiece(NESurface* piece, const NESurface* surface)
{
    rebuild(piece, kFinalMergeTolerance);
    piece->setPropertiesFrom(surface, Adesk::kTrue);
}

void addPieceToModelSpace(NESurface* piece)
{
    AcDbObjectId id;
    if (appendToModelSpace(piece, id) == Acad::eOk)
        return;
    // Not in the drawing: still ours to delete. In the drawing but not closed: close it.
    if (id.isNull())
        delete piece;
    else
        piece->close();
}

void replaceByRestAndPart(NESurface* surface, NESurface* rest, NESurface* part)
{
    finishPiece(rest, surface);
    finishPiece(part, surface);
    if (!handOverToRest(surface, rest)) {
        delete rest;
        delete part;
        surface->close();
        return;
    }
    addPieceToModelSpace(part);
}

}  // namespace kelvora::division
