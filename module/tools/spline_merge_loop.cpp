// The merge passes that thin a polyline sampled from a spline, with their progress on the command line.
#include "acutads.h"
#include "geometry/polyline_kernel.h"
#include "tools/spline_conversion.h"

namespace kelvora::tools {

namespace {

// Samples lie on the curve; merging the ones within a centimetre of a straight run, turning by
// less than about three degrees, keeps the polyline on the curve at a plan's precision.
constexpr double kMergePointTolerance = 0.01;
constexpr double kMergeDirectionTolerance = 0.05;
// Each pass can make the next run of segments mergeable; fifteen passes bound the work on a long
// curve, well past where a pass still finds anything.
constexpr int kMaxMergePasses = 15;

}  // namespace

void mergeConvertedPolyline(AcDbPolyline* pline)
{
    acutPrintf(ACRX_T("\nSegs avant optim %d"), static_cast<int>(pline->numVerts()));
    for (int pass = 0; pass < kMaxMergePasses; ++pass) {
        const unsigned int before = pline->numVerts();
        mergeCollinearSegments(pline, kMergePointTolerance, kMergeDirectionTolerance);
        acutPrintf(ACRX_T(" optim %d"), static_cast<int>(pline->numVerts()));
        if (pline->numVerts() >= before)
            break;
    }
}

}  // namespace kelvora::tools
