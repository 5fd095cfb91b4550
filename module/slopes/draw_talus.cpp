// draw_talus: a slope made from a point list and a limit list, added to model space.
#include "slopes/draw_talus.h"

#include "dbhelpers/model_space.h"
#include "geometry/polyline_kernel.h"
#include "slopes/slope_entity.h"

namespace {

// Points that another program computed: 5 mm in position and in direction is what tells a bend
// from a straight run on a surveyed line.
constexpr double kMergePointTolerance = 0.005;
constexpr double kMergeVectorTolerance = 0.005;

}  // namespace

KELVORA_EXPORT void draw_talus(bool outlineVisible, AcGePoint3dArray& points, AcDbObjectIdArray& limits,
                               AcDbObjectId* out)
{
    auto* slope = new nPolyLineTalutee();
    for (int i = 0; i < points.length(); ++i)
        slope->addVertexAt(static_cast<unsigned>(i), AcGePoint2d(points[i].x, points[i].y), 0.0, -1.0, -1.0);
    if (!outlineVisible)
        slope->setDisplayFlags(nPolyLineTalutee::kHideOutline);
    mergeCollinearSegments(slope, kMergePointTolerance, kMergeVectorTolerance);
    slope->setLimitIds(limits);
    AcDbObjectId id;
    if (appendToModelSpace(slope, id) != Acad::eOk) {
        // An entity that could not be appended is neither closed nor owned by the drawing.
        delete slope;
        id.setNull();
    }
    if (out != nullptr)
        *out = id;
}
