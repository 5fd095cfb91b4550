// DDXPOLY: edits a picked special line's decoration in XPOLYDIAL.
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbhelpers/resource_scope.h"
#include "speciallines/extended_polyline.h"
#include "speciallines/special_line_commands.h"
#include "speciallines/special_line_dialog_exchange.h"
#include "speciallines/xpoly_dialog.h"

namespace kelvora::speciallines {

void commandDdxpoly()
{
    ads_name picked;
    ads_point at;
    if (acedEntSel(ACRX_T("\nSelectionnez la pline:"), picked, at) != RTNORM)
        return;
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acdbGetObjectId(id, picked) != Acad::eOk || acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk) {
        acutPrintf(ACRX_T("\nErreur "));
        return;
    }
    if (entity->isA() != eXtendedPolyline::desc()) {
        acutPrintf(ACRX_T("\nErreur ce n'est pas une ligne speciale"));
        entity->close();
        return;
    }
    auto* line = static_cast<eXtendedPolyline*>(entity);
    {
        ModuleResourceScope resources;
        XPOLYDIAL dialog;
        fillDialog(*line, dialog);
        if (dialog.DoModal() == IDOK)
            applyDialog(*line, dialog);
    }
    line->close();
}

}  // namespace kelvora::speciallines
