// The inside of a plot in progress: device transform, paths of world geometry, strokes and dots.
#include "plot_state.h"

#include "kelvora/float_compare.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelvora {

namespace {

// Device units are points (or pixels counted as points): 72 to the inch.
constexpr double kDeviceUnitsPerMm = 72.0 / 25.4;

// No stroke is thinner than one device unit, so that the thinnest lineweights still cover a
// whole pixel of a PNG instead of fading to grey.
constexpr double kThinnestStroke = 1.0;

// Strokes up to this wide (device units) are thin: their ends and joins are drawn the cheap way.
constexpr double kThinStroke = 2.0;

// A device box smaller than this both ways is a speck (device units): below a pixel, its
// shape does not show.
constexpr double kSpeckBox = 1.0;
// A square stands for a round dot only while it is this small (device units).
constexpr double kLargestSpeck = 1.5;

// Where arcs are cut into chords by the plot itself (only for geometry cut to the clip
// rectangle), the chords stay within a tenth of a device unit of the arc.
constexpr double kChordTolerance = 0.1;

}  // namespace

double strokeWidth(const Pen& pen, double constantWidth, double scale)
{
    const double lineweight =
        std::isfinite(pen.lineweightMm) && pen.lineweightMm > 0.0 ? pen.lineweightMm : kDefaultLineweightMm;
    double width = std::max(lineweight * kDeviceUnitsPerMm, kThinnestStroke);
    if (constantWidth > 0.0)
        width = std::max(width, constantWidth * scale);
    return width;
}

void setColour(cairo_t* cr, Rgb colour)
{
    cairo_set_source_rgb(cr, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0);
}

Plot::State::~State()
{
    if (cr != nullptr)
        cairo_destroy(cr);
    for (auto& [face, cairoFace] : fontFaces)
        cairo_font_face_destroy(cairoFace);
    // A vector surface writes what it holds when destroyed: into the output, which then
    // discards it unless it was committed.
    if (surface != nullptr)
        cairo_surface_destroy(surface);
    if (fontOptions != nullptr)
        cairo_font_options_destroy(fontOptions);
}

DevicePoint Plot::State::toDevice(WorldPoint p) const
{
    const WorldPoint d = view.toDevice(p);
    return {d.x, d.y};
}

DeviceRect Plot::State::deviceBox(const WorldExtents& extents, double margin) const
{
    const DevicePoint a = toDevice(extents.minPoint());
    const DevicePoint b = toDevice(extents.maxPoint());
    return DeviceRect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)}.grown(margin);
}

void Plot::State::stroke(const Pen& pen, double constantWidth, double lengthWorld)
{
    const double width = strokeWidth(pen, constantWidth, view.scale);
    cairo_set_line_width(cr, width);
    // Dashes end flat, so that dashes and gaps show their true lengths (deviceDashes gives dots
    // the stroke's width).
    const bool dash = pen.linetype != nullptr &&
                      deviceDashes(*pen.linetype, pen.linetypeScale * view.scale, lengthWorld * view.scale, width, dashes);
    if (dash)
        cairo_set_dash(cr, dashes.lengths.data(), static_cast<int>(dashes.lengths.size()), dashes.offset);
    else if (dashed)
        cairo_set_dash(cr, nullptr, 0, 0.0);
    dashed = dash;
    // Wide polylines end square at their end vertices with mitred corners, as CAD programs
    // draw them; lineweighted lines have round ends and joins. On thin lines a round end or
    // join does not show, and square ends with bevelled joins cover the same pixels for a
    // fraction of the stroker's work.
    const bool band = constantWidth > 0.0;
    const bool thin = !band && width <= kThinStroke;
    cairo_set_line_cap(cr, band || dash ? CAIRO_LINE_CAP_BUTT : thin ? CAIRO_LINE_CAP_SQUARE : CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, band ? CAIRO_LINE_JOIN_MITER : thin ? CAIRO_LINE_JOIN_BEVEL : CAIRO_LINE_JOIN_ROUND);
    setColour(cr, pen.colour);
    cairo_stroke(cr);
}

// World arc to device: Y turns down, so angles change sign and counter-clockwise in the
// world is decreasing angle on the device.
void Plot::State::appendArc(const ArcSpan& arc)
{
    const DevicePoint c = toDevice(arc.centre);
    const double r = arc.radius * view.scale;
    const double from = -arc.startRad;
    const double to = -(arc.startRad + arc.sweepRad);
    if (arc.sweepRad > 0.0)
        cairo_arc_negative(cr, c.x, c.y, r, from, to);
    else
        cairo_arc(cr, c.x, c.y, r, from, to);
}

void Plot::State::appendArcPoints(std::vector<DevicePoint>& out, const ArcSpan& arc) const
{
    kelvora::appendArcPoints(out, toDevice(arc.centre), arc.radius * view.scale, -arc.startRad, -arc.sweepRad,
                             kChordTolerance);
}

void Plot::State::appendPolylinePath(std::span<const PolylineVertex> vertices, bool closed)
{
    const std::size_t n = vertices.size();
    const DevicePoint start = toDevice(vertices[0].point);
    cairo_move_to(cr, start.x, start.y);
    const std::size_t segments = closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const WorldPoint to = vertices[(i + 1) % n].point;
        if (const auto arc = bulgeArc(vertices[i].point, to, vertices[i].bulge)) {
            appendArc(*arc);
        } else {
            const DevicePoint d = toDevice(to);
            cairo_line_to(cr, d.x, d.y);
        }
    }
    if (closed)
        cairo_close_path(cr);
}

void Plot::State::appendClippedPolylinePath(std::span<const PolylineVertex> vertices, bool closed)
{
    const std::size_t n = vertices.size();
    std::vector<DevicePoint> points{toDevice(vertices[0].point)};
    const std::size_t segments = closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const WorldPoint to = vertices[(i + 1) % n].point;
        if (const auto arc = bulgeArc(vertices[i].point, to, vertices[i].bulge))
            appendArcPoints(points, *arc);
        else
            points.push_back(toDevice(to));
    }
    appendClippedPoints(points, closed);
}

void Plot::State::appendClippedPoints(const std::vector<DevicePoint>& points, bool closed)
{
    bool clipped = false;
    for (const auto& piece : clipPolyline(points, clip, clipped)) {
        cairo_move_to(cr, piece[0].x, piece[0].y);
        for (std::size_t i = 1; i < piece.size(); ++i)
            cairo_line_to(cr, piece[i].x, piece[i].y);
    }
    if (closed && !clipped)
        cairo_close_path(cr);
}

bool Plot::State::speck(const DeviceRect& box, double size, Rgb colour)
{
    if (format != PlotFormat::Png || box.x1 - box.x0 >= kSpeckBox || box.y1 - box.y0 >= kSpeckBox ||
        size > kLargestSpeck)
        return false;
    if (!page.intersects(box.grown(size)))
        return true;
    if (!specks.empty() && (!(colour == speckColour) || !exactlyEqual(size, speckSize)))
        flushSpecks();
    speckColour = colour;
    speckSize = size;
    specks.push_back({(box.x0 + box.x1) / 2.0, (box.y0 + box.y1) / 2.0});
    return true;
}

void Plot::State::flushSpecks()
{
    if (specks.empty())
        return;
    cairo_new_path(cr);
    const double half = speckSize / 2.0;
    for (const DevicePoint& c : specks)
        cairo_rectangle(cr, c.x - half, c.y - half, speckSize, speckSize);
    // Squares of one size all turn the same way: their union fills under the default rule.
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    setColour(cr, speckColour);
    cairo_fill(cr);
    specks.clear();
}

void Plot::State::dot(WorldPoint at, double diameter, Rgb colour)
{
    const DevicePoint c = toDevice(at);
    const DeviceRect box{c.x, c.y, c.x, c.y};
    if (!page.intersects(box.grown(diameter)) || !safe.contains(box))
        return;
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, diameter / 2.0, 0.0, 2.0 * std::numbers::pi);
    setColour(cr, colour);
    cairo_fill(cr);
}

}  // namespace kelvora
