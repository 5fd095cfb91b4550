// COPY: one copy of the selected entities, deep cloned through their own filing and moved by a displacement.
#include <algorithm>
#include <string>
#include <utility>

#include "command_support.h"
#include "dbidmap.h"
#include "dbobjptr.h"
#include "drawing_commands.h"

namespace kelvora::commands {

namespace {

// The selected entities grouped by the block that holds them, blocks in order of first appearance,
// so that each copy goes into its original's block, after everything in it, in selection order.
std::vector<std::pair<AcDbObjectId, AcDbObjectIdArray>> byBlock(const std::vector<AcDbObjectId>& ids)
{
    std::vector<std::pair<AcDbObjectId, AcDbObjectIdArray>> groups;
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (entity.openStatus() != Acad::eOk)
            continue;
        const AcDbObjectId blockId = entity->blockId();
        auto it = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == blockId; });
        if (it == groups.end()) {
            groups.push_back({blockId, AcDbObjectIdArray()});
            it = groups.end() - 1;
        }
        it->second.append(id);
    }
    return groups;
}

// Moves a clone; one that cannot be moved is taken out again.
bool moveClone(AcDbObjectId cloneId, const AcGeMatrix3d& xform)
{
    AcDbObjectPointer<AcDbEntity> clone(cloneId, AcDb::kForWrite);
    if (clone.openStatus() != Acad::eOk)
        return false;
    if (clone->transformBy(xform) == Acad::eOk)
        return true;
    clone->erase();
    return false;
}

// Copies one block's share of the selection; answers how many could not be copied.
int copyGroup(AcDbObjectId blockId, AcDbObjectIdArray& ids, const AcGeMatrix3d& xform)
{
    AcDbDatabase* db = blockId.database();
    if (db == nullptr)
        return ids.length();
    AcDbIdMapping map;
    db->deepCloneObjects(ids, blockId, map);
    int failed = 0;
    for (const AcDbObjectId& id : ids) {
        AcDbIdPair pair(id, AcDbObjectId(), false);
        const bool cloned = map.compute(pair) && pair.isCloned() && !pair.value().isNull();
        failed += cloned && moveClone(pair.value(), xform) ? 0 : 1;
    }
    return failed;
}

}  // namespace

void copyCommand()
{
    std::vector<AcDbObjectId> ids = editableOnly(selectObjects());
    if (ids.empty())
        return;
    std::optional<AcGeVector3d> displacement = askDisplacement();
    if (!displacement)
        return;
    AcGeMatrix3d xform = AcGeMatrix3d::translation(*displacement);
    int failed = 0;
    for (auto& [blockId, group] : byBlock(ids))
        failed += copyGroup(blockId, group, xform);
    if (failed > 0)
        say(L"\n" + std::to_wstring(failed) + L" could not be copied.");
}

}  // namespace kelvora::commands
