// SUPPSOMMET: deletes the vertex of a polyline nearest to the pick, as one undo step.
#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbhelpers/undo_group.h"
#include "dbpl.h"
#include "tools/tool_commands.h"
#include "tools/vertex_lookup.h"

namespace kelvora::tools {

namespace {

// A polyline keeps at least two vertices: below three there is nothing to delete.
constexpr unsigned int kFewestVerticesToDeleteFrom = 3;

}  // namespace

void commandSuppSommet()
{
    CAcadUndoGroup undoGroup;
    ads_name picked;
    ads_point at;
    if (acedEntSel(ACRX_T("\nSommet à supprimer"), picked, at) != RTNORM)
        return;
    AcDbObjectId id;
    AcDbPolyline* pline = nullptr;
    if (acdbGetObjectId(id, picked) != Acad::eOk || acdbOpenObject(pline, id, AcDb::kForWrite) != Acad::eOk) {
        acutPrintf(ACRX_T("\nCe n'est pas une polyline"));
        return;
    }
    if (pline->numVerts() < kFewestVerticesToDeleteFrom) {
        acutPrintf(ACRX_T("\nRien a supprimer dans cette polyline"));
        pline->close();
        return;
    }
    const unsigned int vertex = nearestVertex(*pline, pointInPlane(*pline, AcGePoint3d(at[X], at[Y], at[Z])));
    pline->removeVertexAt(vertex);
    pline->close();
}

}  // namespace kelvora::tools
