// AcDbCircle: a full circle; its parameter is the angle from the X axis of its OCS, 0 to 2pi.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "acgi.h"
#include "dbents.h"
#include "dbspline.h"
#include "entity_util.h"
#include "geplane.h"
#include "kelvora/float_compare.h"
#include "kelvora/ge_extents.h"
#include "kelvora/host_class.h"
#include "kelvora/ocs.h"
#include "spline_build.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbCircle, AcDbCurve, L"CIRCLE");

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kHalfPi = std::numbers::pi / 2.0;

struct Frame {
    AcGeVector3d x;
    AcGeVector3d y;
    AcGeVector3d z;
};

Frame frameOf(const AcGeVector3d& normal)
{
    Frame f;
    kelvora::ocsAxes(normal, f.x, f.y, f.z);
    return f;
}

AcGePoint3d pointAtAngle(const AcGePoint3d& center, double radius, const Frame& f, double angle)
{
    return center + f.x * (radius * std::cos(angle)) + f.y * (radius * std::sin(angle));
}

bool finite(const AcGePoint3d& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

AcDbCircle::AcDbCircle() = default;

AcDbCircle::AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
    : m_center(center), m_radius(radius)
{
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
}

AcDbCircle::~AcDbCircle() = default;

AcGePoint3d AcDbCircle::center() const
{
    assertReadEnabled();
    return m_center;
}

Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& center)
{
    if (!finite(center))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_center = center;
    return Acad::eOk;
}

double AcDbCircle::radius() const
{
    assertReadEnabled();
    return m_radius;
}

Acad::ErrorStatus AcDbCircle::setRadius(double radius)
{
    if (!std::isfinite(radius) || radius <= 0.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_radius = radius;
    return Acad::eOk;
}

double AcDbCircle::thickness() const
{
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbCircle::setThickness(double thickness)
{
    if (!std::isfinite(thickness))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_thickness = thickness;
    return Acad::eOk;
}

AcGeVector3d AcDbCircle::normal() const
{
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& normal)
{
    AcGeVector3d unit;
    if (!kelvora::unitNormal(normal, unit))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_normal = unit;
    return Acad::eOk;
}

double AcDbCircle::circumference() const
{
    assertReadEnabled();
    return kTwoPi * m_radius;
}

double AcDbCircle::diameter() const
{
    assertReadEnabled();
    return 2.0 * m_radius;
}

// ----- Entity ----------------------------------------------------------------------------------------

Adesk::Boolean AcDbCircle::isPlanar() const
{
    return Adesk::kTrue;
}

Acad::ErrorStatus AcDbCircle::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    assertReadEnabled();
    plane.set(m_center, m_normal);
    planarity = AcDb::kPlanar;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    AcGeCircArc3d circle(m_center, m_normal, m_radius);
    AcGePoint3d lo;
    AcGePoint3d hi;
    kelvora::arcExtents(circle, lo, hi);
    AcDbExtents box;
    box.addPoint(lo);
    box.addPoint(hi);
    if (!kelvora::exactlyEqual(m_thickness, 0.0)) {
        box.addPoint(lo + m_normal * m_thickness);
        box.addPoint(hi + m_normal * m_thickness);
    }
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::transformBy(const AcGeMatrix3d& xform)
{
    assertReadEnabled();
    if (!xform.isUniScaledOrtho())
        return Acad::eNotApplicable;  // the circle would become an ellipse
    Frame f = frameOf(m_normal);
    AcGeVector3d cross = (xform * f.x).crossProduct(xform * f.y);
    AcGeVector3d n;
    if (!kelvora::unitNormal(cross, n))
        return Acad::eInvalidInput;
    if (xform.det() < 0.0)
        n = -n;  // a mirrored circle keeps its normal's side
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_center.transformBy(xform);
    m_radius *= xform.scale();
    m_thickness *= xform.scale();
    m_normal = n;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                            AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, nullptr, points);
}

Acad::ErrorStatus AcDbCircle::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                            const AcGePlane& projPlane, AcGePoint3dArray& points, Adesk::GsMarker,
                                            Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, &projPlane, points);
}

Acad::ErrorStatus AcDbCircle::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker,
                                             const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                             const AcGeMatrix3d&, AcGePoint3dArray& snapPoints, AcDbIntArray&) const
{
    assertReadEnabled();
    Frame f = frameOf(m_normal);
    switch (osnapMode) {
    case AcDb::kOsModeCen:
        snapPoints.append(m_center);
        break;
    case AcDb::kOsModeQuad:
        for (int q = 0; q < 4; ++q)
            snapPoints.append(pointAtAngle(m_center, m_radius, f, q * kHalfPi));
        break;
    case AcDb::kOsModeNear: {
        AcGePoint3d p;
        if (getClosestPointTo(pickPoint, p) == Acad::eOk)
            snapPoints.append(p);
        break;
    }
    case AcDb::kOsModePerp: {
        AcGeVector3d v = lastPoint - m_center;
        double a = std::atan2(v.dotProduct(f.y), v.dotProduct(f.x));
        snapPoints.append(pointAtAngle(m_center, m_radius, f, a));
        snapPoints.append(pointAtAngle(m_center, m_radius, f, a + std::numbers::pi));
        break;
    }
    default:
        break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                             const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                             const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                             AcDbIntArray& geomIds, const AcGeMatrix3d&) const
{
    return AcDbCircle::getOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints,
                                      geomIds);
}

Acad::ErrorStatus AcDbCircle::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    Frame f = frameOf(m_normal);
    gripPoints.append(m_center);
    for (int q = 0; q < 4; ++q)
        gripPoints.append(pointAtAngle(m_center, m_radius, f, q * kHalfPi));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i < 0 || i > 4)
            return Acad::eInvalidIndex;
    if (indices.isEmpty())
        return Acad::eOk;
    if (indices.contains(0)) {
        if (!kelvora::beginWrite(this))
            return Acad::eNotOpenForWrite;
        m_center += offset;
        return Acad::eOk;
    }
    // A quadrant grip sets the radius to its moved distance from the centre (in the circle's plane).
    Frame f = frameOf(m_normal);
    AcGePoint3d moved = pointAtAngle(m_center, m_radius, f, (indices.first() - 1) * kHalfPi) + offset;
    AcGeVector3d v = moved - m_center;
    double radius = std::hypot(v.dotProduct(f.x), v.dotProduct(f.y));
    if (radius <= 0.0)
        return Acad::eDegenerateGeometry;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_radius = radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize,
                                            const int gripSize, const AcGeVector3d& curViewDir,
                                            const int bitflags) const
{
    return AcDbCurve::getGripPoints(grips, curViewUnitSize, gripSize, curViewDir, bitflags);
}

Acad::ErrorStatus AcDbCircle::moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                               const int bitflags)
{
    return AcDbCurve::moveGripPointsAt(gripAppData, offset, bitflags);
}

Acad::ErrorStatus AcDbCircle::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    stretchPoints.append(m_center);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i != 0)
            return Acad::eInvalidIndex;
    return AcDbCircle::moveGripPointsAt(indices, offset);
}

Adesk::Boolean AcDbCircle::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort())
        return Adesk::kTrue;
    mode->geometry().circle(m_center, m_radius, m_normal);
    return Adesk::kTrue;
}

void AcDbCircle::list() const
{
    assertReadEnabled();
    AcDbCurve::list();
    kelvora::listPoint(this, L"center point,", m_center);
    kelvora::listReal(this, L"radius", m_radius);
    kelvora::listReal(this, L"circumference", circumference());
    kelvora::listReal(this, L"area", std::numbers::pi * m_radius * m_radius);
}

// ----- Filing ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbCircle::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writePoint3d(m_center);
    pFiler->writeDouble(m_radius);
    pFiler->writeDouble(m_thickness);
    pFiler->writeVector3d(m_normal);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbCircle::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcGePoint3d center;
    double radius = 0.0;
    double thickness = 0.0;
    AcGeVector3d normal;
    if ((es = pFiler->readPoint3d(&center)) != Acad::eOk || (es = pFiler->readDouble(&radius)) != Acad::eOk ||
        (es = pFiler->readDouble(&thickness)) != Acad::eOk || (es = pFiler->readVector3d(&normal)) != Acad::eOk)
        return es;
    m_center = center;
    m_radius = radius;
    m_thickness = thickness;
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    const bool defaults = pFiler->includesDefaultValues();
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbCircle");
    if (defaults || !kelvora::exactlyEqual(m_thickness, 0.0))
        pFiler->writeDouble(AcDb::kDxfThickness, m_thickness);
    pFiler->writePoint3d(AcDb::kDxfXCoord, kelvora::wcsToOcs(m_center, m_normal));
    pFiler->writeDouble(AcDb::kDxfReal, m_radius);
    if (defaults || m_normal != AcGeVector3d::kZAxis)
        pFiler->writeVector3d(AcDb::kDxfNormalX, m_normal);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbCircle::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbCircle");
    AcGePoint3d centerOcs;
    double radius = 1.0;
    double thickness = 0.0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    es = kelvora::readDxfGroups(pFiler, [&](kelvora::DxfGroup& g) {
        switch (g.code()) {
        case 10:
            centerOcs = g.point();
            break;
        case 40:
            radius = g.real();
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
    if (!(radius > 0.0) || !std::isfinite(radius)) {
        pFiler->setError(Acad::eInvalidResBuf, L"a circle's radius must be positive");
        return Acad::eInvalidResBuf;
    }
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    m_center = kelvora::ocsToWcs(centerOcs, m_normal);
    m_radius = radius;
    m_thickness = thickness;
    return Acad::eOk;
}

// ----- Curve -----------------------------------------------------------------------------------------

Adesk::Boolean AcDbCircle::isClosed() const
{
    return Adesk::kTrue;
}

Adesk::Boolean AcDbCircle::isPeriodic() const
{
    return Adesk::kTrue;
}

Acad::ErrorStatus AcDbCircle::getStartParam(double& param) const
{
    assertReadEnabled();
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getEndParam(double& param) const
{
    assertReadEnabled();
    param = kTwoPi;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getStartPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    point = pointAtAngle(m_center, m_radius, frameOf(m_normal), 0.0);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getEndPoint(AcGePoint3d& point) const
{
    return getStartPoint(point);
}

Acad::ErrorStatus AcDbCircle::getPointAtParam(double param, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (!std::isfinite(param))
        return Acad::eInvalidInput;
    point = pointAtAngle(m_center, m_radius, frameOf(m_normal), param);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    assertReadEnabled();
    Frame f = frameOf(m_normal);
    AcGeVector3d v = point - m_center;
    double a = kelvora::normalizeAngle(std::atan2(v.dotProduct(f.y), v.dotProduct(f.x)));
    if (pointAtAngle(m_center, m_radius, f, a).distanceTo(point) > kelvora::onCurveTolerance(point))
        return Acad::eInvalidInput;
    param = a;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getDistAtParam(double param, double& dist) const
{
    assertReadEnabled();
    const double tol = kelvora::onCurveTolerance(m_center) / m_radius;
    if (!std::isfinite(param) || param < -tol || param > kTwoPi + tol)
        return Acad::eInvalidInput;
    dist = m_radius * std::clamp(param, 0.0, kTwoPi);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getParamAtDist(double dist, double& param) const
{
    assertReadEnabled();
    const double tol = kelvora::onCurveTolerance(m_center);
    if (!std::isfinite(dist) || dist < -tol || dist > circumference() + tol)
        return Acad::eInvalidInput;
    param = std::clamp(dist, 0.0, circumference()) / m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const
{
    assertReadEnabled();
    if (!std::isfinite(param))
        return Acad::eInvalidInput;
    Frame f = frameOf(m_normal);
    firstDeriv = (f.x * -std::sin(param) + f.y * std::cos(param)) * m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getSecondDeriv(double param, AcGeVector3d& secDeriv) const
{
    assertReadEnabled();
    if (!std::isfinite(param))
        return Acad::eInvalidInput;
    Frame f = frameOf(m_normal);
    secDeriv = (f.x * std::cos(param) + f.y * std::sin(param)) * -m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                                Adesk::Boolean extend) const
{
    return AcDbCurve::getClosestPointTo(givenPnt, pointOnCurve, extend);
}

Acad::ErrorStatus AcDbCircle::getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                                AcGePoint3d& pointOnCurve, Adesk::Boolean extend) const
{
    return AcDbCurve::getClosestPointTo(givenPnt, direction, pointOnCurve, extend);
}

Acad::ErrorStatus AcDbCircle::getOrthoProjectedCurve(const AcGePlane& plane, AcDbCurve*& projCrv) const
{
    return getProjectedCurve(plane, plane.normal(), projCrv);
}

Acad::ErrorStatus AcDbCircle::getProjectedCurve(const AcGePlane& plane, const AcGeVector3d& projDir,
                                                AcDbCurve*& projCrv) const
{
    assertReadEnabled();
    AcGeVector3d n = plane.normal();
    if (projDir.isZeroLength() || projDir.isPerpendicularTo(n))
        return Acad::eInvalidInput;
    if (!n.isParallelTo(m_normal))
        return Acad::eNotApplicable;  // an ellipse
    auto* circle = AcDbCircle::cast(clone());
    if (circle == nullptr)
        return Acad::eNotApplicable;
    circle->m_center = m_center + projDir * ((plane.pointOnPlane() - m_center).dotProduct(n) / projDir.dotProduct(n));
    projCrv = circle;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getOffsetCurves(double offsetDist, AcDbVoidPtrArray& offsetCurves) const
{
    assertReadEnabled();
    if (!std::isfinite(offsetDist))
        return Acad::eInvalidInput;
    if (m_radius + offsetDist <= kelvora::pointTolerance(m_center))
        return Acad::eNotApplicable;
    auto* circle = AcDbCircle::cast(clone());
    if (circle == nullptr)
        return Acad::eNotApplicable;
    circle->m_radius = m_radius + offsetDist;
    offsetCurves.append(circle);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getSpline(AcDbSpline*& spline) const
{
    assertReadEnabled();
    Frame f = frameOf(m_normal);
    std::vector<kelvora::QuadraticPiece> pieces;
    kelvora::appendEllipticQuadratics(m_center, f.x * m_radius, f.y * m_radius, 0.0, kTwoPi, pieces);
    spline = kelvora::splineFromQuadratics(pieces);
    if (spline == nullptr)
        return Acad::eDegenerateGeometry;
    spline->setPropertiesFrom(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const
{
    assertReadEnabled();
    std::vector<double> cuts;
    if (!kelvora::normalizeSplitParams(params, 0.0, kTwoPi, true, kelvora::onCurveTolerance(m_center) / m_radius,
                                       cuts))
        return Acad::eInvalidInput;
    if (cuts.size() < 2)
        return Acad::eInvalidInput;  // one arc cannot run all the way round
    AcDbVoidPtrArray made;
    for (size_t j = 0; j < cuts.size(); ++j) {
        double to = j + 1 < cuts.size() ? cuts[j + 1] : cuts.front();
        auto* arc = new AcDbArc(m_center, m_normal, m_radius, cuts[j], to);
        arc->setThickness(m_thickness);
        arc->setPropertiesFrom(this);
        made.append(arc);
    }
    curveSegments.append(made);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getArea(double& area) const
{
    assertReadEnabled();
    area = std::numbers::pi * m_radius * m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::reverseCurve()
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_normal = -m_normal;
    return Acad::eOk;
}
