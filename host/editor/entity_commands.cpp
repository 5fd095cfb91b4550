// The entity commands ERASE and LIST.
#include <vector>

#include "acedads.h"
#include "dbmain.h"
#include "kelvora/host_commands.h"

namespace kelvora {

namespace {

void eraseCommand()
{
    std::vector<AcDbObjectId> ids;
    if (selectObjects(ids) != RTNORM)
        return;
    int locked = 0;
    for (AcDbObjectId id : ids) {
        AcDbEntity* entity = nullptr;
        Acad::ErrorStatus es = acdbOpenAcDbEntity(entity, id, AcDb::kForWrite);
        if (es == Acad::eOnLockedLayer)
            ++locked;
        if (es != Acad::eOk)
            continue;
        entity->erase();
        entity->close();
    }
    reportLockedLayer(locked);
}

void listCommand()
{
    std::vector<AcDbObjectId> ids;
    if (selectObjects(ids) != RTNORM)
        return;
    for (AcDbObjectId id : ids) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            continue;
        entity->list();
        entity->close();
    }
}

}  // namespace

}  // namespace kelvora

KELVORA_HOST_COMMAND(ERASE, kelvora::eraseCommand);
KELVORA_HOST_COMMAND(LIST, kelvora::listCommand);
