// The layers as a plot sees them: colour, lineweight and whether what is on them is shown.
#pragma once

#include "acdb.h"
#include "dbcolor.h"
#include "dbid.h"

#include <unordered_map>

class AcDbDatabase;

namespace kelvora {

struct PlotLayer {
    AcCmEntityColor colour;  // an index 1..255 or a true colour, never ByLayer or ByBlock
    AcDb::LineWeight lineWeight = AcDb::kLnWtByLwDefault;
    bool off = false;
    bool frozen = false;
    bool plottable = true;
};

// A snapshot of the layer table taken when a plot starts, read once so that each of a drawing's
// primitives finds its layer without opening it.
class PlotLayers {
public:
    explicit PlotLayers(AcDbDatabase* db);

    // Null for an id that is not a layer of the drawing (an entity outside any database).
    const PlotLayer* find(AcDbObjectId layerId) const;
    // Layer "0": entities of a block on it take the layer of the reference that shows them.
    AcDbObjectId layerZero() const { return m_layerZero; }

    // What is on the layer is drawn: it is on, thawed and plottable. Unknown layers are shown.
    bool isShown(AcDbObjectId layerId) const;
    bool isFrozen(AcDbObjectId layerId) const;

private:
    std::unordered_map<Adesk::IntPtr, PlotLayer> m_layers;  // by AcDbObjectId::asOldId
    AcDbObjectId m_layerZero;
};

}  // namespace kelvora
