// Plotting a drawing: model space drawn through every entity's own worldDraw onto a canvas, a PNG, SVG or PDF file.
#pragma once

#include "acadstrc.h"
#include "kelvora/canvas.h"
#include "kelvora/plot.h"

#include <string>
#include <vector>

class AcDbDatabase;

namespace kelvora {

// An xline or a ray. Having no extents, it is drawn across whatever window the plot shows.
struct InfiniteLine {
    WorldPoint base;
    WorldPoint direction;   // unit, in the XY plane
    bool bothWays = true;   // an xline; a ray runs from base along direction only
    Pen pen;                // its linetype is null: the line keeps its own pattern below
    LinetypePattern linetype;  // no dashes: continuous
};

// Draws the shown entities of model space onto the canvas, in drawing order, through the graphics
// recorder (each entity's own worldDraw, nested drawables and block references included); xlines
// and rays go to `infiniteLines` instead. What is shown, and how:
// - Entities that are invisible, or on a layer that is off, frozen or not plottable, are left
//   out. A block reference on a layer that is off still shows its entities that are on other
//   layers; one on a frozen layer shows nothing.
// - Inside a block reference (and any drawable drawn by another): a ByBlock colour, lineweight
//   or linetype takes the reference's; an entity on layer "0" (or on none) takes the reference's
//   layer, for its ByLayer colour and lineweight and for whether it is shown. At the top level
//   ByBlock is colour 7, the default lineweight and a continuous line.
// - Linetypes: the entity's, ByLayer the layer's, Continuous or one without dashes continuous;
//   scaled by LTSCALE, the entity's linetype scale and the scale of the references it is drawn
//   in. Each line, arc, circle or polyline starts the pattern anew; along a polyline (straight and
//   arc segments alike) it runs on through the vertices, as PLINEGEN draws it.
// - Colours: the colour index through aciToPlotRgb (7 black on white paper), true colours as
//   they are. Lineweights: ByLayer the layer's, ByBlock and default kDefaultLineweightMm.
// - Filled polygons (kAcGiFillAlways) are filled; the loops of one hatch fill together by the
//   even-odd rule, so that its islands stay open. A lightweight polyline with widths shows its
//   band. Circles and arcs stay true curves; texts are set with their style's font file
//   (findFontFace), height, width factor, obliquing and the rotation of their direction.
// eNullObjectPointer for a null database; the status of opening model space when that fails.
Acad::ErrorStatus drawModelSpace(AcDbDatabase* db, Canvas& canvas, std::vector<InfiniteLine>& infiniteLines,
                                 double deviation = 0.0);

// Plots model space to a PNG, SVG or PDF file (by the path's extension), white paper, at
// options.width x options.height pixels (points for SVG and PDF; kDefaultPlotWidth x
// kDefaultPlotHeight by default). The view is options.window exactly when given, otherwise the
// extents of what is shown enlarged by kPlotMarginRatio of their width and height on each side;
// it is fitted at one scale and centred. The file is written atomically (beside the target,
// then renamed over it).
//
// Statuses, each with `error` set to a one-line message "PATH: error: TEXT":
//   eNullObjectPointer  no database
//   eInvalidInput       the extension is not .png, .svg or .pdf ("PATH: error: unknown plot format ...");
//                       a size outside 1..kMaxPlotSide; a window that is empty, not finite or
//                       without area
//   eFileAccessErr      the file cannot be written ("PATH: error: cannot write the plot")
//   eOutOfMemory        cairo ran out of memory
//   other               opening model space failed
// On failure the target is left as it was.
Acad::ErrorStatus plotDatabase(AcDbDatabase* db, const std::string& path, const PlotOptions& options,
                               std::string& error);

}  // namespace kelvora
