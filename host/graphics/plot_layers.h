// The layers and linetypes as a plot sees them: colour, lineweight, dash pattern and whether what is on them is shown.
#pragma once

#include "acdb.h"
#include "dbcolor.h"
#include "dbid.h"
#include "kelvora/canvas.h"

#include <unordered_map>

class AcDbDatabase;

namespace kelvora {

struct PlotLayer {
    AcCmEntityColor colour;  // an index 1..255 or a true colour, never ByLayer or ByBlock
    AcDb::LineWeight lineWeight = AcDb::kLnWtByLwDefault;
    AcDbObjectId linetypeId;
    const LinetypePattern* linetype = nullptr;  // null: continuous
    bool off = false;
    bool frozen = false;
    bool plottable = true;
};

// A snapshot of the layer and linetype tables taken when a plot starts, read once so that each of
// a drawing's primitives finds its layer and dash pattern without opening them. The patterns live
// as long as the snapshot.
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

    // The dash pattern a primitive is drawn with, null for a continuous line: its own linetype,
    // ByLayer (or none) the layer's, ByBlock continuous (a block reference's drawables have had
    // their ByBlock resolved before they get here). Continuous, a linetype with no dashes, and
    // an id that is not a linetype of the drawing are continuous.
    const LinetypePattern* linetypeOf(AcDbObjectId linetypeId, AcDbObjectId layerId) const;
    // The pattern of a linetype record; null for continuous ones and ByLayer or ByBlock.
    const LinetypePattern* pattern(AcDbObjectId linetypeId) const;
    AcDbObjectId byLayerLinetype() const { return m_byLayer; }
    AcDbObjectId byBlockLinetype() const { return m_byBlock; }
    // LTSCALE: every linetype of the drawing is drawn this much larger.
    double ltscale() const { return m_ltscale; }

private:
    void readLinetypes(AcDbDatabase* db);

    std::unordered_map<Adesk::IntPtr, PlotLayer> m_layers;  // by AcDbObjectId::asOldId
    // Only dashed linetypes, by AcDbObjectId::asOldId; nodes keep their addresses.
    std::unordered_map<Adesk::IntPtr, LinetypePattern> m_patterns;
    AcDbObjectId m_layerZero;
    AcDbObjectId m_byLayer;
    AcDbObjectId m_byBlock;
    double m_ltscale = 1.0;
};

}  // namespace kelvora
