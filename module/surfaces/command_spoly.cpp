// SPOLY: turns a picked polyline into a surface that takes over the polyline's identity.
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "surfaces/ne_surface.h"
#include "surfaces/surface_commands.h"

namespace kelvora::surfaces {

void commandSpoly()
{
    ads_name picked;
    ads_point at;
    if (acedEntSel(ACRX_T("\nSelectionnez la pline à convertir en surface:"), picked, at) != RTNORM)
        return;
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acdbGetObjectId(id, picked) != Acad::eOk || acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk) {
        acutPrintf(ACRX_T("\nErreur "));
        return;
    }
    AcDbPolyline* polyline = AcDbPolyline::cast(entity);
    if (polyline == nullptr) {
        entity->close();
        return;
    }
    auto* surface = new NESurface();
    surface->copyVerticesFrom(polyline);
    surface->setPropertiesFrom(polyline, Adesk::kTrue);
    // A refused hand-over leaves the polyline as it was and discards the new surface.
    const Acad::ErrorStatus es = polyline->handOverTo(surface, Adesk::kTrue, Adesk::kTrue);
    if (es != Acad::eObjectToBeDeleted) {
        delete surface;
        polyline->close();
        return;
    }
    delete polyline;
    surface->close();
}

}  // namespace kelvora::surfaces
