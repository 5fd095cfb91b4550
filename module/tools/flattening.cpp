// Flattening a selection of custom objects into model-space host entities.
#include "tools/flattening.h"

#include "acedads.h"
#include "adscodes.h"
#include "dbhelpers/model_space.h"
#include "dbmain.h"
#include "dbptrar.h"

namespace kelvora::tools {

namespace {

// Each exploded piece goes to model space; a piece that could not be appended belongs to nobody
// and is deleted.
void appendPieces(AcDbVoidPtrArray& pieces)
{
    for (int i = 0; i < pieces.length(); ++i) {
        auto* piece = static_cast<AcDbEntity*>(pieces[i]);
        if (piece == nullptr)
            continue;
        AcDbObjectId id;
        if (appendToModelSpace(piece, id) != Acad::eOk && piece->objectId().isNull())
            delete piece;
    }
}

bool flattenMember(const ads_name member)
{
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acdbGetObjectId(id, member) != Acad::eOk || acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk)
        return false;
    // The entity's own explode decides what it becomes; what it managed to make is kept even when
    // it reports a failure.
    AcDbVoidPtrArray pieces;
    entity->explode(pieces);
    appendPieces(pieces);
    entity->erase();
    entity->close();
    return true;
}

}  // namespace

int flattenSelection(const ads_name selection)
{
    Adesk::Int32 count = 0;
    if (acedSSLength(selection, &count) != RTNORM)
        return 0;
    int replaced = 0;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        ads_name member;
        if (acedSSName(selection, i, member) == RTNORM && flattenMember(member))
            ++replaced;
    }
    return replaced;
}

}  // namespace kelvora::tools
