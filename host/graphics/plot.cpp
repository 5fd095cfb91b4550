// The cairo plot: the surface of each format, its atomic writing, and the curves and fills painted on it.
#include "kelvora/plot.h"

#include "plot_png_writer.h"
#include "plot_state.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace kelvora {

namespace {

// How far a stroke can reach from its centre line, in stroke widths: cairo bevels corners whose
// mitre would be longer than 10 widths (its default limit), so 5 widths from the vertex.
constexpr double kMiterReach = 5.0;

// A fill smaller than a pixel shows as one pixel of its colour.
constexpr double kSpeckFill = 1.0;

cairo_status_t writeToOutput(void* closure, const unsigned char* data, unsigned int length)
{
    return static_cast<AtomicOutput*>(closure)->write(data, length) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

cairo_status_t writeToBuffer(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// cairo names an SVG's drawing group after a count of the surfaces made so far in the process
// (id="surface7"); the count is set back to 1 so that a plot's bytes do not depend on the
// plots made before it.
void renumberSvgSurface(std::string& svg)
{
    static constexpr std::string_view kId = "<g id=\"surface";
    const auto at = svg.find(kId);
    if (at == std::string::npos)
        return;
    const auto digits = at + kId.size();
    auto end = digits;
    while (end < svg.size() && std::isdigit(static_cast<unsigned char>(svg[end])))
        ++end;
    svg.erase(digits, end - digits);
    svg.insert(digits, 1, '1');
}

bool allFinite(std::span<const PolylineVertex> vertices)
{
    return std::all_of(vertices.begin(), vertices.end(), [](const PolylineVertex& v) { return isFinitePoint(v.point); });
}

}  // namespace

Plot::Plot() = default;

Plot::~Plot() = default;

Acad::ErrorStatus Plot::begin(const std::string& path, const PlotView& view)
{
    if (m_state)
        return Acad::eInvalidOpenState;
    const auto format = plotFormatForPath(path);
    if (!format)
        return Acad::eInvalidInput;
    if (view.width < 1 || view.height < 1 || view.width > kMaxPlotSide || view.height > kMaxPlotSide ||
        !std::isfinite(view.scale) || !(view.scale > 0.0) || !isFinitePoint(view.centre))
        return Acad::eInvalidInput;

    auto state = std::make_unique<State>();
    state->format = *format;
    state->view = view;
    if (const Acad::ErrorStatus status = state->output.open(path); status != Acad::eOk)
        return status;
    switch (*format) {
    case PlotFormat::Png:
        state->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, view.width, view.height);
        break;
    case PlotFormat::Svg:
        state->surface = cairo_svg_surface_create_for_stream(writeToBuffer, &state->svgText, view.width, view.height);
        break;
    case PlotFormat::Pdf:
        state->surface = cairo_pdf_surface_create_for_stream(writeToOutput, &state->output, view.width, view.height);
        cairo_pdf_surface_set_metadata(state->surface, CAIRO_PDF_METADATA_CREATOR, "Kelvora");
        // No creation date: two plots of one drawing are the same file.
        cairo_pdf_surface_set_metadata(state->surface, CAIRO_PDF_METADATA_CREATE_DATE, "");
        break;
    }
    if (cairo_surface_status(state->surface) != CAIRO_STATUS_SUCCESS)
        return Acad::eOutOfMemory;
    state->cr = cairo_create(state->surface);
    if (cairo_status(state->cr) != CAIRO_STATUS_SUCCESS)
        return Acad::eOutOfMemory;
    // A raster plot of a large drawing is mostly strokes of a pixel or two, where cairo's fast
    // antialiasing looks the same and costs half as much; vector formats keep the best.
    cairo_set_antialias(state->cr, *format == PlotFormat::Png ? CAIRO_ANTIALIAS_FAST : CAIRO_ANTIALIAS_GOOD);
    cairo_set_source_rgb(state->cr, 1.0, 1.0, 1.0);
    cairo_paint(state->cr);

    state->fontOptions = cairo_font_options_create();
    cairo_font_options_set_hint_style(state->fontOptions, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(state->fontOptions, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(state->fontOptions, CAIRO_ANTIALIAS_GRAY);

    state->page = {0.0, 0.0, static_cast<double>(view.width), static_cast<double>(view.height)};
    state->safe = state->page.grown(kSafeReach);
    state->clip = state->page.grown(kClipReach);
    m_state = std::move(state);
    return Acad::eOk;
}

Acad::ErrorStatus Plot::finish()
{
    if (!m_state)
        return Acad::eInvalidOpenState;
    const std::unique_ptr<State> state = std::move(m_state);
    state->flushSpecks();
    cairo_status_t status = cairo_status(state->cr);
    cairo_destroy(state->cr);
    state->cr = nullptr;
    if (status == CAIRO_STATUS_SUCCESS) {
        if (state->format == PlotFormat::Png) {
            status = writePlotPng(state->surface, state->output) ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
        } else {
            cairo_surface_finish(state->surface);
            status = cairo_surface_status(state->surface);
        }
    }
    if (status == CAIRO_STATUS_SUCCESS && state->format == PlotFormat::Svg) {
        renumberSvgSurface(state->svgText);
        if (!state->output.write(reinterpret_cast<const unsigned char*>(state->svgText.data()), state->svgText.size()))
            status = CAIRO_STATUS_WRITE_ERROR;
    }
    if (status == CAIRO_STATUS_NO_MEMORY)
        return Acad::eOutOfMemory;
    if (status != CAIRO_STATUS_SUCCESS)
        return Acad::eFileAccessErr;
    return state->output.commit();
}

void Plot::polyline(std::span<const PolylineVertex> vertices, bool closed, const Pen& pen, double constantWidth)
{
    if (!m_state || vertices.empty() || !allFinite(vertices))
        return;
    State& s = *m_state;
    const double width = std::isfinite(constantWidth) && constantWidth > 0.0 ? constantWidth : 0.0;
    const double strokeDevice = strokeWidth(pen, width, s.view.scale);
    const WorldExtents extents = polylineWorldExtents(vertices, closed, width);
    if (s.speck(s.deviceBox(extents, 0.0), strokeDevice, pen.colour))
        return;
    s.flushSpecks();
    if (vertices.size() == 1) {
        s.dot(vertices[0].point, strokeDevice, pen.colour);
        return;
    }
    // The stroke's reach, whichever is wider, band or lineweight, plus room for mitred corners.
    const DeviceRect box = s.deviceBox(extents, strokeDevice * kMiterReach);
    if (!s.page.intersects(box))
        return;
    cairo_new_path(s.cr);
    if (s.safe.contains(box))
        s.appendPolylinePath(vertices, closed);
    else
        s.appendClippedPolylinePath(vertices, closed);
    s.stroke(pen, width, pen.linetype != nullptr ? polylineWorldLength(vertices, closed) : 0.0);
}

void Plot::filledPolygon(std::span<const std::vector<WorldPoint>> rings, Rgb colour)
{
    if (!m_state)
        return;
    State& s = *m_state;
    WorldExtents extents;
    for (const auto& ring : rings) {
        if (!std::all_of(ring.begin(), ring.end(), isFinitePoint))
            return;
        if (ring.size() >= 3) {
            for (const WorldPoint& p : ring)
                extents.addPoint(p);
        }
    }
    if (extents.isEmpty())
        return;
    const DeviceRect box = s.deviceBox(extents, 0.0);
    if (s.speck(box, kSpeckFill, colour))
        return;
    s.flushSpecks();
    if (!s.page.intersects(box))
        return;
    const bool direct = s.safe.contains(box);
    cairo_new_path(s.cr);
    for (const auto& ring : rings) {
        if (ring.size() < 3)
            continue;
        std::vector<DevicePoint> points;
        points.reserve(ring.size());
        for (const WorldPoint& p : ring)
            points.push_back(s.toDevice(p));
        if (!direct)
            points = clipRing(points, s.clip);
        if (points.size() < 3)
            continue;
        cairo_move_to(s.cr, points[0].x, points[0].y);
        for (std::size_t i = 1; i < points.size(); ++i)
            cairo_line_to(s.cr, points[i].x, points[i].y);
        cairo_close_path(s.cr);
    }
    cairo_set_fill_rule(s.cr, CAIRO_FILL_RULE_EVEN_ODD);
    setColour(s.cr, colour);
    cairo_fill(s.cr);
}

void Plot::circle(WorldPoint centre, double radius, const Pen& pen)
{
    if (!m_state || !isFinitePoint(centre) || !std::isfinite(radius) || radius <= 0.0)
        return;
    arc(centre, radius, 0.0, 0.0, pen);
}

void Plot::arc(WorldPoint centre, double radius, double startAngleRad, double endAngleRad, const Pen& pen)
{
    if (!m_state || !isFinitePoint(centre) || !std::isfinite(radius) || radius <= 0.0 || !std::isfinite(startAngleRad) ||
        !std::isfinite(endAngleRad))
        return;
    State& s = *m_state;
    const ArcSpan span{centre, radius, startAngleRad, counterClockwiseSweep(startAngleRad, endAngleRad)};
    WorldExtents extents;
    addArcExtents(extents, span);
    const double stroke = strokeWidth(pen, 0.0, s.view.scale);
    if (s.speck(s.deviceBox(extents, 0.0), stroke, pen.colour))
        return;
    s.flushSpecks();
    const DeviceRect box = s.deviceBox(extents, stroke / 2.0);
    if (!s.page.intersects(box))
        return;
    cairo_new_path(s.cr);
    if (s.safe.contains(box)) {
        s.appendArc(span);
    } else {
        std::vector<DevicePoint> points;
        s.appendArcPoints(points, span);
        s.appendClippedPoints(points, false);
    }
    s.stroke(pen, 0.0, radius * span.sweepRad);
}

void Plot::point(WorldPoint position, const Pen& pen)
{
    if (!m_state || !isFinitePoint(position))
        return;
    State& s = *m_state;
    const double diameter = strokeWidth(pen, 0.0, s.view.scale);
    const DevicePoint at = s.toDevice(position);
    if (s.speck(DeviceRect{at.x, at.y, at.x, at.y}, diameter, pen.colour))
        return;
    s.flushSpecks();
    s.dot(position, diameter, pen.colour);
}

}  // namespace kelvora
