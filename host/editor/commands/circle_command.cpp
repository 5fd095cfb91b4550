// CIRCLE: a circle from its centre and its radius (or, with Diameter, its diameter).
#include "acedads.h"
#include "command_support.h"
#include "dbents.h"
#include "drawing_commands.h"

namespace kelvora::commands {

void circleCommand()
{
    ads_point center = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify center point for circle: ", center) != RTNORM)
        return;
    ads_real radius = 0.0;
    acedInitGet(RSG_NONULL | RSG_NOZERO | RSG_NONEG, L"Diameter");
    int status = acedGetDist(center, L"\nSpecify radius of circle or [Diameter]: ", &radius);
    if (status == RTKWORD) {
        ads_real diameter = 0.0;
        acedInitGet(RSG_NONULL | RSG_NOZERO | RSG_NONEG, nullptr);
        if (acedGetDist(center, L"\nSpecify diameter of circle: ", &diameter) != RTNORM)
            return;
        radius = diameter / 2.0;
    } else if (status != RTNORM) {
        return;
    }
    addToCurrentSpace(new AcDbCircle(asPoint(center), AcGeVector3d::kZAxis, radius));
}

}  // namespace kelvora::commands
