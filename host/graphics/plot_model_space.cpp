// Model space onto a canvas: every shown entity drawn through the graphics recorder, in drawing order.
#include "kelvora/plot_drawing.h"

#include "plot_draw_context.h"
#include "plot_layers.h"
#include "recorder_to_canvas.h"

#include "dbents.h"
#include "dbsymtb.h"
#include "kelvora/database_internals.h"

#include <cmath>

namespace kelvora {

namespace {

// The entity under an id for drawing: opened for read, or, when a command holds it open for
// write, read in place. Null when it is erased or not an entity.
class DrawnEntity {
public:
    explicit DrawnEntity(AcDbObjectId id)
    {
        const Acad::ErrorStatus es = acdbOpenAcDbEntity(m_entity, id, AcDb::kForRead);
        if (es == Acad::eOk) {
            m_opened = true;
        } else if (es == Acad::eWasOpenForWrite) {
            AcDbEntity* held = AcDbEntity::cast(peekObject(id));
            m_entity = held != nullptr && !held->isErased() ? held : nullptr;
        } else {
            m_entity = nullptr;
        }
    }
    ~DrawnEntity()
    {
        if (m_opened)
            m_entity->close();
    }
    DrawnEntity(const DrawnEntity&) = delete;
    DrawnEntity& operator=(const DrawnEntity&) = delete;

    AcDbEntity* get() const { return m_entity; }

private:
    AcDbEntity* m_entity = nullptr;
    bool m_opened = false;
};

// Whether a top-level entity is drawn at all. A reference on a layer that is off is drawn, to
// show what it holds on other layers; its own layer's share is left out primitive by primitive.
bool isDrawn(const AcDbEntity& entity, const PlotLayers& layers)
{
    if (entity.visibility() == AcDb::kInvisible)
        return false;
    const AcDbObjectId layerId = entity.layerId();
    if (layers.isShown(layerId))
        return true;
    return !layers.isFrozen(layerId) && AcDbBlockReference::cast(&entity) != nullptr;
}

std::vector<AcDbObjectId> modelSpaceEntities(AcDbDatabase* db, Acad::ErrorStatus& es)
{
    AcDbBlockTableRecord* modelSpace = nullptr;
    es = acdbOpenObject(modelSpace, db->modelSpaceId(), AcDb::kForRead);
    if (es == Acad::eWasOpenForWrite) {
        modelSpace = AcDbBlockTableRecord::cast(peekObject(db->modelSpaceId()));
        es = modelSpace != nullptr ? Acad::eOk : es;
        return modelSpace != nullptr ? modelSpace->entityIds() : std::vector<AcDbObjectId>{};
    }
    if (es != Acad::eOk)
        return {};
    std::vector<AcDbObjectId> ids = modelSpace->entityIds();
    modelSpace->close();
    return ids;
}

}  // namespace

Acad::ErrorStatus drawModelSpace(AcDbDatabase* db, Canvas& canvas, std::vector<InfiniteLine>& infiniteLines,
                                 double deviation)
{
    if (db == nullptr)
        return Acad::eNullObjectPointer;
    Acad::ErrorStatus es = Acad::eOk;
    const std::vector<AcDbObjectId> ids = modelSpaceEntities(db, es);
    if (es != Acad::eOk)
        return es;
    const PlotLayers layers(db);
    GiRecorder recorder(db);
    recorder.setPlotGeneration(true);
    if (std::isfinite(deviation) && deviation > 0.0)
        recorder.setDeviation(deviation);
    PlotDrawContext context(recorder, layers, db->byBlockLinetype());
    RecorderToCanvas painter(canvas, layers, infiniteLines);
    for (const AcDbObjectId& id : ids) {
        const DrawnEntity entity(id);
        if (entity.get() == nullptr || !isDrawn(*entity.get(), layers))
            continue;
        context.clear();
        context.drawTop(entity.get());
        painter.paint(recorder.primitives(), context);
    }
    context.clear();
    return Acad::eOk;
}

}  // namespace kelvora
