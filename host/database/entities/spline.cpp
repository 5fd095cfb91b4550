// AcDbSpline: a NURBS curve entity over AcGeNurbCurve3d, with fit data, interpolation through fit points and DXF SPLINE filing.
#include "dbspline.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "acgi.h"
#include "entity_util.h"
#include "geline3d.h"
#include "geplane.h"
#include "kelvora/float_compare.h"
#include "kelvora/host_class.h"
#include "spline_nearest.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbSpline, AcDbCurve, L"SPLINE");

namespace {

constexpr Adesk::Int16 kClosedFlag = 1;
constexpr Adesk::Int16 kPeriodicFlag = 2;
constexpr Adesk::Int16 kRationalFlag = 4;
constexpr Adesk::Int16 kPlanarFlag = 8;
constexpr Adesk::Int16 kLinearFlag = 16;

// The degree the curve protocol evaluates up to (the geometry library's limit).
constexpr int kMaxDegree = 31;

// Sampling for extents and areas: chords within this fraction of the control polygon's size.
constexpr double kSampleDeviationRatio = 1e-6;

// Parameters within this fraction of the parameter range outside it count as its ends.
constexpr double kParamRangeTolerance = 1e-9;

// Counts read from a filer only size reservations up to this; the items themselves must follow.
constexpr Adesk::Int32 kMaxReserve = 1 << 16;

bool validNurbs(int degree, int numPoints, const AcGeDoubleArray& knots, const AcGeDoubleArray& weights,
                bool periodic)
{
    if (degree < 1 || degree > kMaxDegree || numPoints < degree + 1)
        return false;
    const bool onePeriod = periodic && knots.length() == numPoints + 1;
    if (!onePeriod && knots.length() != numPoints + degree + 1)
        return false;
    for (int i = 0; i < knots.length(); ++i) {
        if (!std::isfinite(knots[i]))
            return false;
        if (i > 0 && knots[i] < knots[i - 1])
            return false;
    }
    if (!(knots.last() > knots.first()))
        return false;
    if (!weights.isEmpty()) {
        if (weights.length() != numPoints)
            return false;
        for (double w : weights)
            if (!(w > 0.0) || !std::isfinite(w))
                return false;
    }
    return true;
}

// Basis functions N(span - p .. span, p) at u (The NURBS Book, A2.2).
void basisFunctions(const std::vector<double>& U, int span, double u, int p, std::vector<double>& N)
{
    N.assign(static_cast<size_t>(p) + 1, 0.0);
    std::vector<double> left(static_cast<size_t>(p) + 1);
    std::vector<double> right(static_cast<size_t>(p) + 1);
    N[0] = 1.0;
    for (int j = 1; j <= p; ++j) {
        left[static_cast<size_t>(j)] = u - U[static_cast<size_t>(span + 1 - j)];
        right[static_cast<size_t>(j)] = U[static_cast<size_t>(span + j)] - u;
        double saved = 0.0;
        for (int r = 0; r < j; ++r) {
            double den = right[static_cast<size_t>(r) + 1] + left[static_cast<size_t>(j - r)];
            double temp = den > 0.0 ? N[static_cast<size_t>(r)] / den : 0.0;
            N[static_cast<size_t>(r)] = saved + right[static_cast<size_t>(r) + 1] * temp;
            saved = left[static_cast<size_t>(j - r)] * temp;
        }
        N[static_cast<size_t>(j)] = saved;
    }
}

int findSpan(const std::vector<double>& U, int n, int p, double u)
{
    if (u >= U[static_cast<size_t>(n) + 1])
        return n;
    int low = p;
    int high = n + 1;
    int mid = (low + high) / 2;
    while (u < U[static_cast<size_t>(mid)] || u >= U[static_cast<size_t>(mid) + 1]) {
        if (u < U[static_cast<size_t>(mid)])
            high = mid;
        else
            low = mid;
        mid = (low + high) / 2;
    }
    return mid;
}

// Global interpolation of the points by a non-rational curve of degree p: chord-length parameters,
// averaged knots (The NURBS Book, A9.1). The collocation matrix is banded and totally positive, so
// elimination without pivoting is stable. False for fewer than two distinct points.
bool interpolate(const AcGePoint3dArray& points, int degree, AcGeNurbCurve3d& curve)
{
    std::vector<AcGePoint3d> q;
    for (const AcGePoint3d& p : points)
        if (q.empty() || !q.back().isEqualTo(p))
            q.push_back(p);
    if (q.size() < 2)
        return false;
    const int n = static_cast<int>(q.size()) - 1;
    const int p = std::clamp(degree, 1, n);
    std::vector<double> chords(static_cast<size_t>(n) + 1, 0.0);
    double total = 0.0;
    for (int k = 1; k <= n; ++k) {
        total += q[static_cast<size_t>(k)].distanceTo(q[static_cast<size_t>(k) - 1]);
        chords[static_cast<size_t>(k)] = total;
    }
    std::vector<double> params(static_cast<size_t>(n) + 1);
    for (int k = 0; k <= n; ++k)
        params[static_cast<size_t>(k)] = chords[static_cast<size_t>(k)] / total;
    std::vector<double> U(static_cast<size_t>(n + p) + 2, 0.0);
    for (int j = 1; j <= n - p; ++j) {
        double sum = 0.0;
        for (int i = j; i < j + p; ++i)
            sum += params[static_cast<size_t>(i)];
        U[static_cast<size_t>(j + p)] = sum / p;
    }
    for (int j = n + 1; j <= n + p + 1; ++j)
        U[static_cast<size_t>(j)] = 1.0;
    // Dense rows over the band: row k has its non-zeros in columns span - p .. span.
    std::vector<std::vector<double>> A(static_cast<size_t>(n) + 1, std::vector<double>(static_cast<size_t>(n) + 1));
    std::vector<double> N;
    for (int k = 0; k <= n; ++k) {
        int span = findSpan(U, n, p, params[static_cast<size_t>(k)]);
        basisFunctions(U, span, params[static_cast<size_t>(k)], p, N);
        for (int i = 0; i <= p; ++i)
            A[static_cast<size_t>(k)][static_cast<size_t>(span - p + i)] = N[static_cast<size_t>(i)];
    }
    std::vector<AcGePoint3d> b(q.begin(), q.end());
    for (int col = 0; col <= n; ++col) {
        double pivot = A[static_cast<size_t>(col)][static_cast<size_t>(col)];
        if (std::fabs(pivot) <= 0.0)
            return false;
        int lastRow = std::min(n, col + p);
        for (int row = col + 1; row <= lastRow; ++row) {
            double factor = A[static_cast<size_t>(row)][static_cast<size_t>(col)] / pivot;
            if (kelvora::exactlyEqual(factor, 0.0))
                continue;
            int lastCol = std::min(n, col + p);
            for (int c = col; c <= lastCol; ++c)
                A[static_cast<size_t>(row)][static_cast<size_t>(c)] -= factor * A[static_cast<size_t>(col)][static_cast<size_t>(c)];
            b[static_cast<size_t>(row)] = b[static_cast<size_t>(row)] - b[static_cast<size_t>(col)].asVector() * factor;
        }
    }
    std::vector<AcGePoint3d> x(static_cast<size_t>(n) + 1);
    for (int row = n; row >= 0; --row) {
        AcGeVector3d sum = b[static_cast<size_t>(row)].asVector();
        int lastCol = std::min(n, row + p);
        for (int c = row + 1; c <= lastCol; ++c)
            sum -= x[static_cast<size_t>(c)].asVector() * A[static_cast<size_t>(row)][static_cast<size_t>(c)];
        x[static_cast<size_t>(row)] = AcGePoint3d::kOrigin + sum / A[static_cast<size_t>(row)][static_cast<size_t>(row)];
    }
    AcGePoint3dArray controlPoints;
    for (const AcGePoint3d& pt : x)
        controlPoints.append(pt);
    AcGeDoubleArray knots;
    for (double u : U)
        knots.append(u);
    curve.set(p, AcGeKnotVector(knots), controlPoints, AcGeDoubleArray(), Adesk::kFalse);
    return true;
}

double controlPolygonSize(const AcGeNurbCurve3d& curve)
{
    if (curve.numControlPoints() == 0)
        return 1.0;
    AcGePoint3d lo = curve.controlPointAt(0);
    AcGePoint3d hi = lo;
    for (int i = 1; i < curve.numControlPoints(); ++i) {
        AcGePoint3d p = curve.controlPointAt(i);
        lo.set(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
        hi.set(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
    }
    double size = lo.distanceTo(hi);
    return size > 0.0 ? size : 1.0;
}

}  // namespace

AcDbSpline::AcDbSpline() = default;

AcDbSpline::AcDbSpline(const AcGeNurbCurve3d& curve) : m_curve(curve) {}

AcDbSpline::AcDbSpline(const AcGePoint3dArray& fitPoints, int order, double fitTolerance)
    : AcDbSpline(fitPoints, AcGeVector3d(), AcGeVector3d(), order, fitTolerance)
{
}

AcDbSpline::AcDbSpline(const AcGePoint3dArray& fitPoints, const AcGeVector3d& startTangent,
                       const AcGeVector3d& endTangent, int order, double fitTolerance)
{
    setFitData(fitPoints, order - 1, fitTolerance, startTangent, endTangent);
}

AcDbSpline::AcDbSpline(int degree, Adesk::Boolean rational, Adesk::Boolean closed, Adesk::Boolean periodic,
                       const AcGePoint3dArray& controlPoints, const AcGeDoubleArray& knots,
                       const AcGeDoubleArray& weights, double controlPtTol, double knotTol)
{
    setNurbsData(degree, rational, closed, periodic, controlPoints, knots, weights, controlPtTol, knotTol);
}

AcDbSpline::~AcDbSpline() = default;

const AcGeNurbCurve3d& AcDbSpline::nurbs() const
{
    assertReadEnabled();
    return m_curve;
}

Adesk::Boolean AcDbSpline::isNull() const
{
    assertReadEnabled();
    AcGePoint3d p;
    return m_curve.numControlPoints() == 0 || !m_curve.hasStartPoint(p);
}

Adesk::Boolean AcDbSpline::isRational() const
{
    assertReadEnabled();
    return m_curve.isRational();
}

int AcDbSpline::degree() const
{
    assertReadEnabled();
    return m_curve.degree();
}

Acad::ErrorStatus AcDbSpline::setDegree(int degree)
{
    // Raising the degree exactly (degree elevation) is not done by the host.
    if (degree == m_curve.degree())
        return Acad::eOk;
    return Acad::eNotImplementedYet;
}

int AcDbSpline::numControlPoints() const
{
    assertReadEnabled();
    return m_curve.numControlPoints();
}

Acad::ErrorStatus AcDbSpline::getControlPointAt(int index, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (index < 0 || index >= m_curve.numControlPoints())
        return Acad::eInvalidIndex;
    point = m_curve.controlPointAt(index);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setControlPointAt(int index, const AcGePoint3d& point)
{
    if (index < 0 || index >= m_curve.numControlPoints())
        return Acad::eInvalidIndex;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_curve.setControlPointAt(index, point);
    clearFitData();
    return Acad::eOk;
}

double AcDbSpline::weightAt(int index) const
{
    assertReadEnabled();
    return m_curve.weightAt(index);
}

Acad::ErrorStatus AcDbSpline::setWeightAt(int index, double weight)
{
    if (index < 0 || index >= m_curve.numControlPoints())
        return Acad::eInvalidIndex;
    if (!(weight > 0.0) || !std::isfinite(weight))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_curve.setWeightAt(index, weight);
    clearFitData();
    return Acad::eOk;
}

int AcDbSpline::numFitPoints() const
{
    assertReadEnabled();
    return m_fitPoints.length();
}

Acad::ErrorStatus AcDbSpline::getFitPointAt(int index, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (index < 0 || index >= m_fitPoints.length())
        return Acad::eInvalidIndex;
    point = m_fitPoints[index];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setFitPointAt(int index, const AcGePoint3d& point)
{
    if (index < 0 || index >= m_fitPoints.length())
        return Acad::eInvalidIndex;
    AcGePoint3dArray points = m_fitPoints;
    points[index] = point;
    return setFitData(points, m_curve.degree(), m_fitTol, m_startTangent, m_endTangent);
}

double AcDbSpline::fitTolerance() const
{
    assertReadEnabled();
    return m_fitTol;
}

Acad::ErrorStatus AcDbSpline::setFitTol(double tol)
{
    if (!(tol >= 0.0))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_fitTol = tol;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getFitTangents(AcGeVector3d& startTangent, AcGeVector3d& endTangent) const
{
    assertReadEnabled();
    if (m_fitPoints.isEmpty())
        return Acad::eNotApplicable;
    startTangent = m_startTangent;
    endTangent = m_endTangent;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setFitTangents(const AcGeVector3d& startTangent, const AcGeVector3d& endTangent)
{
    if (m_fitPoints.isEmpty())
        return Acad::eNotApplicable;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_startTangent = startTangent;
    m_endTangent = endTangent;
    return Acad::eOk;
}

Adesk::Boolean AcDbSpline::hasFitData() const
{
    assertReadEnabled();
    return !m_fitPoints.isEmpty();
}

Acad::ErrorStatus AcDbSpline::getFitData(AcGePoint3dArray& fitPoints, int& degree, double& fitTolerance,
                                         Adesk::Boolean& tangentsExist, AcGeVector3d& startTangent,
                                         AcGeVector3d& endTangent) const
{
    assertReadEnabled();
    if (m_fitPoints.isEmpty())
        return Acad::eNotApplicable;
    fitPoints = m_fitPoints;
    degree = m_curve.degree();
    fitTolerance = m_fitTol;
    tangentsExist = !m_startTangent.isZeroLength() || !m_endTangent.isZeroLength();
    startTangent = m_startTangent;
    endTangent = m_endTangent;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setFitData(const AcGePoint3dArray& fitPoints, int degree, double fitTolerance,
                                         const AcGeVector3d& startTangent, const AcGeVector3d& endTangent)
{
    AcGeNurbCurve3d curve;
    if (degree < 1 || !interpolate(fitPoints, degree, curve))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_curve = curve;
    m_fitPoints = fitPoints;
    m_fitTol = fitTolerance;
    m_startTangent = startTangent;
    m_endTangent = endTangent;
    m_closedFlag = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::purgeFitData()
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    clearFitData();
    return Acad::eOk;
}

void AcDbSpline::clearFitData()
{
    m_fitPoints.setLogicalLength(0);
    m_fitTol = 0.0;
    m_startTangent = AcGeVector3d();
    m_endTangent = AcGeVector3d();
}

Acad::ErrorStatus AcDbSpline::getNurbsData(int& degree, Adesk::Boolean& rational, Adesk::Boolean& closed,
                                           Adesk::Boolean& periodic, AcGePoint3dArray& controlPoints,
                                           AcGeDoubleArray& knots, AcGeDoubleArray& weights, double& controlPtTol,
                                           double& knotTol) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eNotApplicable;
    AcGeKnotVector knotVector;
    m_curve.getDefinitionData(degree, rational, periodic, knotVector, controlPoints, weights);
    knots.setLogicalLength(0);
    for (int i = 0; i < knotVector.length(); ++i)
        knots.append(knotVector[i]);
    closed = isClosed();
    controlPtTol = m_controlPtTol;
    knotTol = m_knotTol;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::setNurbsData(int degree, Adesk::Boolean rational, Adesk::Boolean closed,
                                           Adesk::Boolean periodic, const AcGePoint3dArray& controlPoints,
                                           const AcGeDoubleArray& knots, const AcGeDoubleArray& weights,
                                           double controlPtTol, double knotTol)
{
    AcGeDoubleArray usedWeights = rational ? weights : AcGeDoubleArray();
    if (rational && weights.isEmpty())
        return Acad::eInvalidInput;
    if (!validNurbs(degree, controlPoints.length(), knots, usedWeights, periodic))
        return Acad::eInvalidInput;
    for (const AcGePoint3d& p : controlPoints)
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_curve.set(degree, AcGeKnotVector(knots), controlPoints, usedWeights, periodic);
    m_closedFlag = closed;
    m_controlPtTol = controlPtTol;
    m_knotTol = knotTol;
    clearFitData();
    return Acad::eOk;
}

// ----- Entity ----------------------------------------------------------------------------------------

Adesk::Boolean AcDbSpline::isPlanar() const
{
    assertReadEnabled();
    AcGePlane plane;
    return !isNull() && m_curve.isPlanar(plane);
}

Acad::ErrorStatus AcDbSpline::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    AcGeLine3d line;
    if (m_curve.isLinear(line)) {
        plane.set(line.pointOnLine(), line.direction().perpVector());
        planarity = AcDb::kLinear;
        return Acad::eOk;
    }
    if (m_curve.isPlanar(plane)) {
        planarity = AcDb::kPlanar;
        return Acad::eOk;
    }
    planarity = AcDb::kNonPlanar;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eInvalidExtents;
    AcGePoint3dArray pts;
    AcGeDoubleArray params;
    m_curve.getSamplePoints(m_curve.startParam(), m_curve.endParam(), controlPolygonSize(m_curve) * kSampleDeviationRatio,
                            pts, params);
    if (pts.isEmpty())
        return Acad::eInvalidExtents;
    AcDbExtents box;
    for (const AcGePoint3d& p : pts)
        box.addPoint(p);
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::transformBy(const AcGeMatrix3d& xform)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_curve.transformBy(xform);
    for (AcGePoint3d& p : m_fitPoints)
        p.transformBy(xform);
    m_startTangent.transformBy(xform);
    m_endTangent.transformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                            Adesk::GsMarker, Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, nullptr, points);
}

Acad::ErrorStatus AcDbSpline::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                            const AcGePlane& projPlane, AcGePoint3dArray& points, Adesk::GsMarker,
                                            Adesk::GsMarker) const
{
    assertReadEnabled();
    return kelvora::intersectEntities(this, pEnt, intType, &projPlane, points);
}

Acad::ErrorStatus AcDbSpline::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    for (int i = 0; i < m_curve.numControlPoints(); ++i)
        gripPoints.append(m_curve.controlPointAt(i));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i < 0 || i >= m_curve.numControlPoints())
            return Acad::eInvalidIndex;
    if (indices.isEmpty())
        return Acad::eOk;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    for (int i : indices)
        m_curve.setControlPointAt(i, m_curve.controlPointAt(i) + offset);
    clearFitData();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    AcDbIntArray modes;
    AcDbIntArray ids;
    return AcDbSpline::getGripPoints(stretchPoints, modes, ids);
}

Acad::ErrorStatus AcDbSpline::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    return AcDbSpline::moveGripPointsAt(indices, offset);
}

Adesk::Boolean AcDbSpline::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort() || isNull())
        return Adesk::kTrue;
    double deviation = mode->deviation(kAcGiMaxDevForCurve, m_curve.startPoint());
    if (!(deviation > 0.0))
        deviation = controlPolygonSize(m_curve) * kSampleDeviationRatio;
    AcGePoint3dArray pts;
    AcGeDoubleArray params;
    m_curve.getSamplePoints(m_curve.startParam(), m_curve.endParam(), deviation, pts, params);
    if (pts.length() >= 2)
        mode->geometry().polyline(static_cast<Adesk::UInt32>(pts.length()), pts.asArrayPtr());
    return Adesk::kTrue;
}

void AcDbSpline::list() const
{
    assertReadEnabled();
    AcDbCurve::list();
    kelvora::listReal(this, L"Degree", m_curve.degree());
    kelvora::listText(L"Properties", isNull() ? L"Null" : (isClosed() ? L"Closed" : L"Open"));
    for (int i = 0; i < m_curve.numControlPoints(); ++i)
        kelvora::listPoint(this, L"Control Point", m_curve.controlPointAt(i));
    for (const AcGePoint3d& p : m_fitPoints)
        kelvora::listPoint(this, L"Fit Point", p);
}

// ----- Filing ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbSpline::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    int degree = 0;
    Adesk::Boolean rational = false;
    Adesk::Boolean periodic = false;
    AcGeKnotVector knots;
    AcGePoint3dArray points;
    AcGeDoubleArray weights;
    m_curve.getDefinitionData(degree, rational, periodic, knots, points, weights);
    pFiler->writeInt32(degree);
    pFiler->writeBoolean(rational);
    pFiler->writeBoolean(periodic);
    pFiler->writeBoolean(m_closedFlag);
    pFiler->writeDouble(m_controlPtTol);
    pFiler->writeDouble(m_knotTol);
    pFiler->writeInt32(knots.length());
    for (int i = 0; i < knots.length(); ++i)
        pFiler->writeDouble(knots[i]);
    pFiler->writeInt32(points.length());
    for (const AcGePoint3d& p : points)
        pFiler->writePoint3d(p);
    pFiler->writeInt32(weights.length());
    for (double w : weights)
        pFiler->writeDouble(w);
    pFiler->writeInt32(m_fitPoints.length());
    for (const AcGePoint3d& p : m_fitPoints)
        pFiler->writePoint3d(p);
    pFiler->writeDouble(m_fitTol);
    pFiler->writeVector3d(m_startTangent);
    pFiler->writeVector3d(m_endTangent);
    pFiler->writeVector3d(m_normal);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbSpline::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    Adesk::Int32 degree = 0;
    Adesk::Boolean rational = false;
    Adesk::Boolean periodic = false;
    Adesk::Boolean closed = false;
    double controlTol = 0.0;
    double knotTol = 0.0;
    if ((es = pFiler->readInt32(&degree)) != Acad::eOk || (es = pFiler->readBoolean(&rational)) != Acad::eOk ||
        (es = pFiler->readBoolean(&periodic)) != Acad::eOk || (es = pFiler->readBoolean(&closed)) != Acad::eOk ||
        (es = pFiler->readDouble(&controlTol)) != Acad::eOk || (es = pFiler->readDouble(&knotTol)) != Acad::eOk)
        return es;
    auto readDoubles = [&](AcGeDoubleArray& out) {
        Adesk::Int32 count = 0;
        Acad::ErrorStatus s = pFiler->readInt32(&count);
        if (s != Acad::eOk)
            return s;
        if (count < 0)
            return Acad::eFilerError;
        out.setPhysicalLength(std::min(count, kMaxReserve));
        for (Adesk::Int32 i = 0; i < count; ++i) {
            double v = 0.0;
            if ((s = pFiler->readDouble(&v)) != Acad::eOk)
                return s;
            out.append(v);
        }
        return Acad::eOk;
    };
    auto readPoints = [&](AcGePoint3dArray& out) {
        Adesk::Int32 count = 0;
        Acad::ErrorStatus s = pFiler->readInt32(&count);
        if (s != Acad::eOk)
            return s;
        if (count < 0)
            return Acad::eFilerError;
        out.setPhysicalLength(std::min(count, kMaxReserve));
        for (Adesk::Int32 i = 0; i < count; ++i) {
            AcGePoint3d p;
            if ((s = pFiler->readPoint3d(&p)) != Acad::eOk)
                return s;
            out.append(p);
        }
        return Acad::eOk;
    };
    AcGeDoubleArray knots;
    AcGePoint3dArray points;
    AcGeDoubleArray weights;
    AcGePoint3dArray fitPoints;
    double fitTol = 0.0;
    AcGeVector3d startTangent;
    AcGeVector3d endTangent;
    AcGeVector3d normal;
    if ((es = readDoubles(knots)) != Acad::eOk || (es = readPoints(points)) != Acad::eOk ||
        (es = readDoubles(weights)) != Acad::eOk || (es = readPoints(fitPoints)) != Acad::eOk ||
        (es = pFiler->readDouble(&fitTol)) != Acad::eOk || (es = pFiler->readVector3d(&startTangent)) != Acad::eOk ||
        (es = pFiler->readVector3d(&endTangent)) != Acad::eOk || (es = pFiler->readVector3d(&normal)) != Acad::eOk)
        return es;
    if (points.isEmpty())
        m_curve = AcGeNurbCurve3d();
    else
        m_curve.set(degree, AcGeKnotVector(knots), points, rational ? weights : AcGeDoubleArray(), periodic);
    m_closedFlag = closed;
    m_controlPtTol = controlTol;
    m_knotTol = knotTol;
    m_fitPoints = fitPoints;
    m_fitTol = fitTol;
    m_startTangent = startTangent;
    m_endTangent = endTangent;
    m_normal = normal;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbCurve::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    int degree = 0;
    Adesk::Boolean rational = false;
    Adesk::Boolean periodic = false;
    AcGeKnotVector knots;
    AcGePoint3dArray points;
    AcGeDoubleArray weights;
    m_curve.getDefinitionData(degree, rational, periodic, knots, points, weights);
    AcGePlane plane;
    AcGeLine3d line;
    const bool valid = !isNull();
    const bool linear = valid && m_curve.isLinear(line);
    const bool planar = valid && m_curve.isPlanar(plane);
    Adesk::Int16 flags = static_cast<Adesk::Int16>((isClosed() ? kClosedFlag : 0) | (periodic ? kPeriodicFlag : 0) |
                                                   (rational ? kRationalFlag : 0) | (planar ? kPlanarFlag : 0) |
                                                   (linear ? kLinearFlag : 0));
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbSpline");
    if (planar && !linear)
        pFiler->writeVector3d(AcDb::kDxfNormalX, plane.normal());
    pFiler->writeInt16(AcDb::kDxfInt16, flags);
    pFiler->writeInt16(AcDb::kDxfViewMode, static_cast<Adesk::Int16>(degree));                  // 71
    pFiler->writeInt16(AcDb::kDxfCircleSides, static_cast<Adesk::Int16>(knots.length()));       // 72
    pFiler->writeInt16(AcDb::kDxfViewportZoom, static_cast<Adesk::Int16>(points.length()));     // 73
    pFiler->writeInt16(AcDb::kDxfViewportIcon, static_cast<Adesk::Int16>(m_fitPoints.length()));  // 74
    pFiler->writeDouble(AcDb::kDxfTxtStylePSize, m_knotTol);      // 42
    pFiler->writeDouble(AcDb::kDxfViewFrontClip, m_controlPtTol);  // 43
    if (!m_fitPoints.isEmpty())
        pFiler->writeDouble(AcDb::kDxfViewBackClip, m_fitTol);  // 44
    if (!m_fitPoints.isEmpty() && !m_startTangent.isZeroLength())
        pFiler->writeVector3d(static_cast<AcDb::DxfCode>(12), m_startTangent);
    if (!m_fitPoints.isEmpty() && !m_endTangent.isZeroLength())
        pFiler->writeVector3d(static_cast<AcDb::DxfCode>(13), m_endTangent);
    for (int i = 0; i < knots.length(); ++i)
        pFiler->writeDouble(AcDb::kDxfReal, knots[i]);
    if (rational)
        for (double w : weights)
            pFiler->writeDouble(AcDb::kDxfTxtStyleXScale, w);  // 41
    for (const AcGePoint3d& p : points)
        pFiler->writePoint3d(AcDb::kDxfXCoord, p);
    for (const AcGePoint3d& p : m_fitPoints)
        pFiler->writePoint3d(static_cast<AcDb::DxfCode>(11), p);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbSpline::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbCurve::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbSpline");
    long long flags = 0;
    int degree = 3;
    long long knotCount = -1;
    long long pointCount = -1;
    long long fitCount = -1;
    double knotTol = 0.0;
    double controlTol = 0.0;
    double fitTol = 0.0;
    AcGeVector3d normal;
    AcGeVector3d startTangent;
    AcGeVector3d endTangent;
    AcGeDoubleArray knots;
    AcGeDoubleArray weights;
    AcGePoint3dArray points;
    AcGePoint3dArray fitPoints;
    es = kelvora::readDxfGroups(pFiler, [&](kelvora::DxfGroup& g) {
        switch (g.code()) {
        case 210: normal = g.vector(); break;
        case 70: flags = g.integer(); break;
        case 71: degree = static_cast<int>(g.integer()); break;
        case 72: knotCount = g.integer(); break;
        case 73: pointCount = g.integer(); break;
        case 74: fitCount = g.integer(); break;
        case 42: knotTol = g.real(); break;
        case 43: controlTol = g.real(); break;
        case 44: fitTol = g.real(); break;
        case 12: startTangent = g.vector(); break;
        case 13: endTangent = g.vector(); break;
        case 40: knots.append(g.real()); break;
        case 41: weights.append(g.real()); break;
        case 10: points.append(g.point()); break;
        case 11: fitPoints.append(g.point()); break;
        default: return kelvora::GroupUse::kNotMine;
        }
        return kelvora::GroupUse::kTaken;
    });
    if (es != Acad::eOk)
        return es;
    auto mismatch = [&](const ACHAR* what, long long announced, int found) {
        pFiler->setError(Acad::eBadDxfSequence, L"the spline announces %lld %s but has %d", announced, what, found);
        return Acad::eBadDxfSequence;
    };
    if (knotCount >= 0 && knotCount != knots.length())
        return mismatch(L"knots", knotCount, knots.length());
    if (pointCount >= 0 && pointCount != points.length())
        return mismatch(L"control points", pointCount, points.length());
    if (fitCount >= 0 && fitCount != fitPoints.length())
        return mismatch(L"fit points", fitCount, fitPoints.length());
    const bool rational = (flags & kRationalFlag) != 0;
    const bool periodic = (flags & kPeriodicFlag) != 0;
    if (!points.isEmpty()) {
        if (rational && weights.isEmpty())
            for (int i = 0; i < points.length(); ++i)
                weights.append(1.0);
        if (!validNurbs(degree, points.length(), knots, rational ? weights : AcGeDoubleArray(), periodic)) {
            pFiler->setError(Acad::eInvalidResBuf, L"the spline's degree, knots, control points and weights do not make a curve");
            return Acad::eInvalidResBuf;
        }
        m_curve.set(degree, AcGeKnotVector(knots), points, rational ? weights : AcGeDoubleArray(), periodic);
    } else if (!fitPoints.isEmpty()) {
        AcGeNurbCurve3d curve;
        if (!interpolate(fitPoints, degree, curve)) {
            pFiler->setError(Acad::eInvalidResBuf, L"the spline has neither control points nor two distinct fit points");
            return Acad::eInvalidResBuf;
        }
        m_curve = curve;
    } else {
        m_curve = AcGeNurbCurve3d();
    }
    m_closedFlag = (flags & kClosedFlag) != 0;
    m_knotTol = knotTol;
    m_controlPtTol = controlTol;
    m_fitTol = fitTol;
    m_fitPoints = fitPoints;
    m_startTangent = startTangent;
    m_endTangent = endTangent;
    m_normal = normal;
    return Acad::eOk;
}

// ----- Curve -----------------------------------------------------------------------------------------

Adesk::Boolean AcDbSpline::isClosed() const
{
    assertReadEnabled();
    return !isNull() && (m_closedFlag || m_curve.isClosed());
}

Adesk::Boolean AcDbSpline::isPeriodic() const
{
    assertReadEnabled();
    double period = 0.0;
    return !isNull() && m_curve.isPeriodic(period);
}

Acad::ErrorStatus AcDbSpline::getStartParam(double& param) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    param = m_curve.startParam();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getEndParam(double& param) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    param = m_curve.endParam();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getStartPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    point = m_curve.startPoint();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getEndPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    point = m_curve.endPoint();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getPointAtParam(double param, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    const double range = m_curve.endParam() - m_curve.startParam();
    const double tol = range * kParamRangeTolerance;
    if (!std::isfinite(param) || param < m_curve.startParam() - tol || param > m_curve.endParam() + tol)
        return Acad::eInvalidInput;
    point = m_curve.evalPoint(std::clamp(param, m_curve.startParam(), m_curve.endParam()));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    const double t = kelvora::nearestSplineParam(m_curve, point);
    if (m_curve.evalPoint(t).distanceTo(point) > kelvora::onCurveTolerance(point))
        return Acad::eInvalidInput;
    param = t;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getDistAtParam(double param, double& dist) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    dist = m_curve.length(m_curve.startParam(), std::clamp(param, m_curve.startParam(), m_curve.endParam()));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getParamAtDist(double dist, double& param) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    const double total = m_curve.length(m_curve.startParam(), m_curve.endParam());
    const double tol = kelvora::onCurveTolerance(m_curve.startPoint());
    if (!std::isfinite(dist) || dist < -tol || dist > total + tol)
        return Acad::eInvalidInput;
    param = m_curve.paramAtLength(m_curve.startParam(), std::clamp(dist, 0.0, total));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    AcGeVector3dArray derivs;
    m_curve.evalPoint(std::clamp(param, m_curve.startParam(), m_curve.endParam()), 1, derivs);
    if (derivs.isEmpty())
        return Acad::eDegenerateGeometry;
    firstDeriv = derivs[0];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getSecondDeriv(double param, AcGeVector3d& secDeriv) const
{
    AcGePoint3d p;
    Acad::ErrorStatus es = getPointAtParam(param, p);
    if (es != Acad::eOk)
        return es;
    AcGeVector3dArray derivs;
    m_curve.evalPoint(std::clamp(param, m_curve.startParam(), m_curve.endParam()), 2, derivs);
    if (derivs.length() < 2)
        return Acad::eDegenerateGeometry;
    secDeriv = derivs[1];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                                Adesk::Boolean) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    // The curve's own search looks near its best probe only; a wave can hold a nearer arch elsewhere.
    pointOnCurve = m_curve.evalPoint(kelvora::nearestSplineParam(m_curve, givenPnt));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getSpline(AcDbSpline*& spline) const
{
    assertReadEnabled();
    auto* copy = AcDbSpline::cast(clone());
    if (copy == nullptr)
        return Acad::eNotApplicable;
    spline = copy;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getArea(double& area) const
{
    assertReadEnabled();
    if (isNull())
        return Acad::eDegenerateGeometry;
    AcGePlane plane;
    if (!m_curve.isPlanar(plane)) {
        area = 0.0;
        return Acad::eOk;
    }
    // The area of the sampled outline (closed by its chord) in the curve's plane.
    AcGePoint3dArray pts;
    AcGeDoubleArray params;
    m_curve.getSamplePoints(m_curve.startParam(), m_curve.endParam(), controlPolygonSize(m_curve) * kSampleDeviationRatio,
                            pts, params);
    double twice = 0.0;
    for (int i = 0; i < pts.length(); ++i) {
        AcGePoint2d a = pts[i].convert2d(plane);
        AcGePoint2d b = pts[(i + 1) % pts.length()].convert2d(plane);
        twice += a.x * b.y - b.x * a.y;
    }
    area = std::fabs(0.5 * twice);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::reverseCurve()
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_curve.reverseParam();
    m_fitPoints.reverse();
    std::swap(m_startTangent, m_endTangent);
    m_startTangent = -m_startTangent;
    m_endTangent = -m_endTangent;
    return Acad::eOk;
}
