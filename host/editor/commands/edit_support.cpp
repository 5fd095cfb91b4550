// The selection side of the editing commands: selected entities, locked layers, displacements, transforms.
#include <string>
#include <vector>

#include "acedads.h"
#include "command_support.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "kelvora/host_commands.h"

namespace kelvora::commands {

std::vector<AcDbObjectId> selectObjects()
{
    std::vector<AcDbObjectId> ids;
    if (kelvora::selectObjects(ids) != RTNORM)
        ids.clear();
    return ids;
}

bool isOnLockedLayer(AcDbObjectId entityId)
{
    AcDbObjectPointer<AcDbEntity> entity(entityId, AcDb::kForRead);
    if (entity.openStatus() != Acad::eOk)
        return false;
    AcDbObjectPointer<AcDbLayerTableRecord> layer(entity->layerId(), AcDb::kForRead);
    return layer.openStatus() == Acad::eOk && layer->isLocked();
}

// Said right after the selection, before the command asks anything else, as the usual CAD
// programs do; the same entities would refuse their open for write (eOnLockedLayer) later.
std::vector<AcDbObjectId> editableOnly(const std::vector<AcDbObjectId>& ids)
{
    std::vector<AcDbObjectId> editable;
    int locked = 0;
    for (AcDbObjectId id : ids) {
        if (isOnLockedLayer(id))
            ++locked;
        else
            editable.push_back(id);
    }
    reportLockedLayer(locked);
    return editable;
}

std::optional<AcGeVector3d> askDisplacement()
{
    ads_point base = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify base point: ", base) != RTNORM)
        return std::nullopt;
    ads_point second = {0, 0, 0};
    int status = acedGetPoint(base, L"\nSpecify second point or <use first point as displacement>: ", second);
    if (status == RTNONE)
        return asPoint(base) - AcGePoint3d::kOrigin;
    if (status != RTNORM)
        return std::nullopt;
    return asPoint(second) - asPoint(base);
}

int transformEach(const std::vector<AcDbObjectId>& ids, const AcGeMatrix3d& xform, const ACHAR* verb)
{
    int refused = 0;
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
        if (entity.openStatus() != Acad::eOk || entity->transformBy(xform) != Acad::eOk)
            ++refused;
    }
    if (refused > 0)
        say(L"\n" + std::to_wstring(refused) + L" could not be " + verb + L".");
    return refused;
}

}  // namespace kelvora::commands
