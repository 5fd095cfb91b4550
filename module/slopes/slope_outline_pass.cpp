// Pass 2: a stroke stops where it meets the slope's own outline again; the outline's segments sit in a grid.
#include <algorithm>
#include <vector>

#include "dbents.h"
#include "slopes/slope_entity.h"
#include "slopes/slope_pass_support.h"
#include "slopes/slope_strokes.h"

namespace kelvora::slopes {

void cutStrokesAtOutlinePairwise(const nPolyLineTalutee& slope, const AcGePoint3dArray& base, AcGePoint3dArray& end)
{
    for (int k = 0; k < base.length(); ++k) {
        const AcGePoint3d from = base[k];
        double length = from.distanceTo(end[k]);
        AcDbLine stroke(from, end[k]);
        AcGePoint3dArray points;
        if (stroke.intersectWith(&slope, AcDb::kOnBothOperands, points) == Acad::eOk)
            takeFirstCrossing(points, from, length, end[k]);
    }
}

// The same as the pairwise pass: each stroke is intersected only with the run of outline segments
// between the first and the last whose box meets its own. The others are too far to meet it, so
// the host finds the same points, in the same order, as over the whole outline.
void cutStrokesAtOutline(const nPolyLineTalutee& slope, const AcGePoint3dArray& base, AcGePoint3dArray& end)
{
    const unsigned segmentCount = polylineSegmentCount(slope);
    if (segmentCount == 0 || base.isEmpty())
        return;
    std::vector<Box3d> boxes;
    std::vector<unsigned> segments;
    std::vector<Box2d> plans;
    for (unsigned i = 0; i < segmentCount; ++i) {
        Box3d box;
        if (!polylineSegmentBox(slope, i, box))
            continue;
        box.widen(std::max(boxMargin(box.lo), boxMargin(box.hi)));
        boxes.push_back(box);
        segments.push_back(i);
        plans.push_back(box.plan());
    }
    const BoxGrid grid(plans);
    OutlineSpan span;
    for (int k = 0; k < base.length(); ++k) {
        const AcGePoint3d from = base[k];
        Box3d strokeBox = segmentBox(from, end[k]);
        strokeBox.widen(boxMargin(from));
        unsigned first = segmentCount;
        unsigned last = 0;
        grid.forEachNear(strokeBox.plan(), [&](uint32_t item) {
            if (!boxes[item].overlaps(strokeBox))
                return;
            first = std::min(first, segments[item]);
            last = std::max(last, segments[item]);
        });
        if (first > last)
            continue;
        double length = from.distanceTo(end[k]);
        AcDbLine stroke(from, end[k]);
        AcGePoint3dArray points;
        if (stroke.intersectWith(span.of(slope, first, last), AcDb::kOnBothOperands, points) == Acad::eOk)
            takeFirstCrossing(points, from, length, end[k]);
    }
}

}  // namespace kelvora::slopes
