// DDSPOLY: edits a picked surface's label settings in SurfaceDlg.
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbhelpers/resource_scope.h"
#include "surfaces/ne_surface.h"
#include "surfaces/surface_commands.h"
#include "surfaces/surface_dlg.h"

namespace kelvora::surfaces {

void commandDdspoly()
{
    ads_name picked;
    ads_point at;
    if (acedEntSel(ACRX_T("\nSelectionnez la surface a modifier:"), picked, at) != RTNORM)
        return;
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acdbGetObjectId(id, picked) != Acad::eOk || acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk) {
        acutPrintf(ACRX_T("\nErreur "));
        return;
    }
    if (entity->isA() == NESurface::desc()) {
        auto* surface = static_cast<NESurface*>(entity);
        ModuleResourceScope resources;
        SurfaceDlg dialog;
        surface->fillSurfaceDialog(dialog);
        if (dialog.DoModal() == IDOK)
            surface->readSurfaceDialog(dialog);
    }
    entity->close();
}

}  // namespace kelvora::surfaces
