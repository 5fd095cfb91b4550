// FRONTIERES: draws the middle line between two picked limit polylines, which stay as they are.
#include "dbhelpers/model_space.h"
#include "dbhelpers/selection.h"
#include "dbpl.h"
#include "tools/middle_line.h"
#include "tools/tool_commands.h"

namespace kelvora::tools {

void commandFrontieres()
{
    AcDbObjectId firstId, secondId;
    AcDbEntity* first = pickEntity(firstId, ACRX_T("\nlimite (Polyline) 1:"), AcDb::kForRead);
    if (first == nullptr)
        return;
    AcDbEntity* second = pickEntity(secondId, ACRX_T("\nlimite (Polyline) 2:"), AcDb::kForRead);
    if (second == nullptr) {
        first->close();
        return;
    }
    const AcDbPolyline* limit1 = AcDbPolyline::cast(first);
    const AcDbPolyline* limit2 = AcDbPolyline::cast(second);
    if (limit1 != nullptr && limit2 != nullptr) {
        if (AcDbPolyline* middle = middleLine(*limit1, *limit2)) {
            AcDbObjectId middleId;
            if (appendToModelSpace(middle, middleId) != Acad::eOk && middle->objectId().isNull())
                delete middle;
        }
    }
    first->close();
    second->close();
}

}  // namespace kelvora::tools
