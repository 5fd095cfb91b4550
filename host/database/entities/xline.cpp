// AcDbXline: an infinite line; its parameter is the signed distance from the base point.
#include <limits>

#include "dbents.h"
#include "dbray.h"
#include "dbxline.h"
#include "entity_util.h"
#include "kelvora/host_class.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbXline, AcDbCurve, L"XLINE");

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

}  // namespace

AcDbXline::AcDbXline() : UnboundedLine(-kInfinity, L"AcDbXline", L"XLINE") {}

AcDbXline::~AcDbXline() = default;

Acad::ErrorStatus AcDbXline::getStartParam(double&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbXline::getStartPoint(AcGePoint3d&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbXline::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const
{
    assertReadEnabled();
    std::vector<double> cuts;
    if (!kelvora::normalizeSplitParams(params, -kInfinity, kInfinity, false, onLineTolerance(), cuts))
        return Acad::eInvalidInput;
    if (cuts.empty())
        return Acad::eInvalidInput;
    AcDbVoidPtrArray made;
    auto* back = new AcDbRay();
    back->setBasePoint(at(cuts.front()));
    back->setUnitDir(-m_unitDir);
    back->setPropertiesFrom(this);
    made.append(back);
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        auto* line = new AcDbLine(at(cuts[i]), at(cuts[i + 1]));
        line->setPropertiesFrom(this);
        made.append(line);
    }
    auto* forward = new AcDbRay();
    forward->setBasePoint(at(cuts.back()));
    forward->setUnitDir(m_unitDir);
    forward->setPropertiesFrom(this);
    made.append(forward);
    curveSegments.append(made);
    return Acad::eOk;
}
