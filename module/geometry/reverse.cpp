// Reversing a polyline in place: points, bulges and widths follow the new direction of travel.
#include <vector>

#include "geometry/polyline_kernel.h"

namespace {

struct StoredVertex {
    AcGePoint2d point;
    double bulge = 0.0;
    double startWidth = 0.0;
    double endWidth = 0.0;
};

}  // namespace

// New vertex k is old vertex n-1-k. Its segment is old segment n-2-k walked backwards (old segment
// n-1, the closing one, for the last vertex), so it takes that segment's bulge negated and its
// widths swapped.
void reversePolyline(AcDbPolyline* pline)
{
    if (pline == nullptr)
        return;
    const unsigned int n = pline->numVerts();
    std::vector<StoredVertex> old(n);
    for (unsigned int at = 0; at < n; ++at) {
        StoredVertex& v = old[at];
        if (pline->getPointAt(at, v.point) != Acad::eOk || pline->getBulgeAt(at, v.bulge) != Acad::eOk ||
            pline->getWidthsAt(at, v.startWidth, v.endWidth) != Acad::eOk)
            return;  // leave the polyline as it was rather than write made-up values
    }
    for (unsigned int k = 0; k < n; ++k) {
        const unsigned int segment = k + 2 <= n ? n - 2 - k : n - 1;
        const StoredVertex& from = old[segment];
        pline->setPointAt(k, old[n - 1 - k].point);
        pline->setBulgeAt(k, -from.bulge);
        pline->setWidthsAt(k, from.endWidth, from.startWidth);
    }
}
