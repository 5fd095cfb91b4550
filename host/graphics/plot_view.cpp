// Fitting a world window onto a plot device, and the plot formats known by extension.
#include "kelvora/plot.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <string>

namespace kelvora {

namespace {

// A window side shorter than this share of its coordinates' magnitude is below what doubles
// resolve after the view's transform: it counts as no side at all.
constexpr double kDegenerateSpanRatio = 1e-12;

// A window reduced to one point shows this many drawing units around it.
constexpr double kPointWindowSpan = 1.0;

}  // namespace

std::optional<PlotFormat> plotFormatForPath(std::string_view path)
{
    const auto dot = path.rfind('.');
    const auto slash = path.find_last_of('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::nullopt;
    std::string extension(path.substr(dot));
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".png")
        return PlotFormat::Png;
    if (extension == ".svg")
        return PlotFormat::Svg;
    if (extension == ".pdf")
        return PlotFormat::Pdf;
    return std::nullopt;
}

PlotView PlotView::fit(const WorldExtents& window, int width, int height)
{
    PlotView view;
    view.width = width;
    view.height = height;
    if (window.isEmpty()) {
        view.scale = std::min(width, height) / kPointWindowSpan;
        return view;
    }
    const WorldPoint lo = window.minPoint();
    const WorldPoint hi = window.maxPoint();
    view.centre = {lo.x + (hi.x - lo.x) / 2.0, lo.y + (hi.y - lo.y) / 2.0};
    const double magnitude = std::max({1.0, std::fabs(lo.x), std::fabs(lo.y), std::fabs(hi.x), std::fabs(hi.y)});
    const double smallest = kDegenerateSpanRatio * magnitude;
    const double infinity = std::numeric_limits<double>::infinity();
    const double byWidth = window.width() > smallest ? width / window.width() : infinity;
    const double byHeight = window.height() > smallest ? height / window.height() : infinity;
    view.scale = std::min(byWidth, byHeight);
    if (!std::isfinite(view.scale) || !(view.scale > 0.0))
        view.scale = std::min(width, height) / kPointWindowSpan;
    return view;
}

WorldPoint PlotView::toDevice(WorldPoint world) const
{
    return {width / 2.0 + (world.x - centre.x) * scale, height / 2.0 - (world.y - centre.y) * scale};
}

WorldExtents withPlotMargin(const WorldExtents& extents)
{
    if (extents.isEmpty())
        return extents;
    const double dx = extents.width() * kPlotMarginRatio;
    const double dy = extents.height() * kPlotMarginRatio;
    return WorldExtents::fromCorners({extents.minPoint().x - dx, extents.minPoint().y - dy},
                                     {extents.maxPoint().x + dx, extents.maxPoint().y + dy});
}

}  // namespace kelvora
