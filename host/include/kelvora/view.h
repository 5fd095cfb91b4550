// The drawing's view: a viewport of fixed pixel size looking straight down on the world XY plane, changed only by ZOOM and PAN.
#pragma once

#include <optional>
#include <vector>

#include "gepnt2d.h"

class AcDbDatabase;

namespace kelvora {

// The viewport a screen would show, in pixels.
inline constexpr int kViewportWidthPx = 1600;
inline constexpr int kViewportHeightPx = 1200;

// The limits of a drawing that names none (LIMMAX of a new drawing: an A3 sheet in millimetres).
inline constexpr double kDefaultLimitsWidth = 420.0;
inline constexpr double kDefaultLimitsHeight = 297.0;

// The limits of the drawing, or the default ones without a drawing.
void drawingLimits(const AcDbDatabase* db, AcGePoint2d& min, AcGePoint2d& max);

// What is seen: the world point at the middle of the viewport and the world size of one pixel.
// The pixel size is the same along x and y, so a window is fitted by whichever side is tighter.
struct ViewState {
    AcGePoint2d centre{kDefaultLimitsWidth / 2.0, kDefaultLimitsHeight / 2.0};
    double unitsPerPixel = kDefaultLimitsWidth / kViewportWidthPx;

    double width() const { return unitsPerPixel * kViewportWidthPx; }
    double height() const { return unitsPerPixel * kViewportHeightPx; }
    AcGePoint2d lowerLeft() const;
    AcGePoint2d upperRight() const;
};

// The view that shows the box from `a` to `b` (any two opposite corners) whole and centred. A box
// without width and height keeps `current`'s pixel size and only centres it.
ViewState fitWindow(const AcGePoint2d& a, const AcGePoint2d& b, const ViewState& current);

// The extents of the drawing's model space as drawn (the display's record of every entity, entities
// on layers that are off or frozen left out); nothing when nothing visible is drawn.
bool drawingExtents(AcDbDatabase* db, AcGePoint2d& min, AcGePoint2d& max);

// The view of the drawing being edited.
const ViewState& currentView();
// Changes the view, remembering the one it replaces for ZOOM Previous. The display draws every
// entity again at the new scale.
void setView(const ViewState& view);
// Puts back the view before the last change; false when there is none.
bool restorePreviousView();

// Starting views: a new drawing shows its limits (LIMMIN to LIMMAX, 0,0 to 420,297 by default);
// a drawing read from a file is zoomed to its extents (its limits when it has none). The list of
// previous views is emptied.
void startViewOnLimits(AcDbDatabase* db);
void startViewOnExtents(AcDbDatabase* db);

// The pick aperture: PICKBOX pixels of the current view, in drawing units (half the side of the
// square a pick looks in).
double pickApertureUnits();

}  // namespace kelvora
