// The view commands ZOOM, PAN and REGEN.
#include <cmath>
#include <string>

#include "acedads.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbmain.h"
#include "kelvora/drawing_display.h"
#include "kelvora/host_commands.h"
#include "kelvora/script_syntax.h"
#include "kelvora/view.h"
#include "text_encoding.h"

namespace kelvora {

namespace {

constexpr const ACHAR* kZoomPrompt =
    L"\nSpecify corner of window, enter a scale factor (nX or nXP), or\n"
    L"[All/Center/Dynamic/Extents/Previous/Scale/Window/Object] <real time>: ";
constexpr const ACHAR* kZoomKeywords = L"All Center Dynamic Extents Previous Scale Window Object";
constexpr std::size_t kAnswerSize = 512;

AcDbDatabase* working()
{
    return acdbHostApplicationServices()->workingDatabase();
}

std::wstring shown(double value)
{
    ACHAR text[64] = L"";
    if (acdbRToS(value, -1, -1, text) != RTNORM)
        return std::to_wstring(value);
    return text;
}

// "2", "2x", "2X", "2xp": the factor and whether it is relative to the current view ("x").
struct ScaleAnswer {
    double factor = 0.0;
    bool relative = false;
};

std::optional<ScaleAnswer> parseScale(std::wstring_view text)
{
    text = trimBlanks(text);
    ScaleAnswer answer;
    std::wstring lower;
    for (wchar_t c : text)
        lower += foldCase(c);
    std::wstring_view number = lower;
    if (number.ends_with(L"xp")) {
        number.remove_suffix(2);
        answer.relative = true;
    } else if (number.ends_with(L"x")) {
        number.remove_suffix(1);
        answer.relative = true;
    }
    auto value = parseReal(number);
    if (!value || !(*value > 0.0) || !std::isfinite(*value))
        return std::nullopt;
    answer.factor = *value;
    return answer;
}

ViewState limitsView()
{
    AcGePoint2d min;
    AcGePoint2d max;
    drawingLimits(working(), min, max);
    return fitWindow(min, max, currentView());
}

void zoomByScale(const ScaleAnswer& scale)
{
    ViewState next = currentView();
    if (scale.relative)
        next.unitsPerPixel = currentView().unitsPerPixel / scale.factor;
    else
        next.unitsPerPixel = limitsView().unitsPerPixel / scale.factor;
    setView(next);
}

void zoomWindow(const AcGePoint2d& a, const AcGePoint2d& b)
{
    setView(fitWindow(a, b, currentView()));
}

void zoomExtents()
{
    AcGePoint2d min;
    AcGePoint2d max;
    if (drawingExtents(working(), min, max))
        zoomWindow(min, max);
    else
        setView(limitsView());
}

void zoomAll()
{
    AcDbDatabase* db = working();
    AcGePoint2d min;
    AcGePoint2d max;
    drawingLimits(db, min, max);
    AcGePoint2d emin;
    AcGePoint2d emax;
    if (drawingExtents(db, emin, emax)) {
        min = AcGePoint2d(std::min(min.x, emin.x), std::min(min.y, emin.y));
        max = AcGePoint2d(std::max(max.x, emax.x), std::max(max.y, emax.y));
    }
    zoomWindow(min, max);
}

void zoomCenter()
{
    ads_point centre{0.0, 0.0, 0.0};
    if (acedGetPoint(nullptr, L"\nSpecify center point: ", centre) != RTNORM)
        return;
    ACHAR answer[kAnswerSize] = L"";
    std::wstring prompt = L"\nEnter magnification or height <" + shown(currentView().height()) + L">: ";
    while (true) {
        if (acedGetString(0, prompt.c_str(), answer) != RTNORM)
            return;
        ViewState next = currentView();
        next.centre = AcGePoint2d(centre[X], centre[Y]);
        std::wstring_view text = trimBlanks(answer);
        if (!text.empty()) {
            auto scale = parseScale(text);
            if (!scale) {
                acutPrintf(L"\nRequires a positive number or nX.");
                continue;
            }
            next.unitsPerPixel = scale->relative ? currentView().unitsPerPixel / scale->factor
                                                 : scale->factor / kViewportHeightPx;
        }
        setView(next);
        return;
    }
}

void zoomScalePrompt()
{
    ACHAR answer[kAnswerSize] = L"";
    while (true) {
        if (acedGetString(0, L"\nEnter a scale factor (nX or nXP): ", answer) != RTNORM)
            return;
        if (auto scale = parseScale(answer)) {
            zoomByScale(*scale);
            return;
        }
        acutPrintf(L"\nRequires a positive number or nX.");
    }
}

void zoomWindowPrompt(const ads_point* first)
{
    ads_point a{0.0, 0.0, 0.0};
    if (first != nullptr) {
        a[X] = (*first)[X];
        a[Y] = (*first)[Y];
        a[Z] = (*first)[Z];
    } else if (acedGetPoint(nullptr, L"\nSpecify first corner: ", a) != RTNORM) {
        return;
    }
    ads_point b{0.0, 0.0, 0.0};
    if (acedGetCorner(a, L"\nSpecify opposite corner: ", b) != RTNORM)
        return;
    zoomWindow(AcGePoint2d(a[X], a[Y]), AcGePoint2d(b[X], b[Y]));
}

void zoomObjects()
{
    std::vector<AcDbObjectId> ids;
    if (selectObjects(ids) != RTNORM || ids.empty())
        return;
    AcDbExtents all;
    bool any = false;
    for (AcDbObjectId id : ids) {
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
    if (any)
        zoomWindow(AcGePoint2d(all.minPoint().x, all.minPoint().y), AcGePoint2d(all.maxPoint().x, all.maxPoint().y));
}

void zoomCommand()
{
    acedInitGet(RSG_OTHER, kZoomKeywords);
    ads_point first{0.0, 0.0, 0.0};
    int status = acedGetPoint(nullptr, kZoomPrompt, first);
    if (status == RTNORM) {
        zoomWindowPrompt(&first);
        return;
    }
    if (status != RTKWORD)
        return;
    ACHAR keyword[kAnswerSize] = L"";
    acedGetInput(keyword);
    std::wstring_view word = keyword;
    if (word == L"All")
        zoomAll();
    else if (word == L"Center")
        zoomCenter();
    else if (word == L"Extents")
        zoomExtents();
    else if (word == L"Previous") {
        if (!restorePreviousView())
            acutPrintf(L"\nNo previous view saved.");
    } else if (word == L"Scale")
        zoomScalePrompt();
    else if (word == L"Window" || word == L"Dynamic")
        zoomWindowPrompt(nullptr);
    else if (word == L"Object")
        zoomObjects();
    else if (auto scale = parseScale(word))
        zoomByScale(*scale);
    else
        acutPrintf(L"\nInvalid option keyword.");
}

void panCommand()
{
    ads_point base{0.0, 0.0, 0.0};
    if (acedGetPoint(nullptr, L"\nSpecify base point or displacement: ", base) != RTNORM)
        return;
    ads_point second{0.0, 0.0, 0.0};
    int status = acedGetPoint(base, L"\nSpecify second point: ", second);
    double dx = base[X];
    double dy = base[Y];
    if (status == RTNORM) {
        dx = second[X] - base[X];
        dy = second[Y] - base[Y];
    } else if (status != RTNONE) {
        return;
    }
    // The drawing moves by the displacement, so the view's centre moves the other way.
    ViewState next = currentView();
    next.centre = AcGePoint2d(next.centre.x - dx, next.centre.y - dy);
    setView(next);
}

void regenCommand()
{
    acutPrintf(L"\nRegenerating model.");
    if (AcDbDatabase* db = working())
        drawingDisplay().regen(db);
}

}  // namespace

}  // namespace kelvora

KELVORA_HOST_COMMAND(ZOOM, kelvora::zoomCommand);
KELVORA_HOST_COMMAND(PAN, kelvora::panCommand);
KELVORA_HOST_COMMAND(REGEN, kelvora::regenCommand);
