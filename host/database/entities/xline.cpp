// AcDbXline: an infinite line; its parameter is the signed distance from the base point.
#include <cmath>
#include <limits>

#include "acgi.h"
#include "dbxline.h"
#include "dbents.h"
#include "dbray.h"
#include "entity_util.h"
#include "geplane.h"
#include "kelvora/host_class.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbXline, AcDbCurve, L"XLINE");

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool finite(const AcGePoint3d& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

AcDbXline::AcDbXline() = default;

AcDbXline::~AcDbXline() = default;

AcGePoint3d AcDbXline::basePoint() const
{
    assertReadEnabled();
    return m_basePoint;
}

void AcDbXline::setBasePoint(const AcGePoint3d& pt)
{
    if (!finite(pt) || !kelvora::beginWrite(this))
        return;
    m_basePoint = pt;
}

AcGeVector3d AcDbXline::unitDir() const
{
    assertReadEnabled();
    return m_unitDir;
}

void AcDbXline::setUnitDir(const AcGeVector3d& vec)
{
    AcGeVector3d unit;
    if (!kelvora::unitNormal(vec, unit) || !kelvora::beginWrite(this))
        return;
    m_unitDir = unit;
}

AcGePoint3d AcDbXline::secondPoint() const
{
    assertReadEnabled();
    return m_basePoint + m_unitDir;
}

void AcDbXline::setSecondPoint(const AcGePoint3d& pt)
{
    setUnitDir(pt - m_basePoint);
}

Acad::ErrorStatus AcDbXline::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    assertReadEnabled();
    plane.set(m_basePoint, m_unitDir.perpVector());
    planarity = AcDb::kLinear;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::getGeomExtents(AcDbExtents&) const
{
    return Acad::eInvalidExtents;
}

Acad::ErrorStatus AcDbXline::transformBy(const AcGeMatrix3d& xform)
{
    AcGeVector3d unit;
    if (!kelvora::unitNormal(xform * m_unitDir, unit))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_basePoint.transformBy(xform);
    m_unitDir = unit;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                   Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, nullptr, points);
}

Acad::ErrorStatus AcDbXline::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                   AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, &projPlane, points);
}

Acad::ErrorStatus AcDbXline::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    gripPoints.append(m_basePoint);
    gripPoints.append(m_basePoint + m_unitDir);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i < 0 || i > 1)
            return Acad::eInvalidIndex;
    if (indices.isEmpty())
        return Acad::eOk;
    if (indices.length() == 2 || indices.first() == 0) {
        if (!kelvora::beginWrite(this))
            return Acad::eNotOpenForWrite;
        m_basePoint += offset;
        return Acad::eOk;
    }
    // The second grip turns the line about its base point.
    AcGeVector3d unit;
    if (!kelvora::unitNormal(m_unitDir + offset, unit))
        return Acad::eDegenerateGeometry;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_unitDir = unit;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    stretchPoints.append(m_basePoint);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i != 0)
            return Acad::eInvalidIndex;
    return AcDbXline::moveGripPointsAt(indices, offset);
}

Adesk::Boolean AcDbXline::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort())
        return Adesk::kTrue;
    mode->geometry().xline(m_basePoint, m_basePoint + m_unitDir);
    return Adesk::kTrue;
}

void AcDbXline::list() const
{
    assertReadEnabled();
    AcDbCurve::list();
    kelvora::listPoint(this, L"basepoint,", m_basePoint);
    kelvora::listPoint(this, L"second point,", m_basePoint + m_unitDir);
}

Acad::ErrorStatus AcDbXline::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writePoint3d(m_basePoint);
    pFiler->writeVector3d(m_unitDir);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbXline::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcGePoint3d base;
    AcGeVector3d dir;
    if ((es = pFiler->readPoint3d(&base)) != Acad::eOk || (es = pFiler->readVector3d(&dir)) != Acad::eOk)
        return es;
    m_basePoint = base;
    if (!kelvora::unitNormal(dir, m_unitDir))
        m_unitDir = AcGeVector3d::kXAxis;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbXline");
    pFiler->writePoint3d(AcDb::kDxfXCoord, m_basePoint);
    pFiler->writeVector3d(static_cast<AcDb::DxfCode>(11), m_unitDir);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbXline::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbXline");
    AcGePoint3d base;
    AcGeVector3d dir = AcGeVector3d::kXAxis;
    es = kelvora::readDxfGroups(pFiler, [&](kelvora::DxfGroup& g) {
        if (g.code() == 10)
            base = g.point();
        else if (g.code() == 11)
            dir = g.vector();
        else
            return kelvora::GroupUse::kNotMine;
        return kelvora::GroupUse::kTaken;
    });
    if (es != Acad::eOk)
        return es;
    AcGeVector3d unit;
    if (!kelvora::unitNormal(dir, unit)) {
        pFiler->setError(Acad::eInvalidResBuf, L"the direction of a XLINE must not be zero");
        return Acad::eInvalidResBuf;
    }
    m_basePoint = base;
    m_unitDir = unit;
    return Acad::eOk;
}

// ----- Curve -----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbXline::getStartParam(double&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbXline::getEndParam(double&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbXline::getStartPoint(AcGePoint3d&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbXline::getEndPoint(AcGePoint3d&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbXline::getPointAtParam(double param, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (!std::isfinite(param) || param < -kInfinity - kelvora::onCurveTolerance(m_basePoint))
        return Acad::eInvalidInput;
    point = m_basePoint + m_unitDir * param;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    assertReadEnabled();
    double t = (point - m_basePoint).dotProduct(m_unitDir);
    if (t < -kInfinity)
        t = -kInfinity;
    if ((m_basePoint + m_unitDir * t).distanceTo(point) > kelvora::onCurveTolerance(point))
        return Acad::eInvalidInput;
    param = t;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::getDistAtParam(double param, double& dist) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    dist = param;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::getParamAtDist(double dist, double& param) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(dist, p);
    if (es != Acad::eOk)
        return es;
    param = dist;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    firstDeriv = m_unitDir;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::getSecondDeriv(double param, AcGeVector3d& secDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    secDeriv = AcGeVector3d(0.0, 0.0, 0.0);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                       Adesk::Boolean extend) const
{
    assertReadEnabled();
    double t = (givenPnt - m_basePoint).dotProduct(m_unitDir);
    if (!extend && t < -kInfinity)
        t = -kInfinity;
    pointOnCurve = m_basePoint + m_unitDir * t;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbXline::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const
{
    assertReadEnabled();
    std::vector<double> cuts;
    if (!kelvora::normalizeSplitParams(params, -kInfinity, kInfinity, false, kelvora::onCurveTolerance(m_basePoint),
                                       cuts))
        return Acad::eInvalidInput;
    if (cuts.empty())
        return Acad::eInvalidInput;
    AcDbVoidPtrArray made;
    auto* back = new AcDbRay();
    back->setBasePoint(m_basePoint + m_unitDir * cuts.front());
    back->setUnitDir(-m_unitDir);
    back->setPropertiesFrom(this);
    made.append(back);
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        auto* line = new AcDbLine(m_basePoint + m_unitDir * cuts[i], m_basePoint + m_unitDir * cuts[i + 1]);
        line->setPropertiesFrom(this);
        made.append(line);
    }
    auto* forward = new AcDbRay();
    forward->setBasePoint(m_basePoint + m_unitDir * cuts.back());
    forward->setUnitDir(m_unitDir);
    forward->setPropertiesFrom(this);
    made.append(forward);
    curveSegments.append(made);
    return Acad::eOk;
}
