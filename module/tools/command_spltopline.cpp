// SPLTOPLINE: one picked spline or ellipse becomes a lightweight polyline in its place.
#include "acedads.h"
#include "acutads.h"
#include "dbhelpers/selection.h"
#include "dbpl.h"
#include "tools/entity_replacement.h"
#include "tools/spline_conversion.h"
#include "tools/tool_commands.h"

namespace kelvora::tools {

void commandSplToPline()
{
    AcDbObjectId id;
    AcDbEntity* source = pickEntity(id, ACRX_T("\nSelectionnez la spline a convertir en pline "), AcDb::kForWrite);
    if (source == nullptr)
        return;
    // Anything but a spline or an ellipse, and a spline that does not convert (null, not planar),
    // stays as it was.
    AcDbPolyline* pline = curveToPolyline(source);
    if (pline == nullptr) {
        source->close();
        return;
    }
    if (!replaceEntity(source, pline))
        return;
    mergeConvertedPolyline(pline);
    pline->close();
}

}  // namespace kelvora::tools
