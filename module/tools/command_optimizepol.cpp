// OPTIMIZEPOL: old-style 2D polylines become lightweight ones, and every polyline of a selection is
// thinned by merging its collinear lines and co-circular arcs under the module's tolerances.
#include <cwchar>

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbents.h"
#include "dbpl.h"
#include "geometry/polyline_kernel.h"
#include "tools/entity_replacement.h"
#include "tools/optimize_tolerances.h"
#include "tools/polyline_2d_conversion.h"
#include "tools/tool_commands.h"

namespace kelvora::tools {

namespace {

// Room for a prompt with one number in it.
constexpr std::size_t kPromptSize = 128;

// Asks for a tolerance, showing the current value; Enter keeps it. False when cancelled.
bool askTolerance(const wchar_t* format, double& value)
{
    wchar_t prompt[kPromptSize];
    std::swprintf(prompt, kPromptSize, format, value);
    ads_real answer = value;
    const int status = acedGetDist(nullptr, prompt, &answer);
    if (status == RTNONE)
        return true;
    if (status != RTNORM)
        return false;
    value = answer;
    return true;
}

struct Progress {
    int converted = 0;
    int removed = 0;
};

// Merges in place and counts the vertices the merge took away.
void merge(AcDbPolyline* pline, const OptimizeTolerances& tolerances, Progress& progress)
{
    const unsigned int before = pline->numVerts();
    mergeCollinearSegments(pline, tolerances.distance, tolerances.direction);
    progress.removed += static_cast<int>(before) - static_cast<int>(pline->numVerts());
}

void optimizeMember(const ads_name member, const OptimizeTolerances& tolerances, Progress& progress)
{
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acdbGetObjectId(id, member) != Acad::eOk || acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk)
        return;
    if (const AcDb2dPolyline* old = AcDb2dPolyline::cast(entity)) {
        ++progress.converted;
        AcDbPolyline* pline = lightweightFrom2dPolyline(old);
        merge(pline, tolerances, progress);
        if (replaceEntity(entity, pline))
            pline->close();
        return;
    }
    // Any class derived from the lightweight polyline (surfaces, slopes, special lines) keeps its
    // class and its own data: only its vertices change.
    if (AcDbPolyline* pline = AcDbPolyline::cast(entity))
        merge(pline, tolerances, progress);
    entity->close();
}

}  // namespace

void commandOptimizePol()
{
    OptimizeTolerances& tolerances = optimizeTolerances();
    if (!askTolerance(L"\nTolérance sur les directions: <%.4f> ", tolerances.direction))
        return;
    if (!askTolerance(L"\nTolérance sur les distances: <%.4f> ", tolerances.distance))
        return;

    acutPrintf(ACRX_T("\nSelectionnez les polylines à optimizer"));
    ads_name selection;
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, selection) != RTNORM)
        return;
    Adesk::Int32 count = 0;
    if (acedSSLength(selection, &count) != RTNORM || count <= 0) {
        acedSSFree(selection);
        return;
    }
    Progress progress;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        ads_name member;
        if (acedSSName(selection, i, member) == RTNORM)
            optimizeMember(member, tolerances, progress);
        acutPrintf(ACRX_T("\rElément %d, %d polylines converties, %d sommets supprimés"), static_cast<int>(i + 1),
                   progress.converted, progress.removed);
    }
    acedSSFree(selection);
}

}  // namespace kelvora::tools
