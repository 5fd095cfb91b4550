// ROTATE: the selected entities turn about a base point by an angle (degrees, counter-clockwise).
#include "acedads.h"
#include "command_support.h"
#include "drawing_commands.h"

namespace kelvora::commands {

void rotateCommand()
{
    std::vector<AcDbObjectId> ids = editableOnly(selectObjects());
    if (ids.empty())
        return;
    ads_point base = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify base point: ", base) != RTNORM)
        return;
    ads_real angle = 0.0;
    acedInitGet(RSG_NONULL, nullptr);
    if (acedGetAngle(base, L"\nSpecify rotation angle: ", &angle) != RTNORM)
        return;
    transformEach(ids, AcGeMatrix3d::rotation(angle, AcGeVector3d::kZAxis, asPoint(base)), L"rotated");
}

}  // namespace kelvora::commands
