// AcDbRay: a half-line from a base point (DXF RAY).
#pragma once

#include "kelvora/unbounded_line.h"

// Parameter: the distance from the base point along unitDir(), from 0 without end.
class AcDbRay : public kelvora::UnboundedLine {
public:
    ACRX_DECLARE_MEMBERS(AcDbRay);
    AcDbRay();
    ~AcDbRay() override;

    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    // One parameter: a line from the base point and a ray from the parameter.
    Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const override;
};
