// POLDIV: marks division points along a stretch of a polyline, every given distance or at n equal parts.
#include <optional>
#include <utility>

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbents.h"
#include "dbhelpers/model_space.h"
#include "dbhelpers/selection.h"
#include "dbpl.h"
#include "division/division_commands.h"
#include "division/stretch_division.h"
#include "geassign.h"

namespace kelvora::division {

namespace {

// Room for a typed step and for a length written in the drawing's units.
constexpr size_t kTextLength = 256;

void reportInternalError()
{
    acutPrintf(ACRX_T("\nErreur interne."));
}

// The point of the polyline nearest to a picked point (seen along its normal).
bool askPointOn(const AcDbPolyline* pline, const double* base, const ACHAR* prompt, ads_point picked,
                AcGePoint3d& onPline)
{
    if (acedGetPoint(base, prompt, picked) != RTNORM)
        return false;
    return pline->getClosestPointTo(asPnt3d(picked), pline->normal(), onPline, Adesk::kFalse) == Acad::eOk;
}

// Asks the step until one is accepted; nothing when the user cancels.
std::optional<double> askStep(double stretchLength)
{
    std::optional<double> step;
    for (;;) {
        acedInitGet(RSG_OTHER, nullptr);
        ACHAR lengthText[kTextLength] = {};
        acdbRToS(stretchLength, -1, -1, lengthText);
        acutPrintf(ACRX_T("\nDistance totale à partager :%s"), lengthText);
        double distance = 0.0;
        const int result =
            acedGetDist(nullptr, ACRX_T("\nDistance de partage (ou /n pour n parties égales) :"), &distance);
        if (result == RTNORM) {
            if (distance > stretchLength) {
                acutPrintf(ACRX_T("\nDistance trop grande"));
                continue;
            }
            step = distance;
        } else if (result == RTKWORD) {
            ACHAR answer[kTextLength] = {};
            double fromText = 0.0;
            if (acedGetInput(answer) != RTNORM || !stepFromText(answer, stretchLength, fromText)) {
                acutPrintf(ACRX_T("\nValeur incorrecte"));
                continue;
            }
            step = fromText;
        } else if (result == RTNONE) {
            // An empty answer keeps the step as it was; without one there is nothing to check.
            if (!step)
                continue;
        } else {
            return std::nullopt;
        }
        if (*step < kSmallestStep) {
            acutPrintf(ACRX_T("\nDistance de partage trop faible"));
            continue;
        }
        return step;
    }
}

void dividePolyline(const AcDbPolyline* pline)
{
    ads_point firstPick;
    ads_point secondPick;
    AcGePoint3d first;
    AcGePoint3d second;
    if (!askPointOn(pline, nullptr, ACRX_T("\n1er point de partage :"), firstPick, first) ||
        !askPointOn(pline, firstPick, ACRX_T("\nSecond point de partage :"), secondPick, second))
        return;
    double endParam = 0.0;
    double wholeLength = 0.0;
    double t1 = 0.0;
    double t2 = 0.0;
    if (pline->getEndParam(endParam) != Acad::eOk || pline->getDistAtParam(endParam, wholeLength) != Acad::eOk ||
        pline->getParamAtPoint(first, t1) != Acad::eOk || pline->getParamAtPoint(second, t2) != Acad::eOk) {
        reportInternalError();
        return;
    }
    if (!(t1 < t2) && !(t2 < t1)) {
        acutPrintf(ACRX_T("\nDistance à partager nulle."));
        return;
    }
    // On an open polyline the stretch runs forward from the lower parameter; on a closed one it runs
    // forward from the first pick, through the start point when it must.
    if (t1 > t2 && !pline->isClosed())
        std::swap(t1, t2);
    double d1 = 0.0;
    double d2 = 0.0;
    if (pline->getDistAtParam(t1, d1) != Acad::eOk || pline->getDistAtParam(t2, d2) != Acad::eOk) {
        reportInternalError();
        return;
    }
    const double stretchLength = t2 > t1 ? d2 - d1 : d2 + wholeLength - d1;
    const std::optional<double> step = askStep(stretchLength);
    if (!step)
        return;
    if (t1 > t2)
        d2 += wholeLength;
    forEachDivision(d1, d2, wholeLength, pline->isClosed(), *step, [&](double distAlong) {
        AcGePoint3d at;
        if (pline->getPointAtDist(distAlong, at) != Acad::eOk) {
            reportInternalError();
            return false;
        }
        auto* point = new AcDbPoint(at);
        point->setNormal(pline->normal());
        addToModelSpace(point);
        return true;
    });
}

}  // namespace

void commandPoldiv()
{
    AcDbObjectId id;
    AcDbEntity* entity = pickEntity(id, ACRX_T("\nPolyline à partager:"), AcDb::kForRead);
    if (entity == nullptr)
        return;
    if (const AcDbPolyline* pline = AcDbPolyline::cast(entity))
        dividePolyline(pline);
    entity->close();
}

}  // namespace kelvora::division
