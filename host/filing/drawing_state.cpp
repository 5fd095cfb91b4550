// The drawing file state kept with a database: one attachment under a fixed key.
#include "drawing_state.h"

#include "dbmain.h"
#include "drawing_header.h"
#include "drawing_object_writer.h"
#include "kelvora/assert.h"
#include "kelvora/database_internals.h"
#include "kelvora/drawing_file.h"

namespace kelvora {

namespace {

constexpr const char* kStateKey = "kelvora.drawing-file";

}  // namespace

DrawingFileState& drawingFileState(AcDbDatabase* db)
{
    KELVORA_ASSERT(db != nullptr, "the drawing file state belongs to a database");
    if (DrawingFileState* state = findDrawingFileState(db))
        return *state;
    auto state = std::make_shared<DrawingFileState>();
    DrawingFileState& ref = *state;
    setDatabaseAttachment(db, kStateKey, std::static_pointer_cast<void>(state));
    return ref;
}

DrawingFileState* findDrawingFileState(const AcDbDatabase* db)
{
    std::shared_ptr<void> data = databaseAttachment(db, kStateKey);
    return static_cast<DrawingFileState*>(data.get());
}

KeptDrawingData keptDrawingData(const AcDbDatabase& db)
{
    KeptDrawingData out;
    const DrawingFileState* state = findDrawingFileState(&db);
    if (state == nullptr)
        return out;
    for (const auto& [stub, kept] : state->kept)
        if (!AcDbObjectId(stub).isErased())
            ++out.wholeRecords[kept.dxfName];
    for (const auto& [stub, unread] : state->leftovers) {
        const AcDbObject* obj = peekObject(AcDbObjectId(stub));
        if (obj != nullptr && obj->isA() == unread.cls && !unread.groups.empty())
            ++out.unreadGroups[dxfNameOf(obj, state)];
    }
    for (const DxfHeaderVariable& v : state->header)
        if (!isModelledHeaderVariable(v.name))
            ++out.headerVariables;
    return out;
}

}  // namespace kelvora
