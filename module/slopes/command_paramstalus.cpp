// PARAMSTALUS: edits the slope defaults in CParamTalus and can give them to every slope of the drawing.
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbhelpers/resource_scope.h"
#include "slopes/param_talus_dlg.h"
#include "slopes/slope_commands.h"
#include "slopes/slope_defaults.h"
#include "slopes/slope_dialog_exchange.h"
#include "slopes/slope_entity.h"

namespace kelvora::slopes {

namespace {

// Every slope of the drawing takes the six stroke parameters; side, display and limits stay.
void updateExistingSlopes(const SlopeDefaults& defaults)
{
    resbuf* filter = acutBuildList(RTDXF0, ACRX_T("NTALUS"), 0);
    ads_name selection;
    const int answer = acedSSGet(ACRX_T("X"), nullptr, nullptr, filter, selection);
    acutRelRb(filter);
    if (answer != RTNORM)
        return;
    Adesk::Int32 count = 0;
    acedSSLength(selection, &count);
    for (Adesk::Int32 i = 0; i < count; ++i) {
        ads_name name;
        AcDbObjectId id;
        AcDbEntity* entity = nullptr;
        if (acedSSName(selection, i, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk ||
            acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk)
            continue;
        if (nPolyLineTalutee* slope = nPolyLineTalutee::cast(entity)) {
            applyDefaults(defaults, *slope);
            slope->recordGraphicsModified();
        }
        entity->close();
    }
    acedSSFree(selection);
}

}  // namespace

void commandParamsTalus()
{
    ModuleResourceScope resources;
    CParamTalus dialog;
    loadDefaultsDialog(slopeDefaults(), dialog);
    if (dialog.DoModal() != IDOK)
        return;
    slopeDefaults() = defaultsFromDialog(dialog);
    if (dialog.m_updateExisting != 0)
        updateExistingSlopes(slopeDefaults());
}

}  // namespace kelvora::slopes
