// ELLIPSE: an ellipse from its centre, the end of its major axis and the ratio of its axes.
#include "acedads.h"
#include "command_support.h"
#include "dbelipse.h"
#include "drawing_commands.h"
#include "getol.h"

namespace kelvora::commands {

void ellipseCommand()
{
    ads_point center = {0, 0, 0}, axisEnd = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify center of ellipse: ", center) != RTNORM)
        return;
    AcGeVector3d axis;
    while (true) {
        if (acedGetPoint(center, L"\nSpecify endpoint of axis: ", axisEnd) != RTNORM)
            return;
        axis = asPoint(axisEnd) - asPoint(center);
        axis.z = 0.0;  // the ellipse lies in the XY plane through its centre
        if (!axis.isZeroLength())
            break;
        say(L"\nThe axis must not have zero length.");
    }
    ads_real ratio = 0.0;
    acedInitGet(RSG_NONULL | RSG_NOZERO | RSG_NONEG, nullptr);
    if (acedGetReal(L"\nSpecify ratio of minor axis to major axis: ", &ratio) != RTNORM)
        return;
    // A ratio above 1 makes the axis given the minor one: the major axis turns a quarter.
    if (ratio > 1.0) {
        axis = AcGeVector3d::kZAxis.crossProduct(axis) * ratio;
        ratio = 1.0 / ratio;
    }
    addToCurrentSpace(new AcDbEllipse(asPoint(center), AcGeVector3d::kZAxis, axis, ratio));
}

}  // namespace kelvora::commands
