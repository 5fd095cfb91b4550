// DDTALUT: edits a picked slope's parameters and limits in DlgTalus.
#include "dbhelpers/resource_scope.h"
#include "dbhelpers/selection.h"
#include "slopes/dlg_talus.h"
#include "slopes/slope_commands.h"
#include "slopes/slope_dialog_exchange.h"
#include "slopes/slope_entity.h"

namespace kelvora::slopes {

// Runs the slope dialog on a slope open for write; on OK the slope takes the dialog's values.
void editSlopeDialog(nPolyLineTalutee& slope)
{
    ModuleResourceScope resources;
    DlgTalus dialog;
    loadSlopeDialog(slope, dialog);
    if (dialog.DoModal() != IDOK)
        return;
    // Already open for write when the caller opened it so; the upgrade only matters otherwise.
    if (!slope.isWriteEnabled())
        slope.upgradeOpen();
    storeSlopeDialog(dialog, slope);
    slope.recordGraphicsModified();
}

void commandDdtalut()
{
    AcDbObjectId id;
    AcDbEntity* entity = pickEntity(id, ACRX_T("\nSélectionner un talus"), AcDb::kForWrite);
    if (entity == nullptr)
        return;
    if (nPolyLineTalutee* slope = nPolyLineTalutee::cast(entity))
        editSlopeDialog(*slope);
    entity->close();
}

}  // namespace kelvora::slopes
