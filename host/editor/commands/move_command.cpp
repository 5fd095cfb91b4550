// MOVE: the selected entities move by the displacement from a base point to a second point.
#include "command_support.h"
#include "drawing_commands.h"

namespace kelvora::commands {

void moveCommand()
{
    std::vector<AcDbObjectId> ids = editableOnly(selectObjects());
    if (ids.empty())
        return;
    std::optional<AcGeVector3d> displacement = askDisplacement();
    if (!displacement)
        return;
    transformEach(ids, AcGeMatrix3d::translation(*displacement), L"moved");
}

}  // namespace kelvora::commands
