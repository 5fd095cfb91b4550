// COPY: one copy of the selected entities, made through their own filing, moved by a displacement.
#include <string>

#include "command_support.h"
#include "dbobjptr.h"
#include "drawing_commands.h"

namespace kelvora::commands {

namespace {

// The copy goes into the block that holds the original, after everything in it.
bool copyEntity(AcDbObjectId id, const AcGeMatrix3d& xform)
{
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
    if (entity.openStatus() != Acad::eOk)
        return false;
    AcDbObjectId blockId = entity->blockId();
    AcDbEntity* copy = copyOf(entity);
    entity.close();
    if (copy == nullptr)
        return false;
    if (copy->transformBy(xform) != Acad::eOk) {
        delete copy;
        return false;
    }
    return !addToBlock(blockId, copy).isNull();
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
    for (AcDbObjectId id : ids)
        failed += copyEntity(id, xform) ? 0 : 1;
    if (failed > 0)
        say(L"\n" + std::to_wstring(failed) + L" could not be copied.");
}

}  // namespace kelvora::commands
