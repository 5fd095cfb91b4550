// World extents, plain-point polylines and the world outline of a measured text.
#include "arc_geometry.h"
#include "kelvora/canvas.h"
#include "kelvora/text_metrics.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kelvora {

WorldExtents WorldExtents::fromCorners(WorldPoint a, WorldPoint b)
{
    WorldExtents extents;
    extents.addPoint(a);
    extents.addPoint(b);
    return extents;
}

void WorldExtents::addPoint(WorldPoint p)
{
    if (m_empty) {
        m_min = p;
        m_max = p;
        m_empty = false;
        return;
    }
    m_min.x = std::min(m_min.x, p.x);
    m_min.y = std::min(m_min.y, p.y);
    m_max.x = std::max(m_max.x, p.x);
    m_max.y = std::max(m_max.y, p.y);
}

void WorldExtents::addExtents(const WorldExtents& other)
{
    if (other.m_empty)
        return;
    addPoint(other.m_min);
    addPoint(other.m_max);
}

void drawPolyline(Canvas& canvas, std::span<const WorldPoint> points, bool closed, const Pen& pen, double constantWidth)
{
    std::vector<PolylineVertex> vertices;
    vertices.reserve(points.size());
    for (const WorldPoint& p : points)
        vertices.push_back({p, 0.0});
    canvas.polyline(vertices, closed, pen, constantWidth);
}

double effectiveObliqueRad(double obliqueRad)
{
    if (!std::isfinite(obliqueRad))
        return 0.0;
    return std::clamp(obliqueRad, -kMaxObliqueRad, kMaxObliqueRad);
}

std::array<WorldPoint, 4> textCorners(const TextItem& text)
{
    const TextBox box = measureText(text.face != nullptr ? text.face : findFontFace({}), text.textUtf8,
                                    text.height, text.widthFactor);
    const double slant = std::tan(effectiveObliqueRad(text.obliqueRad));
    const double c = std::cos(text.rotationRad);
    const double s = std::sin(text.rotationRad);
    const auto place = [&](double x, double y) {
        const double sheared = x + y * slant;
        return WorldPoint{text.position.x + sheared * c - y * s, text.position.y + sheared * s + y * c};
    };
    return {place(box.left, box.bottom), place(box.right, box.bottom), place(box.right, box.top),
            place(box.left, box.top)};
}

}  // namespace kelvora
