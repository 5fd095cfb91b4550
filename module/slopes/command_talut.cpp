// TALUT: turns a picked polyline into a slope in place, with the current defaults and the limits the user selects.
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "slopes/slope_commands.h"
#include "slopes/slope_entity.h"

namespace kelvora::slopes {

namespace {

// The selected entities, in selection order, except the polyline itself.
void appendSelectedLimits(const ads_name selection, AcDbObjectId own, nPolyLineTalutee& slope)
{
    Adesk::Int32 count = 0;
    acedSSLength(selection, &count);
    for (Adesk::Int32 i = 0; i < count; ++i) {
        ads_name entity;
        AcDbObjectId id;
        if (acedSSName(selection, i, entity) != RTNORM || acdbGetObjectId(id, entity) != Acad::eOk)
            continue;
        if (id != own)
            slope.appendLimitId(id);
    }
}

}  // namespace

void commandTalut()
{
    ads_name picked;
    ads_point at;
    if (acedEntSel(ACRX_T("\nSelectionnez une polyline:"), picked, at) != RTNORM)
        return;
    AcDbObjectId id;
    if (acdbGetObjectId(id, picked) != Acad::eOk) {
        acutPrintf(ACRX_T("\nErreur GetObjectId"));
        return;
    }
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk) {
        acutPrintf(ACRX_T("\nErreur Opening entity"));
        return;
    }
    AcDbPolyline* polyline = AcDbPolyline::cast(entity);
    if (polyline == nullptr) {
        entity->close();
        return;
    }
    // Only the outline and the entity properties pass over: widths, normal and elevation do not.
    auto* slope = new nPolyLineTalutee();
    slope->copyOutlineFrom(*polyline);

    acutPrintf(ACRX_T("\nSelectionnez les limites des talus "));
    ads_name selection;
    const int answer = acedSSGet(ACRX_T(""), nullptr, nullptr, nullptr, selection);
    if (answer == RTCAN) {
        delete slope;
        polyline->close();
        return;
    }
    if (answer == RTNORM) {
        appendSelectedLimits(selection, id, *slope);
        acedSSFree(selection);
    }
    slope->setPropertiesFrom(polyline);
    // A refused hand-over leaves the polyline as it was and discards the new slope.
    if (polyline->handOverTo(slope, Adesk::kTrue, Adesk::kTrue) != Acad::eObjectToBeDeleted) {
        delete slope;
        polyline->close();
        return;
    }
    delete polyline;
    slope->close();
}

}  // namespace kelvora::slopes
