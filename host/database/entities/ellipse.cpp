// AcDbEllipse: an ellipse or elliptic arc; its parameter t gives centre + cos t * major + sin t * minor.
#include "dbelipse.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "acgi.h"
#include "dbspline.h"
#include "entity_util.h"
#include "geplane.h"
#include "kelvora/host_class.h"
#include "spline_build.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbEllipse, AcDbCurve, L"ELLIPSE");

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Arc length by Gauss-Legendre quadrature on panels of at most this many radians of parameter: the
// speed along an ellipse is smooth, and five nodes per sixteenth of a turn reach double precision
// for ratios down to 0.05.
constexpr double kPanelSpan = kTwoPi / 64.0;
constexpr double kGaussNodes[5] = {-0.9061798459386640, -0.5384693101056831, 0.0, 0.5384693101056831,
                                   0.9061798459386640};
constexpr double kGaussWeights[5] = {0.2369268850561891, 0.4786286704993665, 0.5688888888888889, 0.4786286704993665,
                                     0.2369268850561891};

// Parameters within this of the ends (radians) count as the ends.
constexpr double kEndParamTolerance = 1e-9;

// Ratios written by other programs may exceed 1 by rounding.
constexpr double kRatioRounding = 1e-9;

// Without a display deviation, the ellipse is drawn within this fraction of its major radius.
constexpr double kDrawDeviationRatio = 1e-4;

// A parameter from a length is found by bisection down to this fraction of a radian.
constexpr double kParamSearchTolerance = 1e-14;

bool finite(const AcGePoint3d& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// The value of `a` plus a whole number of turns nearest to `near`.
double sameTurn(double a, double near)
{
    return a + kTwoPi * std::round((near - a) / kTwoPi);
}

}  // namespace

AcDbEllipse::AcDbEllipse() = default;

AcDbEllipse::AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& unitNormal, const AcGeVector3d& majorAxis,
                         double radiusRatio, double startAngle, double endAngle)
{
    set(center, unitNormal, majorAxis, radiusRatio, startAngle, endAngle);
}

AcDbEllipse::~AcDbEllipse() = default;

AcGePoint3d AcDbEllipse::center() const
{
    assertReadEnabled();
    return m_center;
}

Acad::ErrorStatus AcDbEllipse::setCenter(const AcGePoint3d& center)
{
    if (!finite(center))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_center = center;
    return Acad::eOk;
}

AcGeVector3d AcDbEllipse::normal() const
{
    assertReadEnabled();
    return m_normal;
}

AcGeVector3d AcDbEllipse::majorAxis() const
{
    assertReadEnabled();
    return m_majorAxis;
}

AcGeVector3d AcDbEllipse::minorAxis() const
{
    assertReadEnabled();
    return m_normal.crossProduct(m_majorAxis) * m_ratio;
}

double AcDbEllipse::radiusRatio() const
{
    assertReadEnabled();
    return m_ratio;
}

Acad::ErrorStatus AcDbEllipse::setRadiusRatio(double ratio)
{
    if (!(ratio > 0.0) || ratio > 1.0)
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_ratio = ratio;
    return Acad::eOk;
}

double AcDbEllipse::paramAtAngle(double angle) const
{
    assertReadEnabled();
    double t = std::atan2(std::sin(angle) / m_ratio, std::cos(angle));
    return sameTurn(t, angle);
}

double AcDbEllipse::angleAtParam(double param) const
{
    assertReadEnabled();
    double a = std::atan2(m_ratio * std::sin(param), std::cos(param));
    return sameTurn(a, param);
}

double AcDbEllipse::startAngle() const
{
    return kelvora::normalizeAngle(angleAtParam(m_startParam));
}

Acad::ErrorStatus AcDbEllipse::setStartAngle(double startAngle)
{
    return setStartParam(paramAtAngle(startAngle));
}

double AcDbEllipse::endAngle() const
{
    return angleAtParam(m_endParam);
}

Acad::ErrorStatus AcDbEllipse::setEndAngle(double endAngle)
{
    return setEndParam(paramAtAngle(endAngle));
}

Acad::ErrorStatus AcDbEllipse::setStartParam(double startParam)
{
    if (!std::isfinite(startParam))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    double span = m_endParam - m_startParam;
    m_startParam = kelvora::normalizeAngle(startParam);
    double end = m_startParam + kelvora::normalizeAngle(m_startParam + span - m_startParam);
    m_endParam = end <= m_startParam ? end + kTwoPi : end;
    return Acad::eOk;
}

double AcDbEllipse::startParam() const
{
    assertReadEnabled();
    return m_startParam;
}

Acad::ErrorStatus AcDbEllipse::setEndParam(double endParam)
{
    if (!std::isfinite(endParam))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    double span = kelvora::normalizeAngle(endParam - m_startParam);
    if (span <= 0.0)
        span = kTwoPi;
    m_endParam = m_startParam + span;
    return Acad::eOk;
}

double AcDbEllipse::endParam() const
{
    assertReadEnabled();
    return m_endParam;
}

Acad::ErrorStatus AcDbEllipse::get(AcGePoint3d& center, AcGeVector3d& unitNormal, AcGeVector3d& majorAxis,
                                   double& radiusRatio, double& startAngle, double& endAngle) const
{
    assertReadEnabled();
    center = m_center;
    unitNormal = m_normal;
    majorAxis = m_majorAxis;
    radiusRatio = m_ratio;
    startAngle = this->startAngle();
    endAngle = this->endAngle();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::set(const AcGePoint3d& center, const AcGeVector3d& unitNormal,
                                   const AcGeVector3d& majorAxis, double radiusRatio, double startAngle,
                                   double endAngle)
{
    AcGeVector3d n;
    if (!finite(center) || !kelvora::unitNormal(unitNormal, n) || majorAxis.isZeroLength() ||
        !majorAxis.isPerpendicularTo(n) || !(radiusRatio > 0.0) || radiusRatio > 1.0 ||
        !std::isfinite(startAngle) || !std::isfinite(endAngle))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_center = center;
    m_normal = n;
    // Exactly in the plane, as the rest of the class relies on it.
    m_majorAxis = majorAxis - n * majorAxis.dotProduct(n);
    m_ratio = radiusRatio;
    double t0 = paramAtAngle(startAngle);
    double t1 = paramAtAngle(endAngle);
    m_startParam = kelvora::normalizeAngle(t0);
    double span = kelvora::normalizeAngle(t1 - t0);
    if (span <= 0.0)
        span = kTwoPi;
    m_endParam = m_startParam + span;
    return Acad::eOk;
}

bool AcDbEllipse::isNull() const
{
    assertReadEnabled();
    return m_majorAxis.isZeroLength() || !(m_ratio > 0.0);
}

// ----- Entity ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbEllipse::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    assertReadEnabled();
    plane.set(m_center, m_normal);
    planarity = AcDb::kPlanar;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eInvalidExtents;
    // Along each axis the coordinate is c + a cos t + b sin t: its extremes are at the ends and where
    // tan t = b / a.
    const AcGeVector3d minor = minorAxis();
    AcDbExtents box;
    AcGePoint3d p;
    getStartPoint(p);
    box.addPoint(p);
    getEndPoint(p);
    box.addPoint(p);
    for (int axis = 0; axis < 3; ++axis) {
        double a = m_majorAxis[static_cast<unsigned int>(axis)];
        double b = minor[static_cast<unsigned int>(axis)];
        double t = std::atan2(b, a);
        for (double candidate : {t, t + std::numbers::pi}) {
            double along = kelvora::normalizeAngle(candidate - m_startParam);
            if (along <= m_endParam - m_startParam)
                box.addPoint(m_center + m_majorAxis * std::cos(candidate) + minor * std::sin(candidate));
        }
    }
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::transformBy(const AcGeMatrix3d& xform)
{
    assertReadEnabled();
    if (!xform.isUniScaledOrtho())
        return Acad::eNotApplicable;
    AcGeVector3d major = xform * m_majorAxis;
    AcGeVector3d minor = xform * minorAxis();
    AcGeVector3d n;
    // The new normal keeps the parameters running the same way (a mirrored ellipse turns it over).
    if (!kelvora::unitNormal(major.crossProduct(minor), n))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_center.transformBy(xform);
    m_majorAxis = major;
    m_normal = n;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                             AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, nullptr, points);
}

Acad::ErrorStatus AcDbEllipse::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                             const AcGePlane& projPlane, AcGePoint3dArray& points, Adesk::GsMarker,
                                             Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, &projPlane, points);
}

Acad::ErrorStatus AcDbEllipse::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    const AcGeVector3d minor = minorAxis();
    gripPoints.append(m_center);
    gripPoints.append(m_center + m_majorAxis);
    gripPoints.append(m_center - m_majorAxis);
    gripPoints.append(m_center + minor);
    gripPoints.append(m_center - minor);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
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
    const int i = indices.first();
    const AcGeVector3d inPlane = offset - m_normal * offset.dotProduct(m_normal);
    if (i <= 2) {
        // A major axis end: the axis follows it, the minor axis keeps its length.
        AcGeVector3d major = i == 1 ? m_majorAxis + inPlane : m_majorAxis - inPlane;
        double minorLength = m_majorAxis.length() * m_ratio;
        if (major.length() < minorLength || major.isZeroLength())
            return Acad::eInvalidInput;
        if (!kelvora::beginWrite(this))
            return Acad::eNotOpenForWrite;
        m_ratio = minorLength / major.length();
        m_majorAxis = major;
        return Acad::eOk;
    }
    // A minor axis end: its distance from the major axis gives the new ratio.
    AcGeVector3d minor = minorAxis();
    AcGeVector3d moved = i == 3 ? minor + inPlane : minor - inPlane;
    double length = std::fabs(moved.dotProduct(minor.normal()));
    return setRadiusRatio(length / m_majorAxis.length());
}

Acad::ErrorStatus AcDbEllipse::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    stretchPoints.append(m_center);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i != 0)
            return Acad::eInvalidIndex;
    return AcDbEllipse::moveGripPointsAt(indices, offset);
}

Adesk::Boolean AcDbEllipse::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort() || isNull())
        return Adesk::kTrue;
    AcDbSpline* spline = nullptr;
    if (getSpline(spline) != Acad::eOk || spline == nullptr)
        return Adesk::kTrue;
    const AcGeNurbCurve3d& curve = spline->nurbs();
    double deviation = mode->deviation(kAcGiMaxDevForCurve, m_center);
    if (!(deviation > 0.0))
        deviation = m_majorAxis.length() * kDrawDeviationRatio;
    AcGePoint3dArray pts;
    AcGeDoubleArray params;
    curve.getSamplePoints(curve.startParam(), curve.endParam(), deviation, pts, params);
    if (pts.length() >= 2)
        mode->geometry().polyline(static_cast<Adesk::UInt32>(pts.length()), pts.asArrayPtr(), &m_normal);
    delete spline;
    return Adesk::kTrue;
}

void AcDbEllipse::list() const
{
    assertReadEnabled();
    AcDbCurve::list();
    kelvora::listPoint(this, L"Center:", m_center);
    kelvora::listPoint(this, L"Major Axis:", AcGePoint3d::kOrigin + m_majorAxis);
    kelvora::listPoint(this, L"Minor Axis:", AcGePoint3d::kOrigin + minorAxis());
    kelvora::listReal(this, L"Radius Ratio:", m_ratio);
    kelvora::listAngle(this, L"Start Angle:", startAngle());
    kelvora::listAngle(this, L"End Angle:", kelvora::normalizeAngle(endAngle()));
}

// ----- Filing ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbEllipse::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writePoint3d(m_center);
    pFiler->writeVector3d(m_majorAxis);
    pFiler->writeVector3d(m_normal);
    pFiler->writeDouble(m_ratio);
    pFiler->writeDouble(m_startParam);
    pFiler->writeDouble(m_endParam);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbEllipse::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcGePoint3d center;
    AcGeVector3d major;
    AcGeVector3d normal;
    double ratio = 1.0;
    double t0 = 0.0;
    double t1 = kTwoPi;
    if ((es = pFiler->readPoint3d(&center)) != Acad::eOk || (es = pFiler->readVector3d(&major)) != Acad::eOk ||
        (es = pFiler->readVector3d(&normal)) != Acad::eOk || (es = pFiler->readDouble(&ratio)) != Acad::eOk ||
        (es = pFiler->readDouble(&t0)) != Acad::eOk || (es = pFiler->readDouble(&t1)) != Acad::eOk)
        return es;
    m_center = center;
    m_majorAxis = major;
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    m_ratio = ratio;
    m_startParam = t0;
    m_endParam = t1;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbEllipse");
    pFiler->writePoint3d(AcDb::kDxfXCoord, m_center);
    pFiler->writeVector3d(static_cast<AcDb::DxfCode>(11), m_majorAxis);
    pFiler->writeVector3d(AcDb::kDxfNormalX, m_normal);
    pFiler->writeDouble(AcDb::kDxfReal, m_ratio);
    pFiler->writeDouble(AcDb::kDxfTxtStyleXScale, m_startParam);  // 41
    pFiler->writeDouble(AcDb::kDxfTxtStylePSize, m_endParam);     // 42
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbEllipse::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbEllipse");
    AcGePoint3d center;
    AcGeVector3d major = AcGeVector3d::kXAxis;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    double ratio = 1.0;
    double t0 = 0.0;
    double t1 = kTwoPi;
    es = kelvora::readDxfGroups(pFiler, [&](kelvora::DxfGroup& g) {
        switch (g.code()) {
        case 10: center = g.point(); break;
        case 11: major = g.vector(); break;
        case 210: normal = g.vector(); break;
        case 40: ratio = g.real(); break;
        case 41: t0 = g.real(); break;
        case 42: t1 = g.real(); break;
        default: return kelvora::GroupUse::kNotMine;
        }
        return kelvora::GroupUse::kTaken;
    });
    if (es != Acad::eOk)
        return es;
    AcGeVector3d n;
    if (!kelvora::unitNormal(normal, n) || major.isZeroLength() || !(ratio > 0.0) || ratio > 1.0 + kRatioRounding ||
        !std::isfinite(t0) || !std::isfinite(t1)) {
        pFiler->setError(Acad::eInvalidResBuf, L"the ellipse's axes or ratio do not make an ellipse");
        return Acad::eInvalidResBuf;
    }
    m_center = center;
    m_normal = n;
    m_majorAxis = major - n * major.dotProduct(n);
    m_ratio = std::min(ratio, 1.0);
    m_startParam = t0;
    double span = t1 - t0;
    if (span <= 0.0)
        span += kTwoPi;
    m_endParam = t0 + std::min(span, kTwoPi);
    return Acad::eOk;
}

// ----- Curve -----------------------------------------------------------------------------------------

Adesk::Boolean AcDbEllipse::isClosed() const
{
    assertReadEnabled();
    return m_endParam - m_startParam >= kTwoPi - kEndParamTolerance;
}

Adesk::Boolean AcDbEllipse::isPeriodic() const
{
    return isClosed();
}

Acad::ErrorStatus AcDbEllipse::getStartParam(double& param) const
{
    assertReadEnabled();
    param = m_startParam;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getEndParam(double& param) const
{
    assertReadEnabled();
    param = m_endParam;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getStartPoint(AcGePoint3d& point) const
{
    return getPointAtParam(m_startParam, point);
}

Acad::ErrorStatus AcDbEllipse::getEndPoint(AcGePoint3d& point) const
{
    return getPointAtParam(m_endParam, point);
}

Acad::ErrorStatus AcDbEllipse::getPointAtParam(double param, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (!std::isfinite(param) || param < m_startParam - kEndParamTolerance ||
        param > m_endParam + kEndParamTolerance)
        return Acad::eInvalidInput;
    point = m_center + m_majorAxis * std::cos(param) + minorAxis() * std::sin(param);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    const AcGeVector3d v = point - m_center;
    const AcGeVector3d minor = minorAxis();
    double t = std::atan2(v.dotProduct(minor) / minor.lengthSqrd(), v.dotProduct(m_majorAxis) / m_majorAxis.lengthSqrd());
    double along = kelvora::normalizeAngle(t - m_startParam);
    const double span = m_endParam - m_startParam;
    const double tolParam = kelvora::onCurveTolerance(point) / minor.length();
    if (along > span + tolParam) {
        if (along < kTwoPi - tolParam)
            return Acad::eInvalidInput;
        along = 0.0;
    }
    along = std::min(along, span);
    AcGePoint3d on = m_center + m_majorAxis * std::cos(m_startParam + along) + minor * std::sin(m_startParam + along);
    if (on.distanceTo(point) > kelvora::onCurveTolerance(point))
        return Acad::eInvalidInput;
    param = m_startParam + along;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getDistAtParam(double param, double& dist) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    const AcGeVector3d minor = minorAxis();
    auto speed = [&](double t) { return (m_majorAxis * -std::sin(t) + minor * std::cos(t)).length(); };
    const double to = std::clamp(param, m_startParam, m_endParam);
    const int panels = std::max(1, static_cast<int>(std::ceil((to - m_startParam) / kPanelSpan)));
    const double h = (to - m_startParam) / panels;
    double sum = 0.0;
    for (int k = 0; k < panels; ++k) {
        const double mid = m_startParam + h * (k + 0.5);
        for (int i = 0; i < 5; ++i)
            sum += kGaussWeights[i] * speed(mid + 0.5 * h * kGaussNodes[i]);
    }
    dist = 0.5 * h * sum;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getParamAtDist(double dist, double& param) const
{
    assertReadEnabled();
    double total = 0.0;
    getDistAtParam(m_endParam, total);
    const double tol = kelvora::onCurveTolerance(m_center);
    if (!std::isfinite(dist) || dist < -tol || dist > total + tol)
        return Acad::eInvalidInput;
    dist = std::clamp(dist, 0.0, total);
    double lo = m_startParam;
    double hi = m_endParam;
    while (hi - lo > kParamSearchTolerance) {
        double mid = 0.5 * (lo + hi);
        double d = 0.0;
        getDistAtParam(mid, d);
        (d < dist ? lo : hi) = mid;
    }
    param = 0.5 * (lo + hi);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    firstDeriv = m_majorAxis * -std::sin(param) + minorAxis() * std::cos(param);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getSecondDeriv(double param, AcGeVector3d& secDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    secDeriv = (m_majorAxis * std::cos(param) + minorAxis() * std::sin(param)) * -1.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                                 Adesk::Boolean) const
{
    assertReadEnabled();
    AcDbSpline* spline = nullptr;
    Acad::ErrorStatus es = getSpline(spline);
    if (es != Acad::eOk)
        return es;
    pointOnCurve = spline->nurbs().closestPointTo(givenPnt);
    delete spline;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getSpline(AcDbSpline*& spline) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    std::vector<kelvora::QuadraticPiece> pieces;
    kelvora::appendEllipticQuadratics(m_center, m_majorAxis, minorAxis(), m_startParam, m_endParam - m_startParam,
                                      pieces);
    spline = kelvora::splineFromQuadratics(pieces);
    if (spline == nullptr)
        return Acad::eDegenerateGeometry;
    spline->setPropertiesFrom(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getArea(double& area) const
{
    assertReadEnabled();
    // The affine image of a circular segment: a b / 2 (span - sin span); the whole ellipse: pi a b.
    const double a = m_majorAxis.length();
    const double b = a * m_ratio;
    const double span = m_endParam - m_startParam;
    area = 0.5 * a * b * (span - std::sin(span));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::reverseCurve()
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    // t -> -t runs the same points backwards once the minor axis is reversed (the normal turned over).
    m_normal = -m_normal;
    double t0 = -m_endParam;
    double t1 = -m_startParam;
    m_startParam = kelvora::normalizeAngle(t0);
    m_endParam = m_startParam + (t1 - t0);
    return Acad::eOk;
}
