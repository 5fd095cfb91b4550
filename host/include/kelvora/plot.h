// Plots: a canvas that paints a world window onto a PNG, SVG or PDF file through cairo.
#pragma once

#include "acadstrc.h"
#include "kelvora/canvas.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kelvora {

class DisplayList;

enum class PlotFormat { Png, Svg, Pdf };

// The format a plot file's extension asks for (".png", ".svg", ".pdf", any case); nothing for
// any other name.
std::optional<PlotFormat> plotFormatForPath(std::string_view path);

// Device units are pixels for PNG and points (1/72 inch) for SVG and PDF, so one plot size
// gives the same picture in every format. Lineweights are converted at 72 units per inch.
inline constexpr int kDefaultPlotWidth = 1600;
inline constexpr int kDefaultPlotHeight = 1200;
// cairo's image surfaces stop at 32767 pixels a side; the vector formats keep the same bound.
inline constexpr int kMaxPlotSide = 32767;
// The extents of a drawing are enlarged by this share of their width and height on each side,
// so that nothing touches the edge of the sheet.
inline constexpr double kPlotMarginRatio = 0.05;

// World to device: one scale for both axes, Y turned down, the window centred on the device.
struct PlotView {
    int width = kDefaultPlotWidth;
    int height = kDefaultPlotHeight;
    double scale = 1.0;   // device units per drawing unit
    WorldPoint centre;    // the world point at the middle of the device

    // The view that fits the window into a device of the given size at one scale, centred. A
    // window without width or height is fitted by its other side; a window that is a single
    // point, or empty, shows one drawing unit around its centre (or the origin).
    static PlotView fit(const WorldExtents& window, int width, int height);

    WorldPoint toDevice(WorldPoint world) const;
};

// The extents enlarged by kPlotMarginRatio of their width and height on each side.
WorldExtents withPlotMargin(const WorldExtents& extents);

// A plot in progress. begin() opens the file's surface, the Canvas calls paint on it, finish()
// writes the file beside its target and renames it over the target, so that an interrupted or
// failed plot never leaves a half-written file. Destroying an unfinished plot discards it.
class Plot final : public Canvas {
public:
    Plot();
    ~Plot() override;
    Plot(const Plot&) = delete;
    Plot& operator=(const Plot&) = delete;

    // eInvalidInput for an unsupported extension or a size outside 1..kMaxPlotSide;
    // eFileAccessErr when the file beside the target cannot be made; eInvalidOpenState when
    // a plot is already in progress.
    Acad::ErrorStatus begin(const std::string& path, const PlotView& view);

    // eFileAccessErr when writing or renaming fails (the target is then left as it was);
    // eOutOfMemory when cairo ran out of memory; eInvalidOpenState without begin().
    Acad::ErrorStatus finish();

    void polyline(std::span<const PolylineVertex> vertices, bool closed, const Pen& pen, double constantWidth) override;
    void filledPolygon(std::span<const std::vector<WorldPoint>> rings, Rgb colour) override;
    void circle(WorldPoint centre, double radius, const Pen& pen) override;
    void arc(WorldPoint centre, double radius, double startAngleRad, double endAngleRad, const Pen& pen) override;
    void text(const TextItem& text) override;
    void point(WorldPoint position, const Pen& pen) override;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

struct PlotOptions {
    int width = kDefaultPlotWidth;
    int height = kDefaultPlotHeight;
    // The world window to show, exactly (fitted and centred); without one, the list's extents
    // with the plot margin.
    std::optional<WorldExtents> window;
};

// Plots a display list to a file: the two passes of a plot in one call.
Acad::ErrorStatus renderDisplayList(const DisplayList& list, const std::string& path, const PlotOptions& options = {});

}  // namespace kelvora
