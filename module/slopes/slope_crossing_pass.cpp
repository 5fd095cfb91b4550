// Pass 3: strokes that cross stop short of each other; only strokes whose boxes meet are compared, in the pairwise order.
#include <algorithm>
#include <vector>

#include "gelnsg3d.h"
#include "slopes/slope_entity.h"
#include "slopes/slope_pass_support.h"
#include "slopes/slope_strokes.h"

namespace kelvora::slopes {

namespace {

// Crossing strokes stop at this fraction of the way from their base to the crossing.
constexpr double kStopShortFactor = 0.95;

// Tests strokes i and j as they stand and, when they cross, pulls both ends back.
void shortenPair(const AcGePoint3dArray& base, AcGePoint3dArray& end, int i, int j)
{
    const AcGeLineSeg3d first(base[i], end[i]);
    const AcGeLineSeg3d second(base[j], end[j]);
    AcGePoint3d crossing;
    if (!first.intersectWith(second, crossing))
        return;
    end[i] = base[i] + (crossing - base[i]) * kStopShortFactor;
    end[j] = base[j] + (crossing - base[j]) * kStopShortFactor;
}

}  // namespace

void shortenCrossingStrokesPairwise(const AcGePoint3dArray& base, AcGePoint3dArray& end)
{
    const int count = base.length();
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            shortenPair(base, end, i, j);
}

// The same as the pairwise pass. A stroke only ever gets shorter along itself, so two strokes whose
// boxes as generated do not meet can never cross later: the pairs left out are pairs the pairwise
// pass finds apart. The pairs kept are taken in the pairwise order (i, then j rising), each on the
// strokes as the pairs before it left them.
void shortenCrossingStrokes(const nPolyLineTalutee&, const AcGePoint3dArray& base, AcGePoint3dArray& end)
{
    const int count = base.length();
    if (count < 2)
        return;
    std::vector<Box3d> boxes;
    std::vector<Box2d> plans;
    boxes.reserve(static_cast<size_t>(count));
    plans.reserve(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) {
        Box3d box = segmentBox(base[k], end[k]);
        box.widen(boxMargin(base[k]));
        boxes.push_back(box);
        plans.push_back(box.plan());
    }
    const BoxGrid grid(plans);
    std::vector<int> seen(static_cast<size_t>(count), -1);
    std::vector<int> partners;
    for (int i = 0; i < count; ++i) {
        partners.clear();
        grid.forEachNear(plans[static_cast<size_t>(i)], [&](uint32_t item) {
            const int j = static_cast<int>(item);
            if (j <= i || seen[item] == i)
                return;
            seen[item] = i;
            if (boxes[item].overlaps(boxes[static_cast<size_t>(i)]))
                partners.push_back(j);
        });
        std::sort(partners.begin(), partners.end());
        for (int j : partners)
            shortenPair(base, end, i, j);
    }
}

}  // namespace kelvora::slopes
