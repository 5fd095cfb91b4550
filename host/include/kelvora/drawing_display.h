// The display: what each entity of the drawing last drew, as a screen would hold it, for picks, selections and extents.
#pragma once

#include <map>
#include <vector>

#include "dbid.h"
#include "kelvora/gi_recorder.h"

class AcDbDatabase;

namespace kelvora {

// The graphics of one top-level entity (model space or paper space), in world coordinates, as its
// worldDraw made them at the view's scale when it was last drawn.
struct DrawnEntity {
    std::vector<GiPrimitive> primitives;
};

// Drawing opens each entity for read and calls its worldDraw through the recorder (kelvora/
// gi_recorder.h), so what an entity does when it is displayed (a custom entity placing its labels)
// happens here. An entity that cannot be opened (a command holds it open for write) keeps what it
// drew last.
class DrawingDisplay {
public:
    // Draws every entity of model space and paper space again (ZOOM, PAN, REGEN, a new view).
    void regen(AcDbDatabase* db);
    // Draws the top-level entities behind the objects changed since the last call (the database's
    // list of changed objects): entities added or changed, the polyline of a changed vertex, every
    // entity when a layer, a block definition or a style changed; erased ones are dropped.
    void redrawChanged(AcDbDatabase* db);
    // Draws one entity again (or drops it when it is erased or gone).
    void drawEntity(AcDbObjectId id);

    // What the entity drew; null when it has not been drawn. An entity not drawn yet is drawn first.
    const DrawnEntity* graphicsOf(AcDbObjectId id);
    void clear();
    std::size_t size() const { return m_entities.size(); }

private:
    std::map<AcDbObjectId, DrawnEntity> m_entities;
};

DrawingDisplay& drawingDisplay();

// The entities a screen shows, in drawing order: model space's entities that are not erased and
// whose layer is on and thawed.
std::vector<AcDbObjectId> displayedEntities(AcDbDatabase* db);
// Whether a layer is on and thawed (a null or unknown layer counts as shown).
bool isLayerShown(AcDbObjectId layerId);

}  // namespace kelvora
