// INVERSERPOLYLINE: reverses the direction of a picked polyline in place.
#include "dbhelpers/selection.h"
#include "dbpl.h"
#include "geometry/polyline_kernel.h"
#include "tools/tool_commands.h"

namespace kelvora::tools {

void commandInverserPolyline()
{
    AcDbObjectId id;
    AcDbEntity* entity = pickEntity(id, ACRX_T("\nPolyline à inverser:"), AcDb::kForWrite);
    if (entity == nullptr)
        return;
    // A slope's strokes follow its direction of travel: reversed, they move to the other side.
    if (AcDbPolyline* pline = AcDbPolyline::cast(entity))
        reversePolyline(pline);
    entity->close();
}

}  // namespace kelvora::tools
