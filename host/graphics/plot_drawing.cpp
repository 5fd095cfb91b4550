// Plotting a drawing to a file: model space into a display list, the view fitted to it, then painted through cairo.
#include "kelvora/plot_drawing.h"

#include "kelvora/display_list.h"
#include "kelvora/wide_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvora {

namespace {

// Xlines and rays are drawn this far past the edges of the view (a share of its size), so that
// their ends and caps stay off the sheet.
constexpr double kInfiniteLineOverreach = 0.1;

// Curves are flattened (ellipses, splines, hatch loops) to half a device unit, invisible on the plot.
constexpr double kDeviationInDeviceUnits = 0.5;

bool isFiniteWindow(const WorldExtents& window)
{
    return std::isfinite(window.minPoint().x) && std::isfinite(window.minPoint().y) &&
           std::isfinite(window.maxPoint().x) && std::isfinite(window.maxPoint().y);
}

// The world rectangle a view shows.
WorldExtents shownRectangle(const PlotView& view)
{
    const double halfWidth = view.width / 2.0 / view.scale;
    const double halfHeight = view.height / 2.0 / view.scale;
    return WorldExtents::fromCorners({view.centre.x - halfWidth, view.centre.y - halfHeight},
                                     {view.centre.x + halfWidth, view.centre.y + halfHeight});
}

// The part of an infinite line inside a rectangle (by its parameter along the line); false when
// it misses the rectangle.
bool clipToRectangle(const InfiniteLine& line, const WorldExtents& box, WorldPoint& from, WorldPoint& to)
{
    double lo = line.bothWays ? -std::numeric_limits<double>::infinity() : 0.0;
    double hi = std::numeric_limits<double>::infinity();
    const double base[2] = {line.base.x, line.base.y};
    const double dir[2] = {line.direction.x, line.direction.y};
    const double mins[2] = {box.minPoint().x, box.minPoint().y};
    const double maxs[2] = {box.maxPoint().x, box.maxPoint().y};
    for (int axis = 0; axis < 2; ++axis) {
        if (std::fabs(dir[axis]) <= std::numeric_limits<double>::min()) {
            if (base[axis] < mins[axis] || base[axis] > maxs[axis])
                return false;
            continue;
        }
        double t0 = (mins[axis] - base[axis]) / dir[axis];
        double t1 = (maxs[axis] - base[axis]) / dir[axis];
        if (t0 > t1)
            std::swap(t0, t1);
        lo = std::max(lo, t0);
        hi = std::min(hi, t1);
    }
    if (!(lo < hi))
        return false;
    from = {line.base.x + line.direction.x * lo, line.base.y + line.direction.y * lo};
    to = {line.base.x + line.direction.x * hi, line.base.y + line.direction.y * hi};
    return true;
}

void drawInfiniteLines(Canvas& canvas, const std::vector<InfiniteLine>& lines, const PlotView& view)
{
    const WorldExtents shown = shownRectangle(view);
    const double dx = shown.width() * kInfiniteLineOverreach;
    const double dy = shown.height() * kInfiniteLineOverreach;
    const WorldExtents box = WorldExtents::fromCorners({shown.minPoint().x - dx, shown.minPoint().y - dy},
                                                       {shown.maxPoint().x + dx, shown.maxPoint().y + dy});
    for (const InfiniteLine& line : lines) {
        WorldPoint ends[2];
        if (!clipToRectangle(line, box, ends[0], ends[1]))
            continue;
        Pen pen = line.pen;
        pen.linetype = line.linetype.dashes.empty() ? nullptr : &line.linetype;
        drawPolyline(canvas, ends, false, pen);
    }
}

Acad::ErrorStatus fail(Acad::ErrorStatus es, std::string message, std::string& error)
{
    error = std::move(message);
    return es;
}

}  // namespace

Acad::ErrorStatus plotDatabase(AcDbDatabase* db, const std::string& path, const PlotOptions& options,
                               std::string& error)
{
    if (db == nullptr)
        return fail(Acad::eNullObjectPointer, path + ": error: no drawing to plot", error);
    if (!plotFormatForPath(path))
        return fail(Acad::eInvalidInput, path + ": error: unknown plot format (use .png, .svg or .pdf)", error);
    if (options.width < 1 || options.height < 1 || options.width > kMaxPlotSide || options.height > kMaxPlotSide)
        return fail(Acad::eInvalidInput,
                    path + ": error: plot size " + std::to_string(options.width) + "x" + std::to_string(options.height) +
                        " is outside 1.." + std::to_string(kMaxPlotSide) + " on a side",
                    error);
    if (options.window && (options.window->isEmpty() || !isFiniteWindow(*options.window) ||
                           !(options.window->width() > 0.0) || !(options.window->height() > 0.0)))
        return fail(Acad::eInvalidInput, path + ": error: the plot window needs two corners with an area between them",
                    error);

    // With a window, the scale is known before drawing and curves are flattened for it.
    double deviation = 0.0;
    if (options.window)
        deviation = kDeviationInDeviceUnits / PlotView::fit(*options.window, options.width, options.height).scale;
    DisplayList list;
    std::vector<InfiniteLine> infiniteLines;
    if (const Acad::ErrorStatus es = drawModelSpace(db, list, infiniteLines, deviation); es != Acad::eOk)
        return fail(es, path + ": error: cannot read model space (" + toUtf8(acadErrorStatusText(es)) + ")", error);

    WorldExtents window;
    if (options.window) {
        window = *options.window;
    } else {
        WorldExtents drawn = list.extents();
        // A drawing of xlines alone still shows them, about their base points.
        for (const InfiniteLine& line : infiniteLines)
            drawn.addPoint(line.base);
        window = withPlotMargin(drawn);
    }
    const PlotView view = PlotView::fit(window, options.width, options.height);
    Plot plot;
    if (const Acad::ErrorStatus es = plot.begin(path, view); es != Acad::eOk)
        return fail(es, path + ": error: cannot write the plot", error);
    list.replay(plot);
    drawInfiniteLines(plot, infiniteLines, view);
    if (const Acad::ErrorStatus es = plot.finish(); es != Acad::eOk) {
        if (es == Acad::eOutOfMemory)
            return fail(es, path + ": error: out of memory while plotting", error);
        return fail(es, path + ": error: cannot write the plot", error);
    }
    error.clear();
    return Acad::eOk;
}

}  // namespace kelvora
