// EXPLODE: each selected entity is replaced by the simpler entities its own explode gives.
#include <string>

#include "command_support.h"
#include "dbobjptr.h"
#include "drawing_commands.h"

namespace kelvora::commands {

namespace {

void deletePieces(AcDbVoidPtrArray& pieces, int from)
{
    for (int i = from; i < pieces.length(); ++i)
        delete static_cast<AcDbEntity*>(pieces[i]);
}

// The pieces join the block that held the entity, then the entity is erased. False (and the
// entity left as it was) when it cannot be exploded.
bool explodeEntity(AcDbObjectId id)
{
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
    if (entity.openStatus() != Acad::eOk)
        return false;
    AcDbVoidPtrArray pieces;
    if (entity->explode(pieces) != Acad::eOk || pieces.isEmpty()) {
        deletePieces(pieces, 0);
        return false;
    }
    AcDbObjectId blockId = entity->blockId();
    for (int i = 0; i < pieces.length(); ++i) {
        // explode hands back new entities, in no database; the block takes each one.
        addToBlock(blockId, static_cast<AcDbEntity*>(pieces[i]));
    }
    entity->erase();
    return true;
}

}  // namespace

void explodeCommand()
{
    int failed = 0;
    for (AcDbObjectId id : editableOnly(selectObjects()))
        failed += explodeEntity(id) ? 0 : 1;
    if (failed > 0)
        say(L"\n" + std::to_wstring(failed) + L" could not be exploded.");
}

}  // namespace kelvora::commands
