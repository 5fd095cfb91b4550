// SPOLYINTERS: cuts a surface in two along a line, an infinite line, a ray or a polyline.
#include <string>
#include <vector>

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbhelpers/model_space.h"
#include "division/division_commands.h"
#include "division/surface_cut.h"
#include "division/surface_pieces.h"
#include "surfaces/ne_surface.h"

namespace kelvora::division {

namespace {

// Asks for an entity and opens it for read; null when there is no pick or it cannot be opened.
AcDbEntity* pickForRead(const ACHAR* prompt, bool sayWhy)
{
    ads_name picked;
    ads_point at;
    if (acedEntSel(prompt, picked, at) != RTNORM)
        return nullptr;
    AcDbObjectId id;
    if (acdbGetObjectId(id, picked) != Acad::eOk) {
        if (sayWhy)
            acutPrintf(ACRX_T("\nNothing selected  "));
        return nullptr;
    }
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) {
        if (sayWhy)
            acutPrintf(ACRX_T("\nInvalid selection "));
        return nullptr;
    }
    return entity;
}

// The parts enter the drawing with the surface's properties and label settings and their own lot
// text, then the cut surface is erased.
void replaceByParts(NESurface* surface, std::vector<NESurface*>& parts)
{
    for (NESurface* part : parts) {
        const std::wstring lotText = part->getLabelString(NESurface::kLotText);
        part->setPropertiesFrom(surface, Adesk::kTrue);
        part->setLabelString(NESurface::kLotText, lotText.c_str());
        AcDbObjectId id;
        if (appendToModelSpace(part, id) != Acad::eOk && id.isNull())
            delete part;
    }
    surface->erase();
}

}  // namespace

void commandSpolyInters()
{
    AcDbEntity* picked = pickForRead(ACRX_T("\nSelectionnez la surface a couper:"), true);
    if (picked == nullptr)
        return;
    if (!isExactlySurface(picked)) {
        picked->close();
        return;
    }
    auto* surface = static_cast<NESurface*>(picked);
    AcDbEntity* cutterEntity = pickForRead(ACRX_T("\nSelectionnez l'object avec lequel vous voulez couper:"), false);
    if (cutterEntity == nullptr) {
        surface->close();
        return;
    }
    const AcDbCurve* cutter = AcDbCurve::cast(cutterEntity);
    if (cutter == nullptr || surface->upgradeOpen() != Acad::eOk) {
        cutterEntity->close();
        surface->close();
        return;
    }
    // The pieces are copies of the surface: without labels while they are made.
    const Adesk::UInt16 labelFlags = surface->labelFlags();
    surface->setLabelFlags(0);
    std::vector<NESurface*> parts;
    cutSurfaceWith(surface, cutter, parts);
    surface->setLabelFlags(labelFlags);
    if (!parts.empty())
        replaceByParts(surface, parts);
    cutterEntity->close();
    surface->close();
}

}  // namespace kelvora::division
