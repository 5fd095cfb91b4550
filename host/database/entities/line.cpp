// AcDbLine: a straight segment; its parameter is the distance from the start point.
#include <algorithm>
#include <cmath>

#include "acgi.h"
#include "dbents.h"
#include "dbspline.h"
#include "entity_util.h"
#include "geplane.h"
#include "kelvora/float_compare.h"
#include "kelvora/host_class.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbLine, AcDbCurve, L"LINE");

namespace {

bool finite(const AcGePoint3d& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

AcDbLine::AcDbLine() = default;

AcDbLine::AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : m_start(start), m_end(end) {}

AcDbLine::~AcDbLine() = default;

AcGePoint3d AcDbLine::startPoint() const
{
    assertReadEnabled();
    return m_start;
}

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& point)
{
    if (!finite(point))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_start = point;
    return Acad::eOk;
}

AcGePoint3d AcDbLine::endPoint() const
{
    assertReadEnabled();
    return m_end;
}

Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& point)
{
    if (!finite(point))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_end = point;
    return Acad::eOk;
}

double AcDbLine::thickness() const
{
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbLine::setThickness(double thickness)
{
    if (!std::isfinite(thickness))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_thickness = thickness;
    return Acad::eOk;
}

AcGeVector3d AcDbLine::normal() const
{
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbLine::setNormal(const AcGeVector3d& normal)
{
    AcGeVector3d unit;
    if (!kelvora::unitNormal(normal, unit))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_normal = unit;
    return Acad::eOk;
}

// ----- Entity ----------------------------------------------------------------------------------------

Adesk::Boolean AcDbLine::isPlanar() const
{
    return Adesk::kTrue;
}

Acad::ErrorStatus AcDbLine::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    assertReadEnabled();
    AcGeVector3d d = m_end - m_start;
    // A line lies in many planes: the one of its normal when that holds it, else one through it.
    AcGeVector3d n = m_normal;
    if (!d.isZeroLength() && !d.isPerpendicularTo(n))
        n = d.perpVector();
    plane.set(m_start, n);
    planarity = AcDb::kLinear;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    AcDbExtents box;
    box.addPoint(m_start);
    box.addPoint(m_end);
    if (!kelvora::exactlyEqual(m_thickness, 0.0)) {
        box.addPoint(m_start + m_normal * m_thickness);
        box.addPoint(m_end + m_normal * m_thickness);
    }
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::transformBy(const AcGeMatrix3d& xform)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_start.transformBy(xform);
    m_end.transformBy(xform);
    AcGeVector3d n = xform * m_normal;
    AcGeVector3d unit;
    if (kelvora::unitNormal(n, unit))
        m_normal = unit;
    m_thickness *= xform.scale();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                          Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, nullptr, points);
}

Acad::ErrorStatus AcDbLine::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                          AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, &projPlane, points);
}

Acad::ErrorStatus AcDbLine::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker, const AcGePoint3d& pickPoint,
                                           const AcGePoint3d& lastPoint, const AcGeMatrix3d&,
                                           AcGePoint3dArray& snapPoints, AcDbIntArray&) const
{
    assertReadEnabled();
    switch (osnapMode) {
    case AcDb::kOsModeEnd:
        snapPoints.append(m_start);
        snapPoints.append(m_end);
        break;
    case AcDb::kOsModeMid:
        snapPoints.append(m_start + (m_end - m_start) * 0.5);
        break;
    case AcDb::kOsModeNear: {
        AcGePoint3d p;
        if (getClosestPointTo(pickPoint, p) == Acad::eOk)
            snapPoints.append(p);
        break;
    }
    case AcDb::kOsModePerp: {
        AcGeVector3d d = m_end - m_start;
        if (d.isZeroLength())
            break;
        double t = (lastPoint - m_start).dotProduct(d) / d.lengthSqrd();
        if (t >= 0.0 && t <= 1.0)
            snapPoints.append(m_start + d * t);
        break;
    }
    default:
        break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                           const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                           const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                           AcDbIntArray& geomIds, const AcGeMatrix3d&) const
{
    return AcDbLine::getOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
}

Acad::ErrorStatus AcDbLine::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    gripPoints.append(m_start);
    gripPoints.append(m_end);
    gripPoints.append(m_start + (m_end - m_start) * 0.5);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i < 0 || i > 2)
            return Acad::eInvalidIndex;
    if (indices.isEmpty())
        return Acad::eOk;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    bool moveStart = false;
    bool moveEnd = false;
    for (int i : indices) {
        moveStart = moveStart || i == 0 || i == 2;
        moveEnd = moveEnd || i == 1 || i == 2;
    }
    if (moveStart)
        m_start += offset;
    if (moveEnd)
        m_end += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize, const int gripSize,
                                          const AcGeVector3d& curViewDir, const int bitflags) const
{
    return AcDbCurve::getGripPoints(grips, curViewUnitSize, gripSize, curViewDir, bitflags);
}

Acad::ErrorStatus AcDbLine::moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                             const int bitflags)
{
    return AcDbCurve::moveGripPointsAt(gripAppData, offset, bitflags);
}

Acad::ErrorStatus AcDbLine::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    stretchPoints.append(m_start);
    stretchPoints.append(m_end);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i < 0 || i > 1)
            return Acad::eInvalidIndex;
    return AcDbLine::moveGripPointsAt(indices, offset);
}

Adesk::Boolean AcDbLine::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort())
        return Adesk::kTrue;
    AcGePoint3d pts[2] = {m_start, m_end};
    mode->geometry().polyline(2, pts, &m_normal);
    return Adesk::kTrue;
}

void AcDbLine::list() const
{
    assertReadEnabled();
    AcDbCurve::list();
    kelvora::listPoint(this, L"from point,", m_start);
    kelvora::listPoint(this, L"to point,", m_end);
    AcGeVector3d d = m_end - m_start;
    kelvora::listReal(this, L"Length =", d.length());
    kelvora::listAngle(this, L"Angle in XY Plane =", kelvora::normalizeAngle(std::atan2(d.y, d.x)));
}

// ----- Filing ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbLine::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writePoint3d(m_start);
    pFiler->writePoint3d(m_end);
    pFiler->writeDouble(m_thickness);
    pFiler->writeVector3d(m_normal);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLine::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcGePoint3d start;
    AcGePoint3d end;
    double thickness = 0.0;
    AcGeVector3d normal;
    if ((es = pFiler->readPoint3d(&start)) != Acad::eOk || (es = pFiler->readPoint3d(&end)) != Acad::eOk ||
        (es = pFiler->readDouble(&thickness)) != Acad::eOk || (es = pFiler->readVector3d(&normal)) != Acad::eOk)
        return es;
    m_start = start;
    m_end = end;
    m_thickness = thickness;
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbLine");
    if (pFiler->includesDefaultValues() || !kelvora::exactlyEqual(m_thickness, 0.0))
        pFiler->writeDouble(AcDb::kDxfThickness, m_thickness);
    pFiler->writePoint3d(AcDb::kDxfXCoord, m_start);
    pFiler->writePoint3d(static_cast<AcDb::DxfCode>(11), m_end);
    if (pFiler->includesDefaultValues() || m_normal != AcGeVector3d::kZAxis)
        pFiler->writeVector3d(AcDb::kDxfNormalX, m_normal);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLine::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbLine");
    AcGePoint3d start;
    AcGePoint3d end;
    double thickness = 0.0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    es = kelvora::readDxfGroups(pFiler, [&](kelvora::DxfGroup& g) {
        switch (g.code()) {
        case 10:
            start = g.point();
            break;
        case 11:
            end = g.point();
            break;
        case 39:
            thickness = g.real();
            break;
        case 210:
            normal = g.vector();
            break;
        default:
            return kelvora::GroupUse::kNotMine;
        }
        return kelvora::GroupUse::kTaken;
    });
    if (es != Acad::eOk)
        return es;
    m_start = start;
    m_end = end;
    m_thickness = thickness;
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    return Acad::eOk;
}

// ----- Curve -----------------------------------------------------------------------------------------

Adesk::Boolean AcDbLine::isClosed() const
{
    return Adesk::kFalse;
}

Acad::ErrorStatus AcDbLine::getStartParam(double& param) const
{
    assertReadEnabled();
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getEndParam(double& param) const
{
    assertReadEnabled();
    param = m_start.distanceTo(m_end);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getStartPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    point = m_start;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getEndPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    point = m_end;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getPointAtParam(double param, AcGePoint3d& point) const
{
    assertReadEnabled();
    const double length = m_start.distanceTo(m_end);
    const double tol = kelvora::onCurveTolerance(m_end);
    if (!std::isfinite(param) || param < -tol || param > length + tol)
        return Acad::eInvalidInput;
    if (length <= 0.0) {
        point = m_start;
        return Acad::eOk;
    }
    param = std::clamp(param, 0.0, length);
    point = kelvora::exactlyEqual(param, length) ? m_end : m_start + (m_end - m_start) * (param / length);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    assertReadEnabled();
    AcGeVector3d d = m_end - m_start;
    const double length = d.length();
    double t = length > 0.0 ? std::clamp((point - m_start).dotProduct(d) / (length * length), 0.0, 1.0) : 0.0;
    AcGePoint3d onLine = m_start + d * t;
    if (onLine.distanceTo(point) > kelvora::onCurveTolerance(point))
        return Acad::eInvalidInput;
    param = t * length;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getDistAtParam(double param, double& dist) const
{
    assertReadEnabled();
    const double length = m_start.distanceTo(m_end);
    const double tol = kelvora::onCurveTolerance(m_end);
    if (!std::isfinite(param) || param < -tol || param > length + tol)
        return Acad::eInvalidInput;
    dist = std::clamp(param, 0.0, length);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getParamAtDist(double dist, double& param) const
{
    return getDistAtParam(dist, param);
}

Acad::ErrorStatus AcDbLine::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    AcGeVector3d d = m_end - m_start;
    if (d.isZeroLength())
        return Acad::eDegenerateGeometry;
    firstDeriv = d.normal();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getSecondDeriv(double param, AcGeVector3d& secDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    secDeriv = AcGeVector3d(0.0, 0.0, 0.0);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                              Adesk::Boolean extend) const
{
    assertReadEnabled();
    AcGeVector3d d = m_end - m_start;
    double len2 = d.lengthSqrd();
    double t = len2 > 0.0 ? (givenPnt - m_start).dotProduct(d) / len2 : 0.0;
    if (!extend)
        t = std::clamp(t, 0.0, 1.0);
    pointOnCurve = m_start + d * t;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                              AcGePoint3d& pointOnCurve, Adesk::Boolean extend) const
{
    return AcDbCurve::getClosestPointTo(givenPnt, direction, pointOnCurve, extend);
}

Acad::ErrorStatus AcDbLine::getOrthoProjectedCurve(const AcGePlane& plane, AcDbCurve*& projCrv) const
{
    return getProjectedCurve(plane, plane.normal(), projCrv);
}

Acad::ErrorStatus AcDbLine::getProjectedCurve(const AcGePlane& plane, const AcGeVector3d& projDir,
                                              AcDbCurve*& projCrv) const
{
    assertReadEnabled();
    AcGeVector3d n = plane.normal();
    if (projDir.isZeroLength() || projDir.isPerpendicularTo(n))
        return Acad::eInvalidInput;
    auto project = [&](const AcGePoint3d& p) {
        return p + projDir * ((plane.pointOnPlane() - p).dotProduct(n) / projDir.dotProduct(n));
    };
    auto* line = new AcDbLine(project(m_start), project(m_end));
    line->setPropertiesFrom(this);
    line->setNormal(n);
    projCrv = line;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getOffsetCurves(double offsetDist, AcDbVoidPtrArray& offsetCurves) const
{
    assertReadEnabled();
    AcGeVector3d d = m_end - m_start;
    AcGeVector3d right = d.crossProduct(m_normal);
    if (right.isZeroLength() || !std::isfinite(offsetDist))
        return Acad::eDegenerateGeometry;
    auto* line = AcDbLine::cast(clone());
    if (line == nullptr)
        return Acad::eNotApplicable;
    AcGeVector3d shift = right.normal() * offsetDist;
    line->m_start = m_start + shift;
    line->m_end = m_end + shift;
    offsetCurves.append(line);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getSpline(AcDbSpline*& spline) const
{
    assertReadEnabled();
    AcGePoint3dArray points;
    points.append(m_start);
    points.append(m_end);
    AcGeDoubleArray knots;
    for (double k : {0.0, 0.0, 1.0, 1.0})
        knots.append(k);
    spline = new AcDbSpline(1, Adesk::kFalse, Adesk::kFalse, Adesk::kFalse, points, knots, AcGeDoubleArray());
    spline->setPropertiesFrom(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const
{
    assertReadEnabled();
    const double length = m_start.distanceTo(m_end);
    if (length <= 0.0)
        return Acad::eDegenerateGeometry;
    std::vector<double> cuts;
    if (!kelvora::normalizeSplitParams(params, 0.0, length, false, kelvora::onCurveTolerance(m_end), cuts))
        return Acad::eInvalidInput;
    cuts.insert(cuts.begin(), 0.0);
    cuts.push_back(length);
    AcDbVoidPtrArray made;
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        auto* piece = AcDbLine::cast(clone());
        if (piece == nullptr) {
            for (void* p : made)
                delete static_cast<AcDbLine*>(p);
            return Acad::eNotApplicable;
        }
        AcGeVector3d d = (m_end - m_start) / length;
        piece->m_start = i == 0 ? m_start : m_start + d * cuts[i];
        piece->m_end = i + 2 == cuts.size() ? m_end : m_start + d * cuts[i + 1];
        made.append(piece);
    }
    curveSegments.append(made);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::extend(double newParam)
{
    assertReadEnabled();
    const double length = m_start.distanceTo(m_end);
    if (length <= 0.0)
        return Acad::eDegenerateGeometry;
    if (!std::isfinite(newParam) || (newParam >= 0.0 && newParam <= length))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    AcGeVector3d d = (m_end - m_start) / length;
    if (newParam < 0.0)
        m_start = m_start + d * newParam;
    else
        m_end = m_start + d * newParam;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::extend(Adesk::Boolean extendStart, const AcGePoint3d& toPoint)
{
    assertReadEnabled();
    AcGeVector3d d = m_end - m_start;
    if (d.isZeroLength())
        return Acad::eDegenerateGeometry;
    double t = (toPoint - m_start).dotProduct(d) / d.lengthSqrd();
    if ((m_start + d * t).distanceTo(toPoint) > kelvora::onCurveTolerance(toPoint))
        return Acad::eInvalidInput;
    if ((extendStart && t > 0.0) || (!extendStart && t < 1.0))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    (extendStart ? m_start : m_end) = toPoint;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getArea(double& area) const
{
    assertReadEnabled();
    area = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::reverseCurve()
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    std::swap(m_start, m_end);
    return Acad::eOk;
}
