// The layers as a plot sees them, read once from the layer table when the plot starts.
#include "plot_layers.h"

#include "dbsymtb.h"
#include "kelvora/wide_text.h"

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

}  // namespace

PlotLayers::PlotLayers(AcDbDatabase* db)
{
    if (db == nullptr)
        return;
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
