// Plotting a display list: fit the view to its extents (or the given window), then replay it.
#include "kelvora/display_list.h"
#include "kelvora/plot.h"

#include "arc_geometry.h"

namespace kelvora {

Acad::ErrorStatus renderDisplayList(const DisplayList& list, const std::string& path, const PlotOptions& options)
{
    WorldExtents window = withPlotMargin(list.extents());
    if (options.window) {
        if (!options.window->isEmpty() &&
            (!isFinitePoint(options.window->minPoint()) || !isFinitePoint(options.window->maxPoint())))
            return Acad::eInvalidInput;
        window = *options.window;
    }
    Plot plot;
    if (const Acad::ErrorStatus status = plot.begin(path, PlotView::fit(window, options.width, options.height));
        status != Acad::eOk)
        return status;
    list.replay(plot);
    return plot.finish();
}

}  // namespace kelvora
