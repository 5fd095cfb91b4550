// kelvora::UnboundedLine: the geometry, grips, drawing and filing that AcDbRay and AcDbXline share.
#include "kelvora/unbounded_line.h"

#include <algorithm>
#include <cmath>

#include "acgi.h"
#include "entity_util.h"
#include "geplane.h"

namespace kelvora {

namespace {

bool finite(const AcGePoint3d& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

UnboundedLine::UnboundedLine(double lowestParam, const wchar_t* subclassMarker, const wchar_t* dxfName)
    : m_lowestParam(lowestParam), m_subclassMarker(subclassMarker), m_dxfName(dxfName)
{
}

UnboundedLine::~UnboundedLine() = default;

double UnboundedLine::onLineTolerance() const { return onCurveTolerance(m_basePoint); }

AcGePoint3d UnboundedLine::basePoint() const
{
    assertReadEnabled();
    return m_basePoint;
}

void UnboundedLine::setBasePoint(const AcGePoint3d& pt)
{
    if (!finite(pt) || !beginWrite(this))
        return;
    m_basePoint = pt;
}

AcGeVector3d UnboundedLine::unitDir() const
{
    assertReadEnabled();
    return m_unitDir;
}

void UnboundedLine::setUnitDir(const AcGeVector3d& vec)
{
    AcGeVector3d unit;
    if (!unitNormal(vec, unit) || !beginWrite(this))
        return;
    m_unitDir = unit;
}

AcGePoint3d UnboundedLine::secondPoint() const
{
    assertReadEnabled();
    return m_basePoint + m_unitDir;
}

void UnboundedLine::setSecondPoint(const AcGePoint3d& pt)
{
    setUnitDir(pt - m_basePoint);
}

Acad::ErrorStatus UnboundedLine::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    assertReadEnabled();
    plane.set(m_basePoint, m_unitDir.perpVector());
    planarity = AcDb::kLinear;
    return Acad::eOk;
}

Acad::ErrorStatus UnboundedLine::getGeomExtents(AcDbExtents&) const
{
    return Acad::eInvalidExtents;
}

Acad::ErrorStatus UnboundedLine::transformBy(const AcGeMatrix3d& xform)
{
    AcGeVector3d unit;
    if (!unitNormal(xform * m_unitDir, unit))
        return Acad::eInvalidInput;
    if (!beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_basePoint.transformBy(xform);
    m_unitDir = unit;
    return Acad::eOk;
}

Acad::ErrorStatus UnboundedLine::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                   Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return intersectEntities(this, pEnt, intType, nullptr, points);
}

Acad::ErrorStatus UnboundedLine::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                   AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return intersectEntities(this, pEnt, intType, &projPlane, points);
}

Acad::ErrorStatus UnboundedLine::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    gripPoints.append(m_basePoint);
    gripPoints.append(m_basePoint + m_unitDir);
    return Acad::eOk;
}

Acad::ErrorStatus UnboundedLine::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i < 0 || i > 1)
            return Acad::eInvalidIndex;
    if (indices.isEmpty())
        return Acad::eOk;
    if (indices.length() == 2 || indices.first() == 0) {
        if (!beginWrite(this))
            return Acad::eNotOpenForWrite;
        m_basePoint += offset;
        return Acad::eOk;
    }
    // The second grip turns the line about its base point.
    AcGeVector3d unit;
    if (!unitNormal(m_unitDir + offset, unit))
        return Acad::eDegenerateGeometry;
    if (!beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_unitDir = unit;
    return Acad::eOk;
}

Acad::ErrorStatus UnboundedLine::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    stretchPoints.append(m_basePoint);
    return Acad::eOk;
}

Acad::ErrorStatus UnboundedLine::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i != 0)
            return Acad::eInvalidIndex;
    return UnboundedLine::moveGripPointsAt(indices, offset);
}

Adesk::Boolean UnboundedLine::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort())
        return Adesk::kTrue;
    // An infinite line (no lowest parameter) runs both ways; a ray from its base point.
    if (std::isfinite(m_lowestParam))
        mode->geometry().ray(m_basePoint, m_basePoint + m_unitDir);
    else
        mode->geometry().xline(m_basePoint, m_basePoint + m_unitDir);
    return Adesk::kTrue;
}

void UnboundedLine::list() const
{
    assertReadEnabled();
    AcDbCurve::list();
    listPoint(this, L"basepoint,", m_basePoint);
    listPoint(this, L"second point,", m_basePoint + m_unitDir);
}

Acad::ErrorStatus UnboundedLine::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writePoint3d(m_basePoint);
    pFiler->writeVector3d(m_unitDir);
    return pFiler->filerStatus();
}

Acad::ErrorStatus UnboundedLine::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcGePoint3d base;
    AcGeVector3d dir;
    if ((es = pFiler->readPoint3d(&base)) != Acad::eOk || (es = pFiler->readVector3d(&dir)) != Acad::eOk)
        return es;
    m_basePoint = base;
    if (!unitNormal(dir, m_unitDir))
        m_unitDir = AcGeVector3d::kXAxis;
    return Acad::eOk;
}

Acad::ErrorStatus UnboundedLine::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, m_subclassMarker);
    pFiler->writePoint3d(AcDb::kDxfXCoord, m_basePoint);
    pFiler->writeVector3d(static_cast<AcDb::DxfCode>(11), m_unitDir);
    return pFiler->filerStatus();
}

Acad::ErrorStatus UnboundedLine::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    skipSubclassMarker(pFiler, m_subclassMarker);
    AcGePoint3d base;
    AcGeVector3d dir = AcGeVector3d::kXAxis;
    es = readDxfGroups(pFiler, [&](DxfGroup& g) {
        if (g.code() == 10)
            base = g.point();
        else if (g.code() == 11)
            dir = g.vector();
        else
            return GroupUse::kNotMine;
        return GroupUse::kTaken;
    });
    if (es != Acad::eOk)
        return es;
    AcGeVector3d unit;
    if (!unitNormal(dir, unit)) {
        pFiler->setError(Acad::eInvalidResBuf, L"the direction of a %ls must not be zero", m_dxfName);
        return Acad::eInvalidResBuf;
    }
    m_basePoint = base;
    m_unitDir = unit;
    return Acad::eOk;
}

// ----- Curve -----------------------------------------------------------------------------------------

Acad::ErrorStatus UnboundedLine::getEndParam(double&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus UnboundedLine::getEndPoint(AcGePoint3d&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus UnboundedLine::getPointAtParam(double param, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (!std::isfinite(param) || param < m_lowestParam - onLineTolerance())
        return Acad::eInvalidInput;
    point = m_basePoint + m_unitDir * param;
    return Acad::eOk;
}

Acad::ErrorStatus UnboundedLine::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    assertReadEnabled();
    double t = (point - m_basePoint).dotProduct(m_unitDir);
    t = std::max(t, m_lowestParam);
    if (at(t).distanceTo(point) > onCurveTolerance(point))
        return Acad::eInvalidInput;
    param = t;
    return Acad::eOk;
}

Acad::ErrorStatus UnboundedLine::getDistAtParam(double param, double& dist) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    dist = param;
    return Acad::eOk;
}

Acad::ErrorStatus UnboundedLine::getParamAtDist(double dist, double& param) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(dist, p);
    if (es != Acad::eOk)
        return es;
    param = dist;
    return Acad::eOk;
}

Acad::ErrorStatus UnboundedLine::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    firstDeriv = m_unitDir;
    return Acad::eOk;
}

Acad::ErrorStatus UnboundedLine::getSecondDeriv(double param, AcGeVector3d& secDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    secDeriv = AcGeVector3d(0.0, 0.0, 0.0);
    return Acad::eOk;
}

Acad::ErrorStatus UnboundedLine::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                       Adesk::Boolean extend) const
{
    assertReadEnabled();
    double t = (givenPnt - m_basePoint).dotProduct(m_unitDir);
    if (!extend)
        t = std::max(t, m_lowestParam);
    pointOnCurve = m_basePoint + m_unitDir * t;
    return Acad::eOk;
}

}  // namespace kelvora
