// The layers and linetypes as a plot sees them, read once from their tables when the plot starts.
#include "plot_layers.h"

#include "dbsymtb.h"
#include "kelvora/wide_text.h"

#include <cmath>
#include <memory>

namespace kelvora {

namespace {

// A layer colour that names no colour (ByLayer, ByBlock, an index out of range) is drawn as
// colour 7, as the layer dialogs of CAD programs show it.
AcCmEntityColor drawableLayerColour(const AcCmEntityColor& colour)
{
    if (colour.isByColor())
        return colour;
    const Adesk::Int16 index = colour.colorIndex();
    AcCmEntityColor result;
    result.setColorIndex(index >= 1 && index <= 255 ? index : 7);
    return result;
}

// A pattern draws dashes only when it has both ink (a dash or dot) and a gap; embedded texts and
// shapes are left out, their dash lengths kept.
bool isDashed(const LinetypePattern& pattern)
{
    bool ink = false;
    bool gap = false;
    for (const double dash : pattern.dashes) {
        ink = ink || dash >= 0.0;
        gap = gap || dash < 0.0;
    }
    return ink && gap;
}

}  // namespace

PlotLayers::PlotLayers(AcDbDatabase* db)
{
    if (db == nullptr)
        return;
    readLinetypes(db);
    AcDbLayerTable* table = nullptr;
    if (db->getLayerTable(table, AcDb::kForRead) != Acad::eOk)
        return;
    AcDbLayerTableIterator* raw = nullptr;
    const Acad::ErrorStatus es = table->newIterator(raw);
    table->close();
    if (es != Acad::eOk)
        return;
    const std::unique_ptr<AcDbLayerTableIterator> it(raw);
    for (; !it->done(); it->step()) {
        AcDbLayerTableRecord* record = nullptr;
        if (it->getRecord(record, AcDb::kForRead) != Acad::eOk)
            continue;
        PlotLayer layer;
        layer.colour = drawableLayerColour(record->color().entityColor());
        layer.lineWeight = record->lineWeight();
        layer.linetypeId = record->linetypeObjectId();
        layer.linetype = pattern(layer.linetypeId);
        layer.off = record->isOff();
        layer.frozen = record->isFrozen();
        layer.plottable = record->isPlottable();
        const ACHAR* name = nullptr;
        if (record->getName(name) == Acad::eOk && name != nullptr && namesEqual(name, L"0"))
            m_layerZero = record->objectId();
        m_layers.emplace(record->objectId().asOldId(), layer);
        record->close();
    }
}

void PlotLayers::readLinetypes(AcDbDatabase* db)
{
    m_byLayer = db->byLayerLinetype();
    m_byBlock = db->byBlockLinetype();
    const double ltscale = db->ltscale();
    m_ltscale = std::isfinite(ltscale) && ltscale > 0.0 ? ltscale : 1.0;
    AcDbLinetypeTable* table = nullptr;
    if (db->getLinetypeTable(table, AcDb::kForRead) != Acad::eOk)
        return;
    AcDbLinetypeTableIterator* raw = nullptr;
    const Acad::ErrorStatus es = table->newIterator(raw);
    table->close();
    if (es != Acad::eOk)
        return;
    const std::unique_ptr<AcDbLinetypeTableIterator> it(raw);
    for (; !it->done(); it->step()) {
        AcDbLinetypeTableRecord* record = nullptr;
        if (it->getRecord(record, AcDb::kForRead) != Acad::eOk)
            continue;
        LinetypePattern pattern;
        const int count = record->numDashes();
        for (int i = 0; i < count; ++i)
            pattern.dashes.push_back(record->dashLengthAt(i));
        if (isDashed(pattern) && record->objectId() != m_byLayer && record->objectId() != m_byBlock)
            m_patterns.emplace(record->objectId().asOldId(), std::move(pattern));
        record->close();
    }
}

const LinetypePattern* PlotLayers::pattern(AcDbObjectId linetypeId) const
{
    if (m_patterns.empty() || linetypeId.isNull())
        return nullptr;
    const auto it = m_patterns.find(linetypeId.asOldId());
    return it != m_patterns.end() ? &it->second : nullptr;
}

const LinetypePattern* PlotLayers::linetypeOf(AcDbObjectId linetypeId, AcDbObjectId layerId) const
{
    if (m_patterns.empty())
        return nullptr;
    if (linetypeId.isNull() || linetypeId == m_byLayer) {
        const PlotLayer* layer = find(layerId);
        return layer != nullptr ? layer->linetype : nullptr;
    }
    return pattern(linetypeId);
}

const PlotLayer* PlotLayers::find(AcDbObjectId layerId) const
{
    const auto it = m_layers.find(layerId.asOldId());
    return it != m_layers.end() ? &it->second : nullptr;
}

bool PlotLayers::isShown(AcDbObjectId layerId) const
{
    const PlotLayer* layer = find(layerId);
    return layer == nullptr || (!layer->off && !layer->frozen && layer->plottable);
}

bool PlotLayers::isFrozen(AcDbObjectId layerId) const
{
    const PlotLayer* layer = find(layerId);
    return layer != nullptr && layer->frozen;
}

}  // namespace kelvora
