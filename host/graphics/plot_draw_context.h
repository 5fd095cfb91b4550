// The draw context of a plot: the graphics recorder, with the traits that nested drawables inherit and what each drawable is.
#pragma once

#include "kelvora/canvas.h"
#include "kelvora/gi_recorder.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class AcDbEntity;
class AcDbPolyline;

namespace kelvora {

class PlotLayers;

// The band of a lightweight polyline with widths, in world coordinates as seen from above.
struct PolylineBand {
    std::vector<PolylineVertex> vertices;             // bulges turned for a polyline seen from below
    std::vector<std::pair<double, double>> widths;    // start and end width of each vertex's segment
    bool closed = false;
    bool constant = false;  // one width throughout: drawn as one band with mitred corners
};

// What the painter needs to know of the drawable that emitted a primitive.
struct EmitterFacts {
    bool hatch = false;  // its filled polygons are the loops of one area, filled together
    int band = -1;       // index of its band, or -1
    bool polyline = false;  // a polyline: its runs and arc segments are one curve for its linetype
};

// Forwards every call to a GiRecorder, except that a drawable drawn inside another goes through
// a wrapper that resolves the traits it inherits (ByBlock colour, lineweight and linetype, layer
// "0") from the traits in effect where it is drawn, and leaves it out when its layer hides it.
// Each recorded primitive is tagged with the facts of the drawable that emitted it.
class PlotDrawContext final : public AcGiWorldDraw {
public:
    PlotDrawContext(GiRecorder& recorder, const PlotLayers& layers, AcDbObjectId byBlockLinetype);
    ~PlotDrawContext() override;
    PlotDrawContext(const PlotDrawContext&) = delete;
    PlotDrawContext& operator=(const PlotDrawContext&) = delete;

    // Records one entity of model space (open for read) after what was recorded before.
    void drawTop(AcDbEntity* entity);
    // Forgets every primitive recorded, the recorder's included.
    void clear();

    // For each primitive of the recorder: its emitter's index into facts().
    const std::vector<std::uint32_t>& emitters() const { return m_emitters; }
    const std::vector<EmitterFacts>& facts() const { return m_facts; }
    const std::vector<PolylineBand>& bands() const { return m_bands; }

    AcGiRegenType regenType() const override;
    Adesk::Boolean regenAbort() const override;
    AcGiSubEntityTraits& subEntityTraits() const override;
    AcGiGeometry* rawGeometry() const override;
    Adesk::Boolean isDragging() const override;
    AcGiContext* context() override;
    Adesk::UInt32 numberOfIsolines() const override;
    double deviation(const AcGiDeviationType type, const AcGePoint3d& pt) const override;
    AcGiWorldGeometry& geometry() const override;

private:
    class Geometry;
    class Wrapped;

    // Tags the primitives recorded since the last call with the current emitter.
    void tagRecorded();
    std::uint32_t addFacts(AcGiDrawable* drawable);
    void addBand(const AcDbPolyline& polyline, EmitterFacts& facts);

    GiRecorder& m_recorder;
    const PlotLayers& m_layers;
    AcDbObjectId m_byBlockLinetype;
    AcRxClass* m_hatchClass;
    std::unique_ptr<Geometry> m_geometry;
    std::vector<std::uint32_t> m_emitters;
    std::vector<EmitterFacts> m_facts;
    std::vector<PolylineBand> m_bands;
    std::uint32_t m_current = 0;
};

}  // namespace kelvora
