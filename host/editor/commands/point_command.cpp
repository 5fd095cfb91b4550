// POINT: a point entity where the answer says.
#include "acedads.h"
#include "command_support.h"
#include "dbents.h"
#include "drawing_commands.h"

namespace kelvora::commands {

void pointCommand()
{
    ads_point position = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify a point: ", position) != RTNORM)
        return;
    addToCurrentSpace(new AcDbPoint(asPoint(position)));
}

}  // namespace kelvora::commands
