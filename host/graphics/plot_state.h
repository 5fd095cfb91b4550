// The inside of a plot in progress: its cairo surface, its view and how world geometry becomes device paths.
#pragma once

#include "kelvora/linetype_dashes.h"
#include "kelvora/plot.h"

#include "arc_geometry.h"
#include "atomic_output.h"
#include "device_clip.h"

#include <cairo.h>

#include <map>
#include <span>
#include <string>
#include <vector>

namespace kelvora {

// cairo keeps device coordinates in 24.8 fixed point (about +-8.4 million): geometry reaching
// beyond kSafeReach of the page is cut to kClipReach of it first, far enough outside the page
// that the cut ends, joins and caps never show.
inline constexpr double kSafeReach = 4.0e6;
inline constexpr double kClipReach = 1.0e6;

// The width of a stroke in device units: the lineweight (72 device units to the inch, never
// under one unit), or the constant width at the view's scale when that is wider.
double strokeWidth(const Pen& pen, double constantWidth, double scale);

void setColour(cairo_t* cr, Rgb colour);

struct Plot::State {
    PlotFormat format = PlotFormat::Png;
    PlotView view;
    AtomicOutput output;
    std::string svgText;  // an SVG is kept whole until finished, to renumber it
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = nullptr;
    cairo_font_options_t* fontOptions = nullptr;
    std::map<const FontFace*, cairo_font_face_t*> fontFaces;
    DeviceRect page;
    DeviceRect safe;
    DeviceRect clip;

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    ~State();

    DevicePoint toDevice(WorldPoint p) const;
    // The device rectangle of world extents, grown by a margin in device units.
    DeviceRect deviceBox(const WorldExtents& extents, double margin) const;

    // Strokes the current path with the pen (and constant width) and clears it. A pen with a
    // linetype dashes it (deviceDashes), the pattern starting at the path's start; `lengthWorld`
    // is the curve's length in drawing units, for the limit on repeats.
    void stroke(const Pen& pen, double constantWidth, double lengthWorld = 0.0);

    // Adds a world arc to the current path as a true curve.
    void appendArc(const ArcSpan& arc);
    // Adds a world arc as device points, its chords close to the arc.
    void appendArcPoints(std::vector<DevicePoint>& out, const ArcSpan& arc) const;
    void appendPolylinePath(std::span<const PolylineVertex> vertices, bool closed);
    // The polyline as device points, arcs cut into chords, then cut to the clip rectangle.
    void appendClippedPolylinePath(std::span<const PolylineVertex> vertices, bool closed);
    void appendClippedPoints(const std::vector<DevicePoint>& points, bool closed);

    // A filled round dot of the given device diameter.
    void dot(WorldPoint at, double diameter, Rgb colour);

    // cairo's face for a font face, made once per plot; null when cairo cannot load it.
    cairo_font_face_t* cairoFace(const FontFace* face);

    // On a raster plot, a curve or fill whose device box is smaller than a speck both ways is
    // drawn as a speck: a square as wide as its stroke, centred on the box. Specks of one colour
    // and size that follow each other are filled together; every other drawing flushes them
    // first, so the drawing order stays. False when the box is too big to be a speck (or the
    // plot is a vector one, where a zoomed-in reader would show the square).
    bool speck(const DeviceRect& box, double size, Rgb colour);
    void flushSpecks();

    DeviceDashes dashes;  // reused from stroke to stroke
    bool dashed = false;  // cairo holds a dash pattern now

    std::vector<DevicePoint> specks;
    double speckSize = 0.0;
    Rgb speckColour;
};

}  // namespace kelvora
