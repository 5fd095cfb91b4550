// Recorded primitives onto a canvas: colours, lineweights, fills, true arcs and texts as a plot shows them.
#pragma once

#include "plot_draw_context.h"

#include "kelvora/plot_drawing.h"

#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace kelvora {

class PlotLayers;
struct FontFace;

// Paints the primitives of one top-level drawing, in order, with the rules of drawModelSpace.
class RecorderToCanvas {
public:
    RecorderToCanvas(Canvas& canvas, const PlotLayers& layers, std::vector<InfiniteLine>& infiniteLines);

    // The primitives and, for each, its emitter's facts (PlotDrawContext).
    void paint(std::span<const GiPrimitive> primitives, const PlotDrawContext& context);

    Rgb colourOf(const GiTraits& traits) const;
    // The pen of a curve: colour, lineweight, and the effective linetype scaled by LTSCALE, the
    // entity's linetype scale and the scale of the block references it is drawn in.
    Pen penOf(const GiPrimitive& primitive) const;

private:
    // Paints primitives[index], answers the index of the last primitive it took.
    std::size_t paintOne(std::span<const GiPrimitive> primitives, std::size_t index, const PlotDrawContext& context);
    // A dashed polyline's runs and arc segments as one curve, so that its pattern runs on through
    // its vertices; answers the index of the last primitive it took.
    std::size_t paintDashedPolyline(std::span<const GiPrimitive> primitives, std::size_t index,
                                    const PlotDrawContext& context, const Pen& pen);
    void paintCurve(const GiPrimitive& primitive, const Pen& pen);
    void paintText(const GiPrimitive& primitive, Rgb colour);
    void paintBand(const PolylineBand& band, const Pen& pen);
    void paintInfinite(const GiPrimitive& primitive, const Pen& pen);
    const FontFace* faceFor(const std::wstring& fontFile);

    Canvas& m_canvas;
    const PlotLayers& m_layers;
    std::vector<InfiniteLine>& m_infiniteLines;
    std::unordered_map<std::wstring, const FontFace*> m_faces;
    std::vector<bool> m_bandDrawn;
    std::vector<WorldPoint> m_points;
    std::vector<PolylineVertex> m_vertices;
    std::vector<std::vector<WorldPoint>> m_rings;
};

}  // namespace kelvora
