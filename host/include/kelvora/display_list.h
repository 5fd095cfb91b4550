// A display list: primitives kept in drawing order with their world extents, replayed onto any canvas.
#pragma once

#include "kelvora/canvas.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelvora {

// Entities are drawn before the extents of the drawing are known; a display list records them
// first, so that a plot can fit its view to what was drawn and then replay them.
class DisplayList final : public Canvas {
public:
    void polyline(std::span<const PolylineVertex> vertices, bool closed, const Pen& pen, double constantWidth) override;
    void filledPolygon(std::span<const std::vector<WorldPoint>> rings, Rgb colour) override;
    void circle(WorldPoint centre, double radius, const Pen& pen) override;
    void arc(WorldPoint centre, double radius, double startAngleRad, double endAngleRad, const Pen& pen) override;
    void text(const TextItem& text) override;
    void point(WorldPoint position, const Pen& pen) override;

    // The extents of everything recorded: curves as drawn (true arc bounds, half a constant
    // width on each side), texts by their measured boxes. Lineweights, being paper widths,
    // add nothing.
    const WorldExtents& extents() const { return m_extents; }

    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    void clear();

    // The distinct dash patterns kept for the pens recorded (a copy of each, so that the list
    // outlives the drawing's linetypes).
    std::size_t patternCount() const { return m_patterns.size(); }

    // Draws every primitive onto the target in the order recorded.
    void replay(Canvas& target) const;

private:
    enum class Kind : std::uint8_t { Polyline, Polygon, Circle, Arc, Text, Point };

    // One primitive; its numbers live in the shared pools, from `first` on.
    struct Item {
        Kind kind = Kind::Point;
        bool closed = false;
        Rgb colour;
        double lineweightMm = 0.0;
        std::size_t first = 0;  // into m_vertices (polyline), m_rings (polygon), m_texts (text)
        std::size_t count = 0;
        double a = 0.0;  // constant width, or radius
        double b = 0.0;  // start angle
        double c = 0.0;  // end angle
        WorldPoint centre;  // of a circle or arc, or the point itself
        std::uint32_t pattern = 0;  // 1 + index into m_patterns; 0 for a continuous line
        double linetypeScale = 1.0;
    };

    // Sets the item's pen fields, keeping the pen's pattern once.
    void setPen(Item& item, const Pen& pen);
    Pen penOf(const Item& item) const;

    std::vector<Item> m_items;
    std::vector<PolylineVertex> m_vertices;
    std::vector<std::vector<WorldPoint>> m_rings;
    std::vector<TextItem> m_texts;
    std::vector<LinetypePattern> m_patterns;
    WorldExtents m_extents;
};

}  // namespace kelvora
