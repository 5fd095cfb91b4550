// The view of the drawing: fitting windows, the list of previous views, the starting views, the pick aperture.
#include "kelvora/view.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "dbapserv.h"
#include "dbmain.h"
#include "kelvora/drawing_display.h"
#include "kelvora/system_variables.h"

namespace kelvora {

namespace {

// ZOOM Previous remembers this many views, as the commercial host does.
constexpr std::size_t kPreviousViewsKept = 10;
// A window narrower than this share of its coordinates' size has no width: it only centres the view.
constexpr double kDegenerateWindowRatio = 1e-12;

ViewState& view()
{
    static ViewState state;
    return state;
}

std::vector<ViewState>& previousViews()
{
    static std::vector<ViewState> views;
    return views;
}

void regenWorking()
{
    if (AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase())
        drawingDisplay().regen(db);
}

ViewState limitsView(AcDbDatabase* db)
{
    AcGePoint2d min;
    AcGePoint2d max;
    drawingLimits(db, min, max);
    return fitWindow(min, max, ViewState{});
}

}  // namespace

void drawingLimits(const AcDbDatabase* db, AcGePoint2d& min, AcGePoint2d& max)
{
    min = db != nullptr ? db->limmin() : AcGePoint2d(0.0, 0.0);
    max = db != nullptr ? db->limmax() : AcGePoint2d(kDefaultLimitsWidth, kDefaultLimitsHeight);
}

AcGePoint2d ViewState::lowerLeft() const
{
    return {centre.x - width() / 2.0, centre.y - height() / 2.0};
}

AcGePoint2d ViewState::upperRight() const
{
    return {centre.x + width() / 2.0, centre.y + height() / 2.0};
}

ViewState fitWindow(const AcGePoint2d& a, const AcGePoint2d& b, const ViewState& current)
{
    ViewState fitted = current;
    fitted.centre = AcGePoint2d((a.x + b.x) / 2.0, (a.y + b.y) / 2.0);
    double w = std::fabs(b.x - a.x);
    double h = std::fabs(b.y - a.y);
    double size = std::max({1.0, std::fabs(a.x), std::fabs(a.y), std::fabs(b.x), std::fabs(b.y)});
    if (w <= size * kDegenerateWindowRatio && h <= size * kDegenerateWindowRatio)
        return fitted;
    fitted.unitsPerPixel = std::max(w / kViewportWidthPx, h / kViewportHeightPx);
    return fitted;
}

bool drawingExtents(AcDbDatabase* db, AcGePoint2d& min, AcGePoint2d& max)
{
    AcDbExtents all;
    bool any = false;
    for (AcDbObjectId id : displayedEntities(db)) {
        const DrawnEntity* drawn = drawingDisplay().graphicsOf(id);
        if (drawn == nullptr)
            continue;
        for (const GiPrimitive& primitive : drawn->primitives) {
            AcDbExtents box;
            if (primitiveExtents(primitive, box) && box.isValid()) {
                all.addExt(box);
                any = true;
            }
        }
    }
    if (!any)
        return false;
    min = AcGePoint2d(all.minPoint().x, all.minPoint().y);
    max = AcGePoint2d(all.maxPoint().x, all.maxPoint().y);
    return true;
}

const ViewState& currentView()
{
    return view();
}

void setView(const ViewState& next)
{
    if (!std::isfinite(next.centre.x) || !std::isfinite(next.centre.y) || !std::isfinite(next.unitsPerPixel) ||
        next.unitsPerPixel <= 0.0)
        return;
    auto& previous = previousViews();
    previous.push_back(view());
    if (previous.size() > kPreviousViewsKept)
        previous.erase(previous.begin());
    view() = next;
    regenWorking();
}

bool restorePreviousView()
{
    auto& previous = previousViews();
    if (previous.empty())
        return false;
    view() = previous.back();
    previous.pop_back();
    regenWorking();
    return true;
}

void startViewOnLimits(AcDbDatabase* db)
{
    previousViews().clear();
    view() = limitsView(db);
    drawingDisplay().regen(db);
}

void startViewOnExtents(AcDbDatabase* db)
{
    previousViews().clear();
    view() = limitsView(db);
    drawingDisplay().regen(db);
    AcGePoint2d min;
    AcGePoint2d max;
    if (drawingExtents(db, min, max)) {
        view() = fitWindow(min, max, view());
        drawingDisplay().regen(db);
    }
}

double pickApertureUnits()
{
    long long pickbox = systemVariables().integer(L"PICKBOX", 3);
    return static_cast<double>(std::max(0LL, pickbox)) * view().unitsPerPixel;
}

}  // namespace kelvora
