// POLORIENTATION: shows the direction of every segment of a picked polyline with temporary arrowheads.
#include "acedads.h"
#include "dbhelpers/selection.h"
#include "dbpl.h"
#include "tools/orientation_arrows.h"
#include "tools/tool_commands.h"

namespace kelvora::tools {

namespace {

constexpr int kArrowColour = 1;  // red
constexpr int kNotHighlighted = 0;

}  // namespace

void commandPolOrientation()
{
    AcDbObjectId id;
    AcDbEntity* entity = pickEntity(id, ACRX_T("\nPolyline à mettre en évidence:"), AcDb::kForRead);
    if (entity == nullptr)
        return;
    if (const AcDbPolyline* pline = AcDbPolyline::cast(entity)) {
        // Temporary vectors: they go at the next redraw and the drawing does not change.
        for (const ArrowStroke& stroke : orientationArrows(*pline)) {
            const ads_point from = {stroke.fromWcs.x, stroke.fromWcs.y, stroke.fromWcs.z};
            const ads_point to = {stroke.toWcs.x, stroke.toWcs.y, stroke.toWcs.z};
            acedGrDraw(from, to, kArrowColour, kNotHighlighted);
        }
    }
    entity->close();
}

}  // namespace kelvora::tools
