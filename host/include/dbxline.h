// AcDbXline: an infinite line through a base point (DXF XLINE).
#pragma once

#include "kelvora/unbounded_line.h"

// Parameter: the signed distance from the base point along unitDir(), without bounds.
class AcDbXline : public kelvora::UnboundedLine {
public:
    ACRX_DECLARE_MEMBERS(AcDbXline);
    AcDbXline();
    ~AcDbXline() override;

    // eNotApplicable: an infinite line has neither start nor end.
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    // k parameters give k + 1 pieces: a ray running backwards, lines, a ray.
    Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const override;
};
