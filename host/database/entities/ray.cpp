// AcDbRay: a half-line from a base point; its parameter is the distance along the unit direction.
#include <limits>

#include "dbents.h"
#include "dbray.h"
#include "entity_util.h"
#include "kelvora/host_class.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbRay, AcDbCurve, L"RAY");

AcDbRay::AcDbRay() : UnboundedLine(0.0, L"AcDbRay", L"RAY") {}

AcDbRay::~AcDbRay() = default;

Acad::ErrorStatus AcDbRay::getStartParam(double& param) const
{
    assertReadEnabled();
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getStartPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    point = m_basePoint;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const
{
    assertReadEnabled();
    std::vector<double> cuts;
    if (!kelvora::normalizeSplitParams(params, 0.0, std::numeric_limits<double>::infinity(), false,
                                       onLineTolerance(), cuts))
        return Acad::eInvalidInput;
    AcDbVoidPtrArray made;
    double from = 0.0;
    for (double c : cuts) {
        auto* line = new AcDbLine(at(from), at(c));
        line->setPropertiesFrom(this);
        made.append(line);
        from = c;
    }
    auto* rest = AcDbRay::cast(clone());
    if (rest == nullptr) {
        for (void* p : made)
            delete static_cast<AcDbEntity*>(p);
        return Acad::eNotApplicable;
    }
    rest->m_basePoint = at(from);
    made.append(rest);
    curveSegments.append(made);
    return Acad::eOk;
}
