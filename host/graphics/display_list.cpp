// A display list: primitives kept in drawing order with their world extents, replayed onto any canvas.
#include "kelvora/display_list.h"

#include "arc_geometry.h"

#include <algorithm>
#include <cmath>

namespace kelvora {

namespace {

bool allFinite(std::span<const PolylineVertex> vertices)
{
    return std::all_of(vertices.begin(), vertices.end(), [](const PolylineVertex& v) { return isFinitePoint(v.point); });
}

double usableWidth(double constantWidth)
{
    return std::isfinite(constantWidth) && constantWidth > 0.0 ? constantWidth : 0.0;
}

}  // namespace

void DisplayList::setPen(Item& item, const Pen& pen)
{
    item.colour = pen.colour;
    item.lineweightMm = pen.lineweightMm;
    if (pen.linetype == nullptr || pen.linetype->dashes.empty())
        return;
    item.linetypeScale = pen.linetypeScale;
    // A drawing has few patterns: found by content, each kept once.
    for (std::size_t i = 0; i < m_patterns.size(); ++i) {
        if (m_patterns[i].dashes == pen.linetype->dashes) {
            item.pattern = static_cast<std::uint32_t>(i + 1);
            return;
        }
    }
    m_patterns.push_back(*pen.linetype);
    item.pattern = static_cast<std::uint32_t>(m_patterns.size());
}

Pen DisplayList::penOf(const Item& item) const
{
    Pen pen{item.colour, item.lineweightMm};
    if (item.pattern > 0) {
        pen.linetype = &m_patterns[item.pattern - 1];
        pen.linetypeScale = item.linetypeScale;
    }
    return pen;
}

void DisplayList::polyline(std::span<const PolylineVertex> vertices, bool closed, const Pen& pen, double constantWidth)
{
    if (vertices.empty() || !allFinite(vertices))
        return;
    Item item;
    item.kind = Kind::Polyline;
    item.closed = closed;
    setPen(item, pen);
    item.first = m_vertices.size();
    item.count = vertices.size();
    item.a = usableWidth(constantWidth);
    m_vertices.insert(m_vertices.end(), vertices.begin(), vertices.end());
    m_items.push_back(item);
    m_extents.addExtents(polylineWorldExtents(vertices, closed, item.a));
}

void DisplayList::filledPolygon(std::span<const std::vector<WorldPoint>> rings, Rgb colour)
{
    std::size_t usable = 0;
    for (const auto& ring : rings) {
        if (!std::all_of(ring.begin(), ring.end(), isFinitePoint))
            return;
        if (ring.size() >= 3)
            ++usable;
    }
    if (usable == 0)
        return;
    Item item;
    item.kind = Kind::Polygon;
    item.colour = colour;
    item.first = m_rings.size();
    for (const auto& ring : rings) {
        if (ring.size() < 3)
            continue;
        m_rings.push_back(ring);
        for (const WorldPoint& p : ring)
            m_extents.addPoint(p);
    }
    item.count = m_rings.size() - item.first;
    m_items.push_back(item);
}

void DisplayList::circle(WorldPoint centre, double radius, const Pen& pen)
{
    if (!isFinitePoint(centre) || !std::isfinite(radius) || radius <= 0.0)
        return;
    Item item;
    item.kind = Kind::Circle;
    setPen(item, pen);
    item.centre = centre;
    item.a = radius;
    m_items.push_back(item);
    m_extents.addPoint({centre.x - radius, centre.y - radius});
    m_extents.addPoint({centre.x + radius, centre.y + radius});
}

void DisplayList::arc(WorldPoint centre, double radius, double startAngleRad, double endAngleRad, const Pen& pen)
{
    if (!isFinitePoint(centre) || !std::isfinite(radius) || radius <= 0.0 || !std::isfinite(startAngleRad) ||
        !std::isfinite(endAngleRad))
        return;
    Item item;
    item.kind = Kind::Arc;
    setPen(item, pen);
    item.centre = centre;
    item.a = radius;
    item.b = startAngleRad;
    item.c = endAngleRad;
    m_items.push_back(item);
    addArcExtents(m_extents, {centre, radius, startAngleRad, counterClockwiseSweep(startAngleRad, endAngleRad)});
}

void DisplayList::text(const TextItem& text)
{
    if (!isFinitePoint(text.position) || !std::isfinite(text.height) || !std::isfinite(text.rotationRad))
        return;
    Item item;
    item.kind = Kind::Text;
    item.colour = text.colour;
    item.first = m_texts.size();
    m_texts.push_back(text);
    m_items.push_back(item);
    for (const WorldPoint& corner : textCorners(text))
        m_extents.addPoint(corner);
}

void DisplayList::point(WorldPoint position, const Pen& pen)
{
    if (!isFinitePoint(position))
        return;
    Item item;
    item.kind = Kind::Point;
    setPen(item, pen);
    item.centre = position;
    m_items.push_back(item);
    m_extents.addPoint(position);
}

void DisplayList::clear()
{
    m_items.clear();
    m_vertices.clear();
    m_rings.clear();
    m_texts.clear();
    m_patterns.clear();
    m_extents = WorldExtents();
}

void DisplayList::replay(Canvas& target) const
{
    for (const Item& item : m_items) {
        const Pen pen = penOf(item);
        switch (item.kind) {
        case Kind::Polyline:
            target.polyline(std::span<const PolylineVertex>(m_vertices).subspan(item.first, item.count), item.closed,
                            pen, item.a);
            break;
        case Kind::Polygon:
            target.filledPolygon(std::span<const std::vector<WorldPoint>>(m_rings).subspan(item.first, item.count),
                                 item.colour);
            break;
        case Kind::Circle:
            target.circle(item.centre, item.a, pen);
            break;
        case Kind::Arc:
            target.arc(item.centre, item.a, item.b, item.c, pen);
            break;
        case Kind::Text:
            target.text(m_texts[item.first]);
            break;
        case Kind::Point:
            target.point(item.centre, pen);
            break;
        }
    }
}

}  // namespace kelvora
