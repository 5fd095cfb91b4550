// AcDbArc: a circular arc turning counter-clockwise about its normal; its parameter is the angle.
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

KELVORA_HOST_DEFINE_MEMBERS(AcDbArc, AcDbCurve, L"ARC");

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

double angleOf(const AcGePoint3d& center, const Frame& f, const AcGePoint3d& p)
{
    AcGeVector3d v = p - center;
    return kelvora::normalizeAngle(std::atan2(v.dotProduct(f.y), v.dotProduct(f.x)));
}

bool finite(const AcGePoint3d& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// The circle through three points of a plane (its frame's coordinates); false when they are in line.
bool circleThrough(const AcGePoint2d& a, const AcGePoint2d& b, const AcGePoint2d& c, AcGePoint2d& center)
{
    double d = 2.0 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    double scale = std::max({a.distanceTo(b), b.distanceTo(c), a.distanceTo(c)});
    if (std::fabs(d) <= AcGeContext::gTol.equalVector() * scale * scale)
        return false;
    double a2 = a.x * a.x + a.y * a.y;
    double b2 = b.x * b.x + b.y * b.y;
    double c2 = c.x * c.x + c.y * c.y;
    center.set((a2 * (b.y - c.y) + b2 * (c.y - a.y) + c2 * (a.y - b.y)) / d,
               (a2 * (c.x - b.x) + b2 * (a.x - c.x) + c2 * (b.x - a.x)) / d);
    return true;
}

}  // namespace

AcDbArc::AcDbArc() = default;

AcDbArc::AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle)
    : m_center(center), m_radius(radius), m_startAngle(kelvora::normalizeAngle(startAngle)),
      m_endAngle(kelvora::normalizeAngle(endAngle))
{
}

AcDbArc::AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle,
                 double endAngle)
    : AcDbArc(center, radius, startAngle, endAngle)
{
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
}

AcDbArc::~AcDbArc() = default;

AcGePoint3d AcDbArc::center() const
{
    assertReadEnabled();
    return m_center;
}

Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& center)
{
    if (!finite(center))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_center = center;
    return Acad::eOk;
}

double AcDbArc::radius() const
{
    assertReadEnabled();
    return m_radius;
}

Acad::ErrorStatus AcDbArc::setRadius(double radius)
{
    if (!std::isfinite(radius) || radius <= 0.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_radius = radius;
    return Acad::eOk;
}

double AcDbArc::startAngle() const
{
    assertReadEnabled();
    return m_startAngle;
}

Acad::ErrorStatus AcDbArc::setStartAngle(double angle)
{
    if (!std::isfinite(angle))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_startAngle = kelvora::normalizeAngle(angle);
    return Acad::eOk;
}

double AcDbArc::endAngle() const
{
    assertReadEnabled();
    return m_endAngle;
}

Acad::ErrorStatus AcDbArc::setEndAngle(double angle)
{
    if (!std::isfinite(angle))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_endAngle = kelvora::normalizeAngle(angle);
    return Acad::eOk;
}

double AcDbArc::totalAngle() const
{
    assertReadEnabled();
    double sweep = m_endAngle - m_startAngle;
    if (sweep <= 0.0)
        sweep += kTwoPi;
    return sweep;
}

double AcDbArc::length() const
{
    return m_radius * totalAngle();
}

double AcDbArc::thickness() const
{
    assertReadEnabled();
    return m_thickness;
}

Acad::ErrorStatus AcDbArc::setThickness(double thickness)
{
    if (!std::isfinite(thickness))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_thickness = thickness;
    return Acad::eOk;
}

AcGeVector3d AcDbArc::normal() const
{
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbArc::setNormal(const AcGeVector3d& normal)
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

Adesk::Boolean AcDbArc::isPlanar() const
{
    return Adesk::kTrue;
}

Acad::ErrorStatus AcDbArc::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    assertReadEnabled();
    plane.set(m_center, m_normal);
    planarity = AcDb::kPlanar;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    Frame f = frameOf(m_normal);
    AcGeCircArc3d arc(m_center, m_normal, f.x, m_radius, m_startAngle, m_startAngle + totalAngle());
    AcGePoint3d lo;
    AcGePoint3d hi;
    kelvora::arcExtents(arc, lo, hi);
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

Acad::ErrorStatus AcDbArc::transformBy(const AcGeMatrix3d& xform)
{
    assertReadEnabled();
    if (!xform.isUniScaledOrtho())
        return Acad::eNotApplicable;  // the arc would become elliptic
    Frame f = frameOf(m_normal);
    AcGePoint3d start = xform * pointAtAngle(m_center, m_radius, f, m_startAngle);
    AcGePoint3d end = xform * pointAtAngle(m_center, m_radius, f, m_startAngle + totalAngle());
    AcGeVector3d cross = (xform * f.x).crossProduct(xform * f.y);
    AcGeVector3d n;
    if (!kelvora::unitNormal(cross, n))
        return Acad::eInvalidInput;
    const bool mirrored = xform.det() < 0.0;
    // A mirroring keeps the normal's side (as the commercial host does) and runs the arc the other way.
    if (mirrored) {
        n = -n;
        std::swap(start, end);
    }
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_center.transformBy(xform);
    m_radius *= xform.scale();
    m_thickness *= xform.scale();
    m_normal = n;
    Frame g = frameOf(m_normal);
    m_startAngle = angleOf(m_center, g, start);
    m_endAngle = angleOf(m_center, g, end);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                         Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, nullptr, points);
}

Acad::ErrorStatus AcDbArc::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                         AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, &projPlane, points);
}

Acad::ErrorStatus AcDbArc::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker, const AcGePoint3d& pickPoint,
                                          const AcGePoint3d& lastPoint, const AcGeMatrix3d&,
                                          AcGePoint3dArray& snapPoints, AcDbIntArray&) const
{
    assertReadEnabled();
    Frame f = frameOf(m_normal);
    const double sweep = totalAngle();
    auto onArc = [&](double angle) { return kelvora::normalizeAngle(angle - m_startAngle) <= sweep; };
    switch (osnapMode) {
    case AcDb::kOsModeEnd:
        snapPoints.append(pointAtAngle(m_center, m_radius, f, m_startAngle));
        snapPoints.append(pointAtAngle(m_center, m_radius, f, m_startAngle + sweep));
        break;
    case AcDb::kOsModeMid:
        snapPoints.append(pointAtAngle(m_center, m_radius, f, m_startAngle + sweep / 2.0));
        break;
    case AcDb::kOsModeCen:
        snapPoints.append(m_center);
        break;
    case AcDb::kOsModeQuad:
        for (int q = 0; q < 4; ++q)
            if (onArc(q * kHalfPi))
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
        for (double candidate : {a, a + std::numbers::pi})
            if (onArc(candidate))
                snapPoints.append(pointAtAngle(m_center, m_radius, f, candidate));
        break;
    }
    default:
        break;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                          const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                          const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                          AcDbIntArray& geomIds, const AcGeMatrix3d&) const
{
    return AcDbArc::getOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
}

Acad::ErrorStatus AcDbArc::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    Frame f = frameOf(m_normal);
    const double sweep = totalAngle();
    gripPoints.append(pointAtAngle(m_center, m_radius, f, m_startAngle));
    gripPoints.append(pointAtAngle(m_center, m_radius, f, m_startAngle + sweep));
    gripPoints.append(pointAtAngle(m_center, m_radius, f, m_startAngle + sweep / 2.0));
    gripPoints.append(m_center);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i < 0 || i > 3)
            return Acad::eInvalidIndex;
    if (indices.isEmpty())
        return Acad::eOk;
    if (indices.contains(3)) {
        if (!kelvora::beginWrite(this))
            return Acad::eNotOpenForWrite;
        m_center += offset;
        return Acad::eOk;
    }
    // The end and middle grips reshape the arc through its (moved) start, middle and end.
    Frame f = frameOf(m_normal);
    const double sweep = totalAngle();
    AcGePoint3d pts[3] = {pointAtAngle(m_center, m_radius, f, m_startAngle),
                          pointAtAngle(m_center, m_radius, f, m_startAngle + sweep),
                          pointAtAngle(m_center, m_radius, f, m_startAngle + sweep / 2.0)};
    for (int i : indices)
        pts[i] += offset;
    auto in2d = [&](const AcGePoint3d& p) {
        AcGeVector3d v = p - m_center;
        return AcGePoint2d(v.dotProduct(f.x), v.dotProduct(f.y));
    };
    AcGePoint2d s = in2d(pts[0]);
    AcGePoint2d e = in2d(pts[1]);
    AcGePoint2d m = in2d(pts[2]);
    AcGePoint2d c;
    if (!circleThrough(s, m, e, c))
        return Acad::eDegenerateGeometry;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    // The arc keeps turning counter-clockwise: when the middle is now on the clockwise side, start
    // and end trade places.
    double cross = (m.x - s.x) * (e.y - s.y) - (m.y - s.y) * (e.x - s.x);
    if (cross > 0.0)
        std::swap(s, e);
    m_center = m_center + f.x * c.x + f.y * c.y;
    m_radius = c.distanceTo(s);
    m_startAngle = kelvora::normalizeAngle(std::atan2(s.y - c.y, s.x - c.x));
    m_endAngle = kelvora::normalizeAngle(std::atan2(e.y - c.y, e.x - c.x));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize, const int gripSize,
                                         const AcGeVector3d& curViewDir, const int bitflags) const
{
    return AcDbCurve::getGripPoints(grips, curViewUnitSize, gripSize, curViewDir, bitflags);
}

Acad::ErrorStatus AcDbArc::moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                            const int bitflags)
{
    return AcDbCurve::moveGripPointsAt(gripAppData, offset, bitflags);
}

Acad::ErrorStatus AcDbArc::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    Frame f = frameOf(m_normal);
    stretchPoints.append(pointAtAngle(m_center, m_radius, f, m_startAngle));
    stretchPoints.append(pointAtAngle(m_center, m_radius, f, m_startAngle + totalAngle()));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i < 0 || i > 1)
            return Acad::eInvalidIndex;
    if (indices.length() == 2) {
        if (!kelvora::beginWrite(this))
            return Acad::eNotOpenForWrite;
        m_center += offset;
        return Acad::eOk;
    }
    return AcDbArc::moveGripPointsAt(indices, offset);
}

Adesk::Boolean AcDbArc::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort())
        return Adesk::kTrue;
    Frame f = frameOf(m_normal);
    AcGeVector3d startVector = f.x * std::cos(m_startAngle) + f.y * std::sin(m_startAngle);
    mode->geometry().circularArc(m_center, m_radius, m_normal, startVector, totalAngle());
    return Adesk::kTrue;
}

void AcDbArc::list() const
{
    assertReadEnabled();
    AcDbCurve::list();
    kelvora::listPoint(this, L"center point,", m_center);
    kelvora::listReal(this, L"radius", m_radius);
    kelvora::listAngle(this, L"start angle", m_startAngle);
    kelvora::listAngle(this, L"end angle", m_endAngle);
    kelvora::listReal(this, L"length", length());
}

// ----- Filing ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbArc::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writePoint3d(m_center);
    pFiler->writeDouble(m_radius);
    pFiler->writeDouble(m_startAngle);
    pFiler->writeDouble(m_endAngle);
    pFiler->writeDouble(m_thickness);
    pFiler->writeVector3d(m_normal);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbArc::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcGePoint3d center;
    double radius = 0.0;
    double start = 0.0;
    double end = 0.0;
    double thickness = 0.0;
    AcGeVector3d normal;
    if ((es = pFiler->readPoint3d(&center)) != Acad::eOk || (es = pFiler->readDouble(&radius)) != Acad::eOk ||
        (es = pFiler->readDouble(&start)) != Acad::eOk || (es = pFiler->readDouble(&end)) != Acad::eOk ||
        (es = pFiler->readDouble(&thickness)) != Acad::eOk || (es = pFiler->readVector3d(&normal)) != Acad::eOk)
        return es;
    m_center = center;
    m_radius = radius;
    m_startAngle = kelvora::normalizeAngle(start);
    m_endAngle = kelvora::normalizeAngle(end);
    m_thickness = thickness;
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::dxfOutFields(AcDbDxfFiler* pFiler) const
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
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbArc");
    pFiler->writeDouble(AcDb::kDxfAngle, kelvora::radiansToDegrees(m_startAngle));
    pFiler->writeDouble(static_cast<AcDb::DxfCode>(51), kelvora::radiansToDegrees(m_endAngle));
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbArc::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbCircle");
    AcGePoint3d centerOcs;
    double radius = 1.0;
    double start = 0.0;
    double end = 0.0;
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
        case 50:
            start = kelvora::degreesToRadians(g.real());
            break;
        case 51:
            end = kelvora::degreesToRadians(g.real());
            break;
        case 100:
            return g.subclassName() == L"AcDbArc" ? kelvora::GroupUse::kTaken : kelvora::GroupUse::kNotMine;
        default:
            return kelvora::GroupUse::kNotMine;
        }
        return kelvora::GroupUse::kTaken;
    });
    if (es != Acad::eOk)
        return es;
    if (!(radius > 0.0) || !std::isfinite(radius)) {
        pFiler->setError(Acad::eInvalidResBuf, L"an arc's radius must be positive");
        return Acad::eInvalidResBuf;
    }
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    m_center = kelvora::ocsToWcs(centerOcs, m_normal);
    m_radius = radius;
    m_startAngle = kelvora::normalizeAngle(start);
    m_endAngle = kelvora::normalizeAngle(end);
    m_thickness = thickness;
    return Acad::eOk;
}

// ----- Curve -----------------------------------------------------------------------------------------

Adesk::Boolean AcDbArc::isClosed() const
{
    return Adesk::kFalse;
}

Acad::ErrorStatus AcDbArc::getStartParam(double& param) const
{
    assertReadEnabled();
    param = m_startAngle;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getEndParam(double& param) const
{
    assertReadEnabled();
    param = m_startAngle + totalAngle();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getStartPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    point = pointAtAngle(m_center, m_radius, frameOf(m_normal), m_startAngle);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getEndPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    point = pointAtAngle(m_center, m_radius, frameOf(m_normal), m_endAngle);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getPointAtParam(double param, AcGePoint3d& point) const
{
    assertReadEnabled();
    const double tol = kelvora::onCurveTolerance(m_center) / m_radius;
    if (!std::isfinite(param) || param < m_startAngle - tol || param > m_startAngle + totalAngle() + tol)
        return Acad::eInvalidInput;
    point = pointAtAngle(m_center, m_radius, frameOf(m_normal), param);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    assertReadEnabled();
    Frame f = frameOf(m_normal);
    const double a = angleOf(m_center, f, point);
    const double sweep = totalAngle();
    const double tol = kelvora::onCurveTolerance(point);
    double along = kelvora::normalizeAngle(a - m_startAngle);
    if (along > sweep + tol / m_radius) {
        if (along < kTwoPi - tol / m_radius)
            return Acad::eInvalidInput;
        along = 0.0;
    }
    along = std::min(along, sweep);
    if (pointAtAngle(m_center, m_radius, f, m_startAngle + along).distanceTo(point) > tol)
        return Acad::eInvalidInput;
    param = m_startAngle + along;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getDistAtParam(double param, double& dist) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    dist = std::clamp(m_radius * (param - m_startAngle), 0.0, length());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getParamAtDist(double dist, double& param) const
{
    assertReadEnabled();
    const double tol = kelvora::onCurveTolerance(m_center);
    if (!std::isfinite(dist) || dist < -tol || dist > length() + tol)
        return Acad::eInvalidInput;
    param = m_startAngle + std::clamp(dist, 0.0, length()) / m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    Frame f = frameOf(m_normal);
    firstDeriv = (f.x * -std::sin(param) + f.y * std::cos(param)) * m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getSecondDeriv(double param, AcGeVector3d& secDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    Frame f = frameOf(m_normal);
    secDeriv = (f.x * std::cos(param) + f.y * std::sin(param)) * -m_radius;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                             Adesk::Boolean extend) const
{
    return AcDbCurve::getClosestPointTo(givenPnt, pointOnCurve, extend);
}

Acad::ErrorStatus AcDbArc::getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                             AcGePoint3d& pointOnCurve, Adesk::Boolean extend) const
{
    return AcDbCurve::getClosestPointTo(givenPnt, direction, pointOnCurve, extend);
}

Acad::ErrorStatus AcDbArc::getOrthoProjectedCurve(const AcGePlane& plane, AcDbCurve*& projCrv) const
{
    return getProjectedCurve(plane, plane.normal(), projCrv);
}

Acad::ErrorStatus AcDbArc::getProjectedCurve(const AcGePlane& plane, const AcGeVector3d& projDir,
                                             AcDbCurve*& projCrv) const
{
    assertReadEnabled();
    AcGeVector3d n = plane.normal();
    if (projDir.isZeroLength() || projDir.isPerpendicularTo(n))
        return Acad::eInvalidInput;
    // Onto a parallel plane an arc stays an arc; otherwise it becomes elliptic.
    if (!n.isParallelTo(m_normal))
        return Acad::eNotApplicable;
    auto* arc = AcDbArc::cast(clone());
    if (arc == nullptr)
        return Acad::eNotApplicable;
    arc->m_center = m_center + projDir * ((plane.pointOnPlane() - m_center).dotProduct(n) / projDir.dotProduct(n));
    projCrv = arc;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getOffsetCurves(double offsetDist, AcDbVoidPtrArray& offsetCurves) const
{
    assertReadEnabled();
    if (!std::isfinite(offsetDist))
        return Acad::eInvalidInput;
    if (m_radius + offsetDist <= kelvora::pointTolerance(m_center))
        return Acad::eNotApplicable;
    auto* arc = AcDbArc::cast(clone());
    if (arc == nullptr)
        return Acad::eNotApplicable;
    arc->m_radius = m_radius + offsetDist;
    offsetCurves.append(arc);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getSpline(AcDbSpline*& spline) const
{
    assertReadEnabled();
    Frame f = frameOf(m_normal);
    std::vector<kelvora::QuadraticPiece> pieces;
    kelvora::appendEllipticQuadratics(m_center, f.x * m_radius, f.y * m_radius, m_startAngle, totalAngle(), pieces);
    spline = kelvora::splineFromQuadratics(pieces);
    if (spline == nullptr)
        return Acad::eDegenerateGeometry;
    spline->setPropertiesFrom(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const
{
    assertReadEnabled();
    const double start = m_startAngle;
    const double end = m_startAngle + totalAngle();
    std::vector<double> cuts;
    if (!kelvora::normalizeSplitParams(params, start, end, false, kelvora::onCurveTolerance(m_center) / m_radius,
                                       cuts))
        return Acad::eInvalidInput;
    cuts.insert(cuts.begin(), start);
    cuts.push_back(end);
    AcDbVoidPtrArray made;
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
        auto* piece = AcDbArc::cast(clone());
        if (piece == nullptr) {
            for (void* p : made)
                delete static_cast<AcDbArc*>(p);
            return Acad::eNotApplicable;
        }
        piece->m_startAngle = kelvora::normalizeAngle(cuts[i]);
        piece->m_endAngle = kelvora::normalizeAngle(cuts[i + 1]);
        made.append(piece);
    }
    curveSegments.append(made);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::extend(double newParam)
{
    assertReadEnabled();
    const double start = m_startAngle;
    const double end = m_startAngle + totalAngle();
    if (!std::isfinite(newParam) || (newParam >= start && newParam <= end))
        return Acad::eInvalidInput;
    double sweep = newParam < start ? end - newParam : newParam - start;
    if (sweep >= kTwoPi)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    (newParam < start ? m_startAngle : m_endAngle) = kelvora::normalizeAngle(newParam);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::extend(Adesk::Boolean extendStart, const AcGePoint3d& toPoint)
{
    assertReadEnabled();
    Frame f = frameOf(m_normal);
    double a = angleOf(m_center, f, toPoint);
    if (pointAtAngle(m_center, m_radius, f, a).distanceTo(toPoint) > kelvora::onCurveTolerance(toPoint))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    (extendStart ? m_startAngle : m_endAngle) = a;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getArea(double& area) const
{
    assertReadEnabled();
    const double sweep = totalAngle();
    area = 0.5 * m_radius * m_radius * (sweep - std::sin(sweep));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::reverseCurve()
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    // Run from the end to the start: counter-clockwise about the reversed normal.
    Frame f = frameOf(m_normal);
    AcGePoint3d start = pointAtAngle(m_center, m_radius, f, m_startAngle);
    AcGePoint3d end = pointAtAngle(m_center, m_radius, f, m_startAngle + totalAngle());
    m_normal = -m_normal;
    Frame g = frameOf(m_normal);
    m_startAngle = angleOf(m_center, g, end);
    m_endAngle = angleOf(m_center, g, start);
    return Acad::eOk;
}
