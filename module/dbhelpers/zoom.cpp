// Zoom helpers, through the host's ZOOM command with its echo silenced (and CMDECHO restored after).
#include "dbhelpers/zoom.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbhelpers/resource_scope.h"
#include "dbmain.h"

namespace {

// Runs the ZOOM command list with CMDECHO at 0, restoring its previous value whatever the outcome.
int runSilentZoom(resbuf* answers)
{
    resbuf saved{};
    const bool haveEcho = acedGetVar(ACRX_T("CMDECHO"), &saved) == RTNORM;
    resbuf quiet{};
    quiet.restype = RTSHORT;
    quiet.resval.rint = 0;
    acedSetVar(ACRX_T("CMDECHO"), &quiet);
    const int result = acedCmd(answers);
    if (haveEcho)
        acedSetVar(ACRX_T("CMDECHO"), &saved);
    acutRelRb(answers);
    return result;
}

}  // namespace

Acad::ErrorStatus zoomWindow(const AcGePoint3d& lowerLeft, const AcGePoint3d& upperRight)
{
    ModuleResourceScope resources;
    const ads_point from = {lowerLeft.x, lowerLeft.y, lowerLeft.z};
    const ads_point to = {upperRight.x, upperRight.y, upperRight.z};
    runSilentZoom(acutBuildList(RTSTR, ACRX_T("_.ZOOM"), RTSTR, ACRX_T("_W"), RT3DPOINT, from, RT3DPOINT, to, 0));
    return resources.pop();
}

Acad::ErrorStatus zoomToEntity(AcDbObjectId id)
{
    AcDbEntity* entity = nullptr;
    const Acad::ErrorStatus es = acdbOpenAcDbEntity(entity, id, AcDb::kForRead);
    if (es != Acad::eOk)
        return es;
    AcDbExtents extents;
    if (entity->getGeomExtents(extents) == Acad::eOk) {
        const AcGePoint3d lo = extents.minPoint();
        const AcGePoint3d hi = extents.maxPoint();
        const AcGeVector3d margin = (hi - lo) / 10.0;
        zoomWindow(lo - margin, hi + margin);
    }
    return entity->close();
}

void zoomCenterAtPoint()
{
    ads_point centre;
    if (acedGetPoint(nullptr, ACRX_T("\nCentre "), centre) != RTNORM)
        return;
    runSilentZoom(
        acutBuildList(RTSTR, ACRX_T("_.ZOOM"), RTSTR, ACRX_T("_C"), RT3DPOINT, centre, RTSTR, ACRX_T("1x"), 0));
}

void zoomScale(double factor)
{
    if (std::fpclassify(factor) == FP_ZERO)
        return;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%fx", factor);
    std::wstring answer;
    for (const char* c = buffer; *c != '\0'; ++c)
        answer.push_back(static_cast<wchar_t>(*c));
    runSilentZoom(acutBuildList(RTSTR, ACRX_T("_.ZOOM"), RTSTR, answer.c_str(), 0));
}
