// The limit selection of the slope dialog: every selected entity, in order, becomes a limit.
#include "slopes/slope_limits.h"

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "slopes/slope_entity.h"

namespace kelvora::slopes {

void selectSlopeLimits(nPolyLineTalutee& slope)
{
    acutPrintf(ACRX_T("\nSelectionnez les limites des talus "));
    slope.clearLimitIds();
    ads_name selection;
    if (acedSSGet(ACRX_T(""), nullptr, nullptr, nullptr, selection) != RTNORM)
        return;
    Adesk::Int32 count = 0;
    acedSSLength(selection, &count);
    for (Adesk::Int32 i = 0; i < count; ++i) {
        ads_name entity;
        AcDbObjectId id;
        if (acedSSName(selection, i, entity) == RTNORM && acdbGetObjectId(id, entity) == Acad::eOk && !id.isNull())
            slope.appendLimitId(id);
    }
    acedSSFree(selection);
}

}  // namespace kelvora::slopes
