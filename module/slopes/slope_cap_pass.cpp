// Pass 4: short strokes reach at most 1/ratio of the shorter of the long strokes beside them.
#include <algorithm>

#include "slopes/slope_entity.h"
#include "slopes/slope_strokes.h"

namespace kelvora::slopes {

namespace {

void capStroke(const AcGePoint3dArray& base, AcGePoint3dArray& end, int k, double cap)
{
    const AcGeVector3d along = end[k] - base[k];
    if (along.length() > cap)
        end[k] = base[k] + along.normal() * cap;
}

}  // namespace

void capShortStrokes(const nPolyLineTalutee& slope, const AcGePoint3dArray& base, AcGePoint3dArray& end)
{
    const int count = base.length();
    const int period = slope.effectiveIntervalCount();
    const int first = firstLongStroke(period);
    const double ratio = slope.strokeRatio();
    // A ratio that is not positive (only a damaged file holds one) gives no cap that means anything.
    if (first >= count || !(ratio > 0.0))
        return;
    auto length = [&](int k) { return base[k].distanceTo(end[k]); };
    for (int a = first; a + period < count; a += period) {
        const int b = a + period;
        const double cap = std::min(length(a), length(b)) / ratio;
        for (int k = a + 1; k < b; ++k)
            capStroke(base, end, k, cap);
    }
    const int last = first + ((count - 1 - first) / period) * period;
    if (!slope.isClosed()) {
        const double nominal = slope.longStrokeLength();
        const double headCap = std::min(nominal, length(first)) / ratio;
        for (int k = 0; k < first; ++k)
            capStroke(base, end, k, headCap);
        const double tailCap = std::min(nominal, length(last)) / ratio;
        for (int k = last + 1; k < count; ++k)
            capStroke(base, end, k, tailCap);
        return;
    }
    // Closed: the strokes after the last long one and before the first run on through the start.
    const double wrapCap = std::min(length(first), length(last)) / ratio;
    for (int k = last + 1; k < count; ++k)
        capStroke(base, end, k, wrapCap);
    for (int k = 0; k < first; ++k)
        capStroke(base, end, k, wrapCap);
}

}  // namespace kelvora::slopes
