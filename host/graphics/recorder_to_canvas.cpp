// Recorded primitives onto a canvas: colours by index, layer and block, lineweights, fills, true arcs and measured texts.
#include "recorder_to_canvas.h"

#include "plot_layers.h"

#include "kelvora/float_compare.h"
#include "kelvora/text_metrics.h"
#include "kelvora/wide_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelvora {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A normal within this of +-Z (1 - |z|) leaves a circle a circle seen from above: the ellipse
// it projects to differs from it by less than a billionth of its radius.
constexpr double kPlanarTolerance = 1e-9;

// Sweeps within this of a whole turn are a whole circle; sweeps below it draw nothing. Radians:
// far below a pixel on any arc a plot can show, far above the rounding of an angle's sum.
constexpr double kSweepTolerance = 1e-9;

// Where a curve must be cut into chords (a tilted circle, a filled sector), the chords stay
// within this share of the radius of the arc: 1e-4 is under a pixel for a radius of 10,000 pixels.
constexpr double kChordToRadius = 1e-4;
// And no curve is cut into more pieces than this.
constexpr int kMaxChords = 4096;

// A lineweight of 0.00 mm is drawn as thin as the device draws (the plot's thinnest stroke).
constexpr double kThinnestLineweightMm = 0.01;

WorldPoint flat(const AcGePoint3d& p)
{
    return {p.x, p.y};
}

Rgb rgbOf(const AcCmEntityColor& colour)
{
    if (colour.isByColor())
        return {colour.red(), colour.green(), colour.blue()};
    return aciToPlotRgb(colour.colorIndex());
}

double lineweightMm(AcDb::LineWeight weight)
{
    if (weight < 0)
        return kDefaultLineweightMm;
    if (weight == AcDb::kLnWt000)
        return kThinnestLineweightMm;
    return static_cast<double>(weight) / 100.0;
}

bool filled(const GiPrimitive& p)
{
    return p.traits.fillType == kAcGiFillAlways;
}

bool seenAsCircle(const AcGeVector3d& normal)
{
    return std::fabs(normal.z) >= 1.0 - kPlanarTolerance;
}

// The arc (or circle) as points seen from above, chords within kChordToRadius of it.
void arcPoints(const GiPrimitive& p, double sweep, std::vector<WorldPoint>& out)
{
    const AcGePoint3d& c = p.points[0];
    const AcGeVector3d u = p.startVector;
    const AcGeVector3d v = p.normal.crossProduct(u);
    const double step = 2.0 * std::acos(1.0 - kChordToRadius);
    const int n = std::clamp(static_cast<int>(std::ceil(std::fabs(sweep) / step)), 1, kMaxChords);
    for (int i = 0; i <= n; ++i) {
        const double t = sweep * i / n;
        out.push_back(flat(c + u * (p.radius * std::cos(t)) + v * (p.radius * std::sin(t))));
    }
}

// Where a polyline's pieces meet, their ends agree within this (drawing units): arc ends are
// computed from centre and radius, and at survey coordinates of 10^7 they round a few 10^-9 off
// the vertex; a micrometre of a metre drawing is still far below a pixel of any plot.
constexpr double kJoinTolerance = 1e-6;

AcGeTol joinTolerance()
{
    AcGeTol tol;
    tol.setEqualPoint(kJoinTolerance);
    return tol;
}

// A piece of a polyline's centre line as its draw gives it: a run of straight segments, or an
// unfilled arc segment in the plan.
bool isPolylinePiece(const GiPrimitive& p)
{
    if (filled(p))
        return false;
    if (p.kind == GiPrimitiveKind::kPolyline)
        return p.points.size() >= 2;
    return p.kind == GiPrimitiveKind::kCircularArc && p.arcType == kAcGiArcSimple && p.points.size() >= 3 &&
           seenAsCircle(p.normal) && std::isfinite(p.sweepAngle) && std::fabs(p.sweepAngle) < kTwoPi;
}

// Two primitives are drawn alike: one pen for both.
bool sameLook(const GiTraits& a, const GiTraits& b)
{
    return a.color == b.color && a.layerId == b.layerId && a.linetypeId == b.linetypeId &&
           a.lineWeight == b.lineWeight && exactlyEqual(a.linetypeScale, b.linetypeScale);
}

// How much a transform enlarges lengths in the XY plane (the square root of its area factor):
// a linetype inside a block reference scales with the reference, as CAD programs draw it. 1 for a
// transform that flattens the plane.
double planScale(const AcGeMatrix3d& m)
{
    const double det = m(0, 0) * m(1, 1) - m(0, 1) * m(1, 0);
    const double scale = std::sqrt(std::fabs(det));
    return std::isfinite(scale) && scale > 0.0 ? scale : 1.0;
}

// The offsets of a band's two edges at a point of its centre line.
WorldPoint offsetPoint(WorldPoint p, WorldPoint unitNormal, double distance)
{
    return {p.x + unitNormal.x * distance, p.y + unitNormal.y * distance};
}

}  // namespace

RecorderToCanvas::RecorderToCanvas(Canvas& canvas, const PlotLayers& layers, std::vector<InfiniteLine>& infiniteLines)
    : m_canvas(canvas), m_layers(layers), m_infiniteLines(infiniteLines)
{
}

Rgb RecorderToCanvas::colourOf(const GiTraits& traits) const
{
    switch (traits.color.colorMethod()) {
    case AcCmEntityColor::kByLayer: {
        const PlotLayer* layer = m_layers.find(traits.layerId);
        return layer != nullptr ? rgbOf(layer->colour) : aciToPlotRgb(kAciForeground);
    }
    case AcCmEntityColor::kByColor:
    case AcCmEntityColor::kByACI:
        return rgbOf(traits.color);
    default:
        // ByBlock left at the top level, and the foreground: colour 7.
        return aciToPlotRgb(kAciForeground);
    }
}

Pen RecorderToCanvas::penOf(const GiPrimitive& primitive) const
{
    const GiTraits& traits = primitive.traits;
    AcDb::LineWeight weight = traits.lineWeight;
    if (weight == AcDb::kLnWtByLayer) {
        const PlotLayer* layer = m_layers.find(traits.layerId);
        weight = layer != nullptr ? layer->lineWeight : AcDb::kLnWtByLwDefault;
    }
    Pen pen{colourOf(traits), lineweightMm(weight)};
    pen.linetype = m_layers.linetypeOf(traits.linetypeId, traits.layerId);
    if (pen.linetype != nullptr) {
        const double entityScale =
            std::isfinite(traits.linetypeScale) && traits.linetypeScale > 0.0 ? traits.linetypeScale : 1.0;
        pen.linetypeScale = m_layers.ltscale() * entityScale * planScale(primitive.modelToWorld);
    }
    return pen;
}

void RecorderToCanvas::paint(std::span<const GiPrimitive> primitives, const PlotDrawContext& context)
{
    m_bandDrawn.assign(context.bands().size(), false);
    for (std::size_t i = 0; i < primitives.size(); ++i)
        i = paintOne(primitives, i, context);
}

std::size_t RecorderToCanvas::paintOne(std::span<const GiPrimitive> primitives, std::size_t index,
                                       const PlotDrawContext& context)
{
    const GiPrimitive& p = primitives[index];
    if (!m_layers.isShown(p.traits.layerId) || p.kind == GiPrimitiveKind::kExtentsHint)
        return index;
    const std::uint32_t emitter = index < context.emitters().size() ? context.emitters()[index] : 0;
    const EmitterFacts& facts = context.facts()[emitter];
    const Pen pen = penOf(p);
    // A wide polyline's band goes under its centre line, in the colour of what it draws first.
    if (facts.band >= 0 && !m_bandDrawn[static_cast<std::size_t>(facts.band)]) {
        m_bandDrawn[static_cast<std::size_t>(facts.band)] = true;
        paintBand(context.bands()[static_cast<std::size_t>(facts.band)], pen);
    }
    if (facts.polyline && pen.linetype != nullptr && isPolylinePiece(p))
        return paintDashedPolyline(primitives, index, context, pen);
    switch (p.kind) {
    case GiPrimitiveKind::kPolyline:
        m_points.clear();
        for (const AcGePoint3d& point : p.points)
            m_points.push_back(flat(point));
        if (m_points.size() == 1)
            m_canvas.point(m_points[0], pen);
        else
            drawPolyline(m_canvas, m_points, false, pen);
        return index;
    case GiPrimitiveKind::kPolypoint:
        for (const AcGePoint3d& point : p.points)
            m_canvas.point(flat(point), pen);
        return index;
    case GiPrimitiveKind::kPolygon: {
        if (!filled(p)) {
            m_points.clear();
            for (const AcGePoint3d& point : p.points)
                m_points.push_back(flat(point));
            drawPolyline(m_canvas, m_points, true, pen);
            return index;
        }
        // The loops of one hatch fill together, so that its islands stay open.
        std::size_t last = index;
        if (facts.hatch) {
            while (last + 1 < primitives.size() && last + 1 < context.emitters().size() &&
                   context.emitters()[last + 1] == emitter && primitives[last + 1].kind == GiPrimitiveKind::kPolygon &&
                   filled(primitives[last + 1]) && primitives[last + 1].traits.color == p.traits.color &&
                   primitives[last + 1].traits.layerId == p.traits.layerId)
                ++last;
        }
        m_rings.resize(last - index + 1);
        for (std::size_t k = index; k <= last; ++k) {
            std::vector<WorldPoint>& ring = m_rings[k - index];
            ring.clear();
            for (const AcGePoint3d& point : primitives[k].points)
                ring.push_back(flat(point));
        }
        m_canvas.filledPolygon(m_rings, pen.colour);
        return last;
    }
    case GiPrimitiveKind::kCircle:
    case GiPrimitiveKind::kCircularArc:
        paintCurve(p, pen);
        return index;
    case GiPrimitiveKind::kText:
        paintText(p, pen.colour);
        return index;
    case GiPrimitiveKind::kXline:
    case GiPrimitiveKind::kRay:
        paintInfinite(p, pen);
        return index;
    case GiPrimitiveKind::kExtentsHint:
        break;
    }
    return index;
}

std::size_t RecorderToCanvas::paintDashedPolyline(std::span<const GiPrimitive> primitives, std::size_t index,
                                                  const PlotDrawContext& context, const Pen& pen)
{
    const GiPrimitive& first = primitives[index];
    const std::uint32_t emitter = context.emitters()[index];
    m_vertices.clear();
    std::size_t last = index;
    AcGePoint3d end;
    for (std::size_t k = index; k < primitives.size() && k < context.emitters().size(); ++k) {
        const GiPrimitive& p = primitives[k];
        if (k > index && (context.emitters()[k] != emitter || !isPolylinePiece(p) || !sameLook(p.traits, first.traits)))
            break;
        const AcGePoint3d& start = p.kind == GiPrimitiveKind::kPolyline ? p.points.front() : p.points[1];
        if (k > index && !start.isEqualTo(end, joinTolerance()))
            break;
        end = p.kind == GiPrimitiveKind::kPolyline ? p.points.back() : p.points[2];
        if (p.kind == GiPrimitiveKind::kPolyline) {
            for (std::size_t i = k > index ? 1 : 0; i < p.points.size(); ++i)
                m_vertices.push_back({flat(p.points[i]), 0.0});
        } else {
            // Turning about -Z is turning the other way seen from above.
            const double sweep = p.normal.z < 0.0 ? -p.sweepAngle : p.sweepAngle;
            if (k == index)
                m_vertices.push_back({flat(start), 0.0});
            m_vertices.back().bulge = std::tan(sweep / 4.0);
            m_vertices.push_back({flat(p.points[2]), 0.0});
        }
        last = k;
    }
    m_canvas.polyline(m_vertices, false, pen, 0.0);
    return last;
}

void RecorderToCanvas::paintCurve(const GiPrimitive& p, const Pen& pen)
{
    if (p.points.empty() || !std::isfinite(p.radius) || !(p.radius > 0.0))
        return;
    const bool circle = p.kind == GiPrimitiveKind::kCircle;
    double sweep = circle ? kTwoPi : std::clamp(p.sweepAngle, -kTwoPi, kTwoPi);
    const bool whole = circle || std::fabs(sweep) >= kTwoPi - kSweepTolerance;
    if (!whole && std::fabs(sweep) < kSweepTolerance)
        return;
    const bool closedShape = whole || p.arcType != kAcGiArcSimple;
    if (filled(p) && closedShape) {
        m_rings.resize(1);
        m_rings[0].clear();
        arcPoints(p, whole ? kTwoPi : sweep, m_rings[0]);
        if (!whole && p.arcType == kAcGiArcSector)
            m_rings[0].push_back(flat(p.points[0]));
        m_canvas.filledPolygon(m_rings, pen.colour);
        return;
    }
    if (!seenAsCircle(p.normal)) {
        // Tilted: an ellipse seen from above, drawn as chords.
        m_points.clear();
        arcPoints(p, whole ? kTwoPi : sweep, m_points);
        if (!whole && p.arcType == kAcGiArcSector)
            m_points.push_back(flat(p.points[0]));
        drawPolyline(m_canvas, m_points, closedShape, pen);
        return;
    }
    const WorldPoint centre = flat(p.points[0]);
    if (whole) {
        m_canvas.circle(centre, p.radius, pen);
        return;
    }
    // Turning about -Z is turning the other way seen from above.
    if (p.normal.z < 0.0)
        sweep = -sweep;
    const double start = std::atan2(p.startVector.y, p.startVector.x);
    const double from = sweep > 0.0 ? start : start + sweep;
    m_canvas.arc(centre, p.radius, from, from + std::fabs(sweep), pen);
    if (p.arcType == kAcGiArcChord) {
        const WorldPoint ends[2] = {flat(p.points[1]), flat(p.points[2])};
        drawPolyline(m_canvas, ends, false, pen);
    } else if (p.arcType == kAcGiArcSector) {
        const WorldPoint radii[3] = {flat(p.points[1]), centre, flat(p.points[2])};
        drawPolyline(m_canvas, radii, false, pen);
    }
}

void RecorderToCanvas::paintText(const GiPrimitive& p, Rgb colour)
{
    if (p.points.empty() || p.text.text.empty())
        return;
    TextItem item;
    item.textUtf8 = toUtf8(p.text.text);
    item.position = flat(p.points[0]);
    item.height = p.text.height;
    item.widthFactor = p.text.widthFactor;
    item.obliqueRad = p.text.obliqueAngle;
    item.rotationRad = std::atan2(p.direction.y, p.direction.x);
    // Backward and upside down together are a half turn about the insertion point.
    if (p.text.backward && p.text.upsideDown)
        item.rotationRad += std::numbers::pi;
    item.face = faceFor(p.text.fontFile);
    item.colour = colour;
    m_canvas.text(item);
}

void RecorderToCanvas::paintBand(const PolylineBand& band, const Pen& pen)
{
    const std::size_t n = band.vertices.size();
    if (n < 2)
        return;
    if (band.constant) {
        m_canvas.polyline(band.vertices, band.closed, pen, band.widths.front().first);
        return;
    }
    // Tapering widths: each segment a filled outline, its width changing along it.
    const std::size_t segments = band.closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const auto [startWidth, endWidth] = band.widths[i];
        if (!(startWidth > 0.0) && !(endWidth > 0.0))
            continue;
        const WorldPoint a = band.vertices[i].point;
        const WorldPoint b = band.vertices[(i + 1) % n].point;
        const double chord = std::hypot(b.x - a.x, b.y - a.y);
        if (!(chord > 0.0))
            continue;
        // The centre line as points with their unit normals (left of the direction of travel).
        std::vector<std::pair<WorldPoint, WorldPoint>> line;
        const double bulge = band.vertices[i].bulge;
        const double sweep = 4.0 * std::atan(bulge);
        if (std::fabs(sweep) < kSweepTolerance) {
            const WorldPoint normal{-(b.y - a.y) / chord, (b.x - a.x) / chord};
            line = {{a, normal}, {b, normal}};
        } else {
            const double radius = chord / (2.0 * std::sin(std::fabs(sweep) / 2.0));
            const double toCentre = radius * std::cos(std::fabs(sweep) / 2.0);
            const WorldPoint mid{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
            const WorldPoint left{-(b.y - a.y) / chord, (b.x - a.x) / chord};
            const double side = sweep > 0.0 ? 1.0 : -1.0;
            const WorldPoint centre{mid.x + left.x * toCentre * side, mid.y + left.y * toCentre * side};
            const double start = std::atan2(a.y - centre.y, a.x - centre.x);
            const double step = 2.0 * std::acos(1.0 - kChordToRadius);
            const int pieces = std::clamp(static_cast<int>(std::ceil(std::fabs(sweep) / step)), 1, kMaxChords);
            for (int k = 0; k <= pieces; ++k) {
                const double t = start + sweep * k / pieces;
                const WorldPoint outward{std::cos(t), std::sin(t)};
                // Counter-clockwise travel has the centre on its left: the left edge is inward.
                const WorldPoint normal = sweep > 0.0 ? WorldPoint{-outward.x, -outward.y} : outward;
                line.push_back({{centre.x + radius * outward.x, centre.y + radius * outward.y}, normal});
            }
        }
        m_rings.resize(1);
        std::vector<WorldPoint>& ring = m_rings[0];
        ring.clear();
        const std::size_t last = line.size() - 1;
        for (std::size_t k = 0; k <= last; ++k) {
            const double w = startWidth + (endWidth - startWidth) * static_cast<double>(k) / static_cast<double>(last);
            ring.push_back(offsetPoint(line[k].first, line[k].second, w / 2.0));
        }
        for (std::size_t k = last + 1; k-- > 0;) {
            const double w = startWidth + (endWidth - startWidth) * static_cast<double>(k) / static_cast<double>(last);
            ring.push_back(offsetPoint(line[k].first, line[k].second, -w / 2.0));
        }
        m_canvas.filledPolygon(m_rings, pen.colour);
    }
}

void RecorderToCanvas::paintInfinite(const GiPrimitive& p, const Pen& pen)
{
    if (p.points.size() < 2)
        return;
    const WorldPoint base = flat(p.points[0]);
    const double dx = p.points[1].x - p.points[0].x;
    const double dy = p.points[1].y - p.points[0].y;
    const double length = std::hypot(dx, dy);
    // A line along Z is a point seen from above.
    if (!std::isfinite(length) || !(length > 0.0))
        return;
    InfiniteLine line{base, {dx / length, dy / length}, p.kind == GiPrimitiveKind::kXline, pen, {}};
    // The pen's pattern belongs to this drawing's snapshot; the line is drawn after it is gone.
    if (pen.linetype != nullptr)
        line.linetype = *pen.linetype;
    line.pen.linetype = nullptr;
    m_infiniteLines.push_back(std::move(line));
}

const FontFace* RecorderToCanvas::faceFor(const std::wstring& fontFile)
{
    if (const auto it = m_faces.find(fontFile); it != m_faces.end())
        return it->second;
    const FontFace* face = findFontFace(toUtf8(fontFile));
    m_faces.emplace(fontFile, face);
    return face;
}

}  // namespace kelvora
