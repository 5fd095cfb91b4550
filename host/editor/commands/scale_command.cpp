// SCALE: the selected entities grow or shrink about a base point by a factor.
#include "acedads.h"
#include "command_support.h"
#include "drawing_commands.h"

namespace kelvora::commands {

void scaleCommand()
{
    std::vector<AcDbObjectId> ids = editableOnly(selectObjects());
    if (ids.empty())
        return;
    ads_point base = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify base point: ", base) != RTNORM)
        return;
    ads_real factor = 1.0;
    acedInitGet(RSG_NONULL | RSG_NOZERO | RSG_NONEG, nullptr);
    if (acedGetDist(base, L"\nSpecify scale factor: ", &factor) != RTNORM)
        return;
    transformEach(ids, AcGeMatrix3d::scaling(factor, asPoint(base)), L"scaled");
}

}  // namespace kelvora::commands
