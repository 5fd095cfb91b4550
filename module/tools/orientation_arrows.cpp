// The chevrons of POLORIENTATION, placed, turned and sized on each segment.
#include "tools/orientation_arrows.h"

#include "gemat3d.h"

namespace kelvora::tools {

namespace {

// Segments shorter than this show no direction worth an arrowhead.
constexpr double kShortestArrowedSegment = 1e-9;

// The chevron for a segment of length 1 running along the X axis from its middle at the origin:
// two arms 0.075 long, 60 degrees apart, meeting at the tip (0.05, 0) and opening backwards to
// (-0.025, -0.0433) and (-0.025, 0.0433).
const AcGePoint3d kTip(0.05, 0.0, 0.0);
const AcGePoint3d kLowerArm(-0.025, -0.04330127, 0.0);
const AcGePoint3d kUpperArm(-0.025, 0.04330127, 0.0);

}  // namespace

std::vector<ArrowStroke> orientationArrows(const AcDbPolyline& pline)
{
    std::vector<ArrowStroke> strokes;
    double endParam = 0.0;
    if (pline.getEndParam(endParam) != Acad::eOk)
        return strokes;
    const AcGeVector3d normal = pline.normal();
    double previousEnd = 0.0;
    for (int k = 1; k - 1 < endParam; ++k) {
        double segmentEnd = 0.0;
        if (pline.getDistAtParam(k, segmentEnd) != Acad::eOk)
            break;
        const double length = segmentEnd - previousEnd;
        previousEnd = segmentEnd;
        if (!(length > kShortestArrowedSegment))
            continue;
        const double middle = k - 0.5;
        AcGePoint3d at;
        AcGeVector3d tangent;
        if (pline.getPointAtParam(middle, at) != Acad::eOk || pline.getFirstDeriv(middle, tangent) != Acad::eOk)
            continue;
        const double angle = AcGeVector3d::kXAxis.angleTo(tangent, normal);
        const AcGeMatrix3d place = AcGeMatrix3d::translation(at.asVector()) *
                                   AcGeMatrix3d::rotation(angle, normal, AcGePoint3d::kOrigin) *
                                   AcGeMatrix3d::scaling(length, AcGePoint3d::kOrigin);
        strokes.push_back({place * kTip, place * kLowerArm});
        strokes.push_back({place * kUpperArm, place * kTip});
    }
    return strokes;
}

}  // namespace kelvora::tools
