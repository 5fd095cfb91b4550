// MSPLTOPLINE: every spline and ellipse of a selection becomes a lightweight polyline in its place.
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbpl.h"
#include "tools/entity_replacement.h"
#include "tools/spline_conversion.h"
#include "tools/tool_commands.h"

namespace kelvora::tools {

namespace {

// Converts one member of the selection; members that cannot be opened or do not convert are left.
void convertMember(const ads_name member)
{
    AcDbObjectId id;
    AcDbEntity* source = nullptr;
    if (acdbGetObjectId(id, member) != Acad::eOk || acdbOpenAcDbEntity(source, id, AcDb::kForWrite) != Acad::eOk)
        return;
    AcDbPolyline* pline = curveToPolyline(source);
    if (pline == nullptr) {
        source->close();
        return;
    }
    mergeConvertedPolyline(pline);
    if (replaceEntity(source, pline))
        pline->close();
}

}  // namespace

void commandMSplToPline()
{
    acutPrintf(ACRX_T("\nSelectionnez les splines à convertir en polylines:"));
    ads_name selection;
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, selection) != RTNORM)
        return;
    Adesk::Int32 count = 0;
    if (acedSSLength(selection, &count) != RTNORM || count <= 0) {
        acedSSFree(selection);
        return;
    }
    acutPrintf(ACRX_T("\n\n"));
    for (Adesk::Int32 i = 0; i < count; ++i) {
        acutPrintf(ACRX_T("\rConversion %d / %d "), static_cast<int>(i + 1), static_cast<int>(count));
        ads_name member;
        if (acedSSName(selection, i, member) == RTNORM)
            convertMember(member);
    }
    acutPrintf(ACRX_T("\n"));
    acedSSFree(selection);
}

}  // namespace kelvora::tools
