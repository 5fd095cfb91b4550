// The display: each entity drawn through the recorder at the view's scale, drawn again when it changes.
#include "kelvora/drawing_display.h"

#include "dbmain.h"
#include "dbsymtb.h"
#include "kelvora/database_internals.h"
#include "kelvora/view.h"

namespace kelvora {

namespace {

// Curves are drawn no further than this many pixels from their true shape: well below what a
// pick aperture of one pixel can tell.
constexpr double kDeviationPixels = 0.25;
// Entities own entities (a polyline its vertices) a level or two deep; a longer chain is damage.
constexpr int kMaxOwnerDepth = 16;

// What to draw again for a changed object: its top-level entity, nothing, or everything.
enum class Redraw { Entity, Nothing, Everything };

// The owner of an object, read through an open for read (erased objects included); null when the
// object cannot be opened.
bool ownerOf(AcDbObjectId id, AcDbObjectId& owner, bool& isEntity)
{
    AcDbObject* object = nullptr;
    if (acdbOpenAcDbObject(object, id, AcDb::kForRead, true) != Acad::eOk)
        return false;
    owner = object->ownerId();
    isEntity = AcDbEntity::cast(object) != nullptr;
    object->close();
    return true;
}

Redraw redrawFor(AcDbDatabase* db, AcDbObjectId id, AcDbObjectId& top)
{
    AcDbObject* object = peekObject(id);
    top = id;
    if (object == nullptr)
        return Redraw::Entity;
    if (AcDbEntity::cast(object) == nullptr) {
        // A layer, a block definition, a style or a linetype shows in many entities.
        bool shared = AcDbLayerTableRecord::cast(object) != nullptr || AcDbBlockTableRecord::cast(object) != nullptr ||
                      AcDbTextStyleTableRecord::cast(object) != nullptr ||
                      AcDbLinetypeTableRecord::cast(object) != nullptr;
        return shared ? Redraw::Everything : Redraw::Nothing;
    }
    // Walk up from owned entities (vertices, attributes) to the entity a space holds.
    AcDbObjectId current = id;
    for (int depth = 0; depth < kMaxOwnerDepth; ++depth) {
        AcDbObjectId owner;
        bool isEntity = false;
        if (!ownerOf(current, owner, isEntity))
            return Redraw::Entity;  // held open by someone: drawn again when it can be
        if (owner == db->modelSpaceId() || owner == db->paperSpaceId()) {
            top = current;
            return Redraw::Entity;
        }
        AcDbObject* ownerObject = peekObject(owner);
        if (ownerObject == nullptr)
            return Redraw::Nothing;
        if (AcDbEntity::cast(ownerObject) == nullptr)
            return Redraw::Everything;  // an entity of a block definition: its references change
        current = owner;
    }
    return Redraw::Nothing;
}

void appendSpace(AcDbObjectId spaceId, std::vector<AcDbObjectId>& ids)
{
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, spaceId, AcDb::kForRead) != Acad::eOk)
        return;
    for (AcDbObjectId id : space->entityIds()) {
        if (!id.isErased())
            ids.push_back(id);
    }
    space->close();
}

}  // namespace

void DrawingDisplay::regen(AcDbDatabase* db)
{
    m_entities.clear();
    if (db == nullptr)
        return;
    std::vector<AcDbObjectId> ids;
    appendSpace(db->modelSpaceId(), ids);
    appendSpace(db->paperSpaceId(), ids);
    takeChangedObjects(db);
    for (AcDbObjectId id : ids)
        drawEntity(id);
    takeChangedObjects(db);  // drawing only reads: what it touched needs no second drawing
}

void DrawingDisplay::redrawChanged(AcDbDatabase* db)
{
    if (db == nullptr)
        return;
    std::vector<AcDbObjectId> changed = takeChangedObjects(db);
    std::vector<AcDbObjectId> tops;
    for (AcDbObjectId id : changed) {
        AcDbObjectId top;
        switch (redrawFor(db, id, top)) {
        case Redraw::Everything:
            regen(db);
            return;
        case Redraw::Entity:
            tops.push_back(top);
            break;
        case Redraw::Nothing:
            break;
        }
    }
    for (AcDbObjectId id : tops)
        drawEntity(id);
    takeChangedObjects(db);
}

void DrawingDisplay::drawEntity(AcDbObjectId id)
{
    AcDbEntity* entity = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbEntity(entity, id, AcDb::kForRead);
    if (es == Acad::eWasOpenForWrite || es == Acad::eWasOpenForNotify)
        return;  // a command holds it: keep what it drew last
    if (es != Acad::eOk) {
        m_entities.erase(id);
        return;
    }
    DrawnEntity drawn;
    if (entity->visibility() == AcDb::kVisible) {
        GiRecorder recorder(entity->database());
        const double unitsPerPixel = currentView().unitsPerPixel;
        recorder.setPixelsPerUnit(1.0 / unitsPerPixel);
        recorder.setDeviation(unitsPerPixel * kDeviationPixels);
        recorder.drawEntity(entity);
        drawn.primitives = recorder.primitives();
    }
    entity->close();
    m_entities[id] = std::move(drawn);
}

const DrawnEntity* DrawingDisplay::graphicsOf(AcDbObjectId id)
{
    auto it = m_entities.find(id);
    if (it == m_entities.end()) {
        drawEntity(id);
        it = m_entities.find(id);
    }
    return it != m_entities.end() ? &it->second : nullptr;
}

void DrawingDisplay::clear()
{
    m_entities.clear();
}

DrawingDisplay& drawingDisplay()
{
    static DrawingDisplay display;
    return display;
}

bool isLayerShown(AcDbObjectId layerId)
{
    if (layerId.isNull())
        return true;
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, layerId, AcDb::kForRead) != Acad::eOk)
        return true;
    bool shown = !layer->isOff() && !layer->isFrozen();
    layer->close();
    return shown;
}

std::vector<AcDbObjectId> displayedEntities(AcDbDatabase* db)
{
    std::vector<AcDbObjectId> shown;
    if (db == nullptr)
        return shown;
    std::vector<AcDbObjectId> ids;
    appendSpace(db->modelSpaceId(), ids);
    for (AcDbObjectId id : ids) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk) {
            shown.push_back(id);  // held open by a command: still on the screen
            continue;
        }
        AcDbObjectId layer = entity->layerId();
        entity->close();
        if (isLayerShown(layer))
            shown.push_back(id);
    }
    return shown;
}

}  // namespace kelvora
