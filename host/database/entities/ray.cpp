// AcDbRay: a half-line from a base point; its parameter is the distance along the unit direction.
#include <cmath>
#include <limits>

#include "acgi.h"
#include "dbray.h"
#include "dbents.h"
#include "entity_util.h"
#include "geplane.h"
#include "kelvora/host_class.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbRay, AcDbCurve, L"RAY");

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool finite(const AcGePoint3d& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

AcDbRay::AcDbRay() = default;

AcDbRay::~AcDbRay() = default;

AcGePoint3d AcDbRay::basePoint() const
{
    assertReadEnabled();
    return m_basePoint;
}

void AcDbRay::setBasePoint(const AcGePoint3d& pt)
{
    if (!finite(pt) || !kelvora::beginWrite(this))
        return;
    m_basePoint = pt;
}

AcGeVector3d AcDbRay::unitDir() const
{
    assertReadEnabled();
    return m_unitDir;
}

void AcDbRay::setUnitDir(const AcGeVector3d& vec)
{
    AcGeVector3d unit;
    if (!kelvora::unitNormal(vec, unit) || !kelvora::beginWrite(this))
        return;
    m_unitDir = unit;
}

AcGePoint3d AcDbRay::secondPoint() const
{
    assertReadEnabled();
    return m_basePoint + m_unitDir;
}

void AcDbRay::setSecondPoint(const AcGePoint3d& pt)
{
    setUnitDir(pt - m_basePoint);
}

Acad::ErrorStatus AcDbRay::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    assertReadEnabled();
    plane.set(m_basePoint, m_unitDir.perpVector());
    planarity = AcDb::kLinear;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getGeomExtents(AcDbExtents&) const
{
    return Acad::eInvalidExtents;
}

Acad::ErrorStatus AcDbRay::transformBy(const AcGeMatrix3d& xform)
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

Acad::ErrorStatus AcDbRay::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                   Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, nullptr, points);
}

Acad::ErrorStatus AcDbRay::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                   AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, &projPlane, points);
}

Acad::ErrorStatus AcDbRay::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    gripPoints.append(m_basePoint);
    gripPoints.append(m_basePoint + m_unitDir);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
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

Acad::ErrorStatus AcDbRay::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    stretchPoints.append(m_basePoint);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i != 0)
            return Acad::eInvalidIndex;
    return AcDbRay::moveGripPointsAt(indices, offset);
}

Adesk::Boolean AcDbRay::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort())
        return Adesk::kTrue;
    mode->geometry().ray(m_basePoint, m_basePoint + m_unitDir);
    return Adesk::kTrue;
}

void AcDbRay::list() const
{
    assertReadEnabled();
    AcDbCurve::list();
    kelvora::listPoint(this, L"basepoint,", m_basePoint);
    kelvora::listPoint(this, L"second point,", m_basePoint + m_unitDir);
}

Acad::ErrorStatus AcDbRay::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writePoint3d(m_basePoint);
    pFiler->writeVector3d(m_unitDir);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbRay::dwgInFields(AcDbDwgFiler* pFiler)
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

Acad::ErrorStatus AcDbRay::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbRay");
    pFiler->writePoint3d(AcDb::kDxfXCoord, m_basePoint);
    pFiler->writeVector3d(static_cast<AcDb::DxfCode>(11), m_unitDir);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbRay::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbRay");
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
        pFiler->setError(Acad::eInvalidResBuf, L"the direction of a RAY must not be zero");
        return Acad::eInvalidResBuf;
    }
    m_basePoint = base;
    m_unitDir = unit;
    return Acad::eOk;
}

// ----- Curve -----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbRay::getStartParam(double& param) const
{
    assertReadEnabled();
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getEndParam(double&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbRay::getStartPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    point = m_basePoint;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getEndPoint(AcGePoint3d&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbRay::getPointAtParam(double param, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (!std::isfinite(param) || param < 0.0 - kelvora::onCurveTolerance(m_basePoint))
        return Acad::eInvalidInput;
    point = m_basePoint + m_unitDir * param;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    assertReadEnabled();
    double t = (point - m_basePoint).dotProduct(m_unitDir);
    if (t < 0.0)
        t = 0.0;
    if ((m_basePoint + m_unitDir * t).distanceTo(point) > kelvora::onCurveTolerance(point))
        return Acad::eInvalidInput;
    param = t;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getDistAtParam(double param, double& dist) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    dist = param;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getParamAtDist(double dist, double& param) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(dist, p);
    if (es != Acad::eOk)
        return es;
    param = dist;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    firstDeriv = m_unitDir;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getSecondDeriv(double param, AcGeVector3d& secDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    secDeriv = AcGeVector3d(0.0, 0.0, 0.0);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                       Adesk::Boolean extend) const
{
    assertReadEnabled();
    double t = (givenPnt - m_basePoint).dotProduct(m_unitDir);
    if (!extend && t < 0.0)
        t = 0.0;
    pointOnCurve = m_basePoint + m_unitDir * t;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbRay::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const
{
    assertReadEnabled();
    std::vector<double> cuts;
    if (!kelvora::normalizeSplitParams(params, 0.0, kInfinity, false, kelvora::onCurveTolerance(m_basePoint), cuts))
        return Acad::eInvalidInput;
    AcDbVoidPtrArray made;
    double from = 0.0;
    for (double c : cuts) {
        auto* line = new AcDbLine(m_basePoint + m_unitDir * from, m_basePoint + m_unitDir * c);
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
    rest->m_basePoint = m_basePoint + m_unitDir * from;
    made.append(rest);
    curveSegments.append(made);
    return Acad::eOk;
}
