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
    Pen penOf(const GiTraits& traits) const;

private:
    // Paints primitives[index], answers the index of the last primitive it took.
    std::size_t paintOne(std::span<const GiPrimitive> primitives, std::size_t index, const PlotDrawContext& context);
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
    std::vector<std::vector<WorldPoint>> m_rings;
};

}  // namespace kelvora
