// Picking the surface that AREAFIND or DIRECTIONAREAFIND divides.
#include "division/surface_pick.h"

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "division/surface_pieces.h"
#include "geometry/polyline_kernel.h"
#include "surfaces/ne_surface.h"

namespace kelvora::division {

NESurface* pickSurfaceToDivide(const ACHAR* prompt)
{
    ads_name picked;
    ads_point at;
    if (acedEntSel(prompt, picked, at) != RTNORM)
        return nullptr;
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acdbGetObjectId(id, picked) != Acad::eOk || acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
        return nullptr;
    if (!isExactlySurface(entity)) {
        acutPrintf(ACRX_T("\nCe n'est pas une surface"));
        entity->close();
        return nullptr;
    }
    auto* surface = static_cast<NESurface*>(entity);
    if (isSelfIntersecting(surface)) {
        acutPrintf(ACRX_T("\nCette surface s'auto intersecte. opération refusée"));
        surface->close();
        return nullptr;
    }
    return surface;
}

}  // namespace kelvora::division
