// AcGeNurbCurve3d: B-spline evaluation with weights, periodic wrapping, sampling, length and planarity.
#include "genurb3d.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "curve_algorithms.h"
#include "geplane.h"
#include "plane_fit.h"

namespace {

// Highest degree evaluated: the basis tables live on the stack. CAD splines
// stay far below it (the usual programs stop at 25).
constexpr int kMaxDegree = 31;

// Basis functions of degree p at u in knot span `span`, and their derivatives
// up to order nd (at most 2): ders[k][j] is the k-th derivative of the basis
// function span - p + j. The knot differences divided by are those of a
// non-empty span, so none is zero.
void basisDerivatives(const double* U, int span, double u, int p, int nd, double ders[3][kMaxDegree + 1])
{
    double ndu[kMaxDegree + 1][kMaxDegree + 1];
    double left[kMaxDegree + 1], right[kMaxDegree + 1];
    ndu[0][0] = 1.0;
    for (int j = 1; j <= p; ++j) {
        left[j] = u - U[span + 1 - j];
        right[j] = U[span + j] - u;
        double saved = 0.0;
        for (int r = 0; r < j; ++r) {
            ndu[j][r] = right[r + 1] + left[j - r];  // knot differences, below the diagonal
            double temp = ndu[r][j - 1] / ndu[j][r];
            ndu[r][j] = saved + right[r + 1] * temp;  // basis values, on and above it
            saved = left[j - r] * temp;
        }
        ndu[j][j] = saved;
    }
    for (int j = 0; j <= p; ++j)
        ders[0][j] = ndu[j][p];
    if (nd <= 0)
        return;
    double a[2][kMaxDegree + 1];
    for (int r = 0; r <= p; ++r) {
        int s1 = 0, s2 = 1;
        a[0][0] = 1.0;
        for (int k = 1; k <= nd; ++k) {
            double d = 0.0;
            int rk = r - k, pk = p - k;
            if (r >= k) {
                a[s2][0] = a[s1][0] / ndu[pk + 1][rk];
                d = a[s2][0] * ndu[rk][pk];
            }
            int j1 = rk >= -1 ? 1 : -rk;
            int j2 = (r - 1 <= pk) ? k - 1 : p - r;
            for (int j = j1; j <= j2; ++j) {
                a[s2][j] = (a[s1][j] - a[s1][j - 1]) / ndu[pk + 1][rk + j];
                d += a[s2][j] * ndu[rk + j][pk];
            }
            if (r <= pk) {
                a[s2][k] = -a[s1][k - 1] / ndu[pk + 1][r];
                d += a[s2][k] * ndu[r][pk];
            }
            ders[k][r] = d;
            std::swap(s1, s2);
        }
    }
    double factor = p;
    for (int k = 1; k <= nd; ++k) {
        for (int j = 0; j <= p; ++j)
            ders[k][j] *= factor;
        factor *= (p - k);
    }
}

}  // namespace

AcGeNurbCurve3d::AcGeNurbCurve3d() = default;

AcGeNurbCurve3d::AcGeNurbCurve3d(int degree, const AcGeKnotVector& knots, const AcGePoint3dArray& cntrlPnts,
                                 Adesk::Boolean isPeriodic)
{
    set(degree, knots, cntrlPnts, AcGeDoubleArray(), isPeriodic);
}

AcGeNurbCurve3d::AcGeNurbCurve3d(int degree, const AcGeKnotVector& knots, const AcGePoint3dArray& cntrlPnts,
                                 const AcGeDoubleArray& weights, Adesk::Boolean isPeriodic)
{
    set(degree, knots, cntrlPnts, weights, isPeriodic);
}

AcGeNurbCurve3d::AcGeNurbCurve3d(const AcGeLineSeg3d& linSeg)
{
    const double knots[4] = {0.0, 0.0, 1.0, 1.0};
    AcGePoint3dArray points;
    points.append(linSeg.startPoint());
    points.append(linSeg.endPoint());
    set(1, AcGeKnotVector(4, knots), points, AcGeDoubleArray(), false);
}

AcGeNurbCurve3d& AcGeNurbCurve3d::set(int degree, const AcGeKnotVector& knots, const AcGePoint3dArray& cntrlPnts,
                                      const AcGeDoubleArray& weights, Adesk::Boolean isPeriodic)
{
    m_degree = degree;
    m_periodic = isPeriodic;
    m_rational = !weights.isEmpty();
    m_knots = knots;
    m_points = cntrlPnts;
    m_weights = weights;
    const int n = cntrlPnts.length(), p = degree;
    // One period of knots (n + 1 of them): wrap to the stored form, the first
    // p points repeated at the end and the knots continued by the period.
    if (isPeriodic && p >= 1 && n >= 2 && knots.length() == n + 1 && (weights.isEmpty() || weights.length() == n)) {
        double period = knots[n] - knots[0];
        AcGeDoubleArray wrapped;
        for (int i = -p; i <= n + p; ++i) {
            int cycle = (i >= 0) ? i / n : -((-i + n - 1) / n);
            int k = i - cycle * n;
            wrapped.append(knots[k] + cycle * period);
        }
        m_knots = AcGeKnotVector(wrapped, knots.tolerance());
        for (int i = 0; i < p; ++i) {
            m_points.append(cntrlPnts[i % n]);
            if (m_rational)
                m_weights.append(weights[i % n]);
        }
    }
    refreshValidity();
    return *this;
}

void AcGeNurbCurve3d::refreshValidity()
{
    m_valid = false;
    const int n = m_points.length(), p = m_degree;
    if (p < 1 || p > kMaxDegree || n < p + 1 || m_knots.length() != n + p + 1)
        return;
    if (m_rational && m_weights.length() != n)
        return;
    for (int i = 0; i < n; ++i)
        if (m_rational && !(m_weights[i] > 0.0 && std::isfinite(m_weights[i])))
            return;
    if (!std::isfinite(m_knots[0]))
        return;
    for (int i = 0; i + 1 < m_knots.length(); ++i)
        if (!(m_knots[i + 1] >= m_knots[i]) || !std::isfinite(m_knots[i + 1]))
            return;
    m_valid = m_knots[n] > m_knots[p];
}

double AcGeNurbCurve3d::wrapParam(double param) const
{
    const int n = m_points.length(), p = m_degree;
    double lo = m_knots[p], hi = m_knots[n];
    if (!std::isfinite(param))
        return lo;
    if (m_periodic && (param < lo || param > hi)) {
        double period = hi - lo;
        param = lo + std::fmod(param - lo, period);
        if (param < lo)
            param += period;
    }
    return std::clamp(param, lo, hi);
}

// The last span [knot i, knot i+1) of positive length with knot i <= param,
// among the spans p..n-1.
int AcGeNurbCurve3d::spanOf(double param) const
{
    const int n = m_points.length(), p = m_degree;
    const double* U = m_knots.asArrayPtr();
    int lo = p, hi = n;  // U[lo] <= param, answer in [p, n - 1]
    if (param >= U[n]) {
        int i = n - 1;
        while (i > p && !(U[i + 1] > U[i]))
            --i;
        return i;
    }
    while (hi - lo > 1) {
        int mid = (lo + hi) / 2;
        if (param < U[mid])
            hi = mid;
        else
            lo = mid;
    }
    return lo;
}

void AcGeNurbCurve3d::evaluate(double param, int order, AcGeVector3d derivs[3]) const
{
    for (int k = 0; k < 3; ++k)
        derivs[k] = AcGeVector3d();
    if (!isValid())
        return;
    const int p = m_degree;
    double u = wrapParam(param);
    int span = spanOf(u);
    double N[3][kMaxDegree + 1];
    order = std::clamp(order, 0, 2);
    basisDerivatives(m_knots.asArrayPtr(), span, u, p, order, N);
    // Homogeneous sums: A = sum N w P, W = sum N w, for each derivative order.
    AcGeVector3d A[3];
    double W[3] = {0.0, 0.0, 0.0};
    for (int j = 0; j <= p; ++j) {
        int i = span - p + j;
        double w = m_rational ? m_weights[i] : 1.0;
        AcGeVector3d pw = m_points[i].asVector() * w;
        for (int k = 0; k <= order; ++k) {
            A[k] += pw * N[k][j];
            W[k] += w * N[k][j];
        }
    }
    // C = A / W, C' = (A' - W' C) / W, C'' = (A'' - 2 W' C' - W'' C) / W.
    derivs[0] = A[0] / W[0];
    if (order >= 1)
        derivs[1] = (A[1] - derivs[0] * W[1]) / W[0];
    if (order >= 2)
        derivs[2] = (A[2] - derivs[1] * (2.0 * W[1]) - derivs[0] * W[2]) / W[0];
}

AcGePoint3d AcGeNurbCurve3d::pointAtParam(double param) const
{
    AcGeVector3d d[3];
    evaluate(param, 0, d);
    return AcGePoint3d(d[0].x, d[0].y, d[0].z);
}

AcGeVector3d AcGeNurbCurve3d::derivativeAtParam(double param, int order) const
{
    AcGeVector3d d[3];
    evaluate(param, order, d);
    return d[std::clamp(order, 1, 2)];
}

double AcGeNurbCurve3d::closestParamTo(const AcGePoint3d& pnt, const AcGeTol&) const
{
    if (!isValid())
        return 0.0;
    const int n = m_points.length(), p = m_degree;
    // Enough probes that the nearest one lies on the right arch of the curve.
    const int kProbesPerSpan = 8;
    auto eval = [this](double t) { return pointAtParam(t); };
    auto d1 = [this](double t) { return derivativeAtParam(t, 1); };
    auto d2 = [this](double t) { return derivativeAtParam(t, 2); };
    return kelvora::ge::nearestParam(pnt, eval, d1, d2, m_knots[p], m_knots[n], kProbesPerSpan * (n - p));
}

void AcGeNurbCurve3d::parameterRange(AcGeInterval& intrvl) const
{
    if (!isValid()) {
        intrvl.set(0.0, 0.0);
        return;
    }
    intrvl.set(m_knots[m_degree], m_knots[m_points.length()]);
}

void AcGeNurbCurve3d::reverseParameter()
{
    m_points.reverse();
    m_weights.reverse();
    m_knots.reverse();
}

bool AcGeNurbCurve3d::closedCurve(const AcGeTol& tol) const
{
    return isValid() && startPoint().isEqualTo(endPoint(), tol);
}

bool AcGeNurbCurve3d::periodicCurve(double& period) const
{
    if (!m_periodic || !isValid())
        return false;
    period = m_knots[m_points.length()] - m_knots[m_degree];
    return true;
}

// The curve lies in the convex hull of its control points, so it is planar
// when they are; the plane is theirs.
bool AcGeNurbCurve3d::planarCurve(AcGePlane& plane, const AcGeTol& tol) const
{
    if (!isValid())
        return false;
    AcGePoint3d origin;
    AcGeVector3d normal;
    if (!kelvora::ge::planeThroughPoints(m_points, tol, origin, normal))
        return false;
    plane.set(origin, normal);
    return true;
}

// Adaptive halving inside each knot span: the curve is smooth between knots,
// so the spans are the natural first pieces.
void AcGeNurbCurve3d::samplePoints(double fromParam, double toParam, double approxEps, AcGePoint3dArray& pointArray,
                                   AcGeDoubleArray& paramArray) const
{
    if (!isValid())
        return;
    const int n = m_points.length(), p = m_degree;
    if (!m_periodic) {
        fromParam = std::max(fromParam, m_knots[p]);
        toParam = std::min(toParam, m_knots[n]);
        if (toParam < fromParam)
            return;
    }
    std::vector<double> breaks{fromParam};
    double period = m_knots[n] - m_knots[p];
    // Knots (repeated by the period for a periodic curve) strictly inside the range.
    double shift = m_periodic ? std::floor((fromParam - m_knots[p]) / period) * period : 0.0;
    // A range of many periods repeats the same knots; past a thousand turns
    // the spans alone would exceed what one sampling makes.
    const int kMaxPeriods = 1000;
    for (int turn = 0; turn < kMaxPeriods && shift <= toParam - m_knots[p]; ++turn, shift += period) {
        for (int i = p + 1; i <= n; ++i) {
            double k = m_knots[i] + shift;
            if (k > breaks.back() && k < toParam)
                breaks.push_back(k);
        }
        if (!m_periodic)
            break;
    }
    breaks.push_back(toParam);
    auto eval = [this](double t) { return pointAtParam(t); };
    kelvora::ge::adaptiveSample<AcGePoint3d>(eval, breaks, approxEps, pointArray, paramArray);
}

AcGe::EntityId AcGeNurbCurve3d::type() const { return AcGe::kNurbCurve3d; }

AcGeEntity3d* AcGeNurbCurve3d::copy() const { return new AcGeNurbCurve3d(*this); }

Adesk::Boolean AcGeNurbCurve3d::isEqualTo(const AcGeEntity3d& entity, const AcGeTol& tol) const
{
    if (entity.type() != AcGe::kNurbCurve3d)
        return false;
    const auto& o = static_cast<const AcGeNurbCurve3d&>(entity);
    if (o.m_degree != m_degree || o.m_periodic != m_periodic || o.m_rational != m_rational ||
        o.m_points.length() != m_points.length() || !m_knots.isEqualTo(o.m_knots))
        return false;
    for (int i = 0; i < m_points.length(); ++i) {
        if (!m_points[i].isEqualTo(o.m_points[i], tol))
            return false;
        if (m_rational && std::fabs(m_weights[i] - o.m_weights[i]) > tol.equalVector())
            return false;
    }
    return true;
}

AcGeEntity3d& AcGeNurbCurve3d::transformBy(const AcGeMatrix3d& xfm)
{
    for (int i = 0; i < m_points.length(); ++i)
        m_points[i].transformBy(xfm);
    return *this;
}

Adesk::Boolean AcGeNurbCurve3d::isRational() const { return m_rational; }
int AcGeNurbCurve3d::degree() const { return m_degree; }
int AcGeNurbCurve3d::numKnots() const { return m_knots.length(); }
const AcGeKnotVector& AcGeNurbCurve3d::knots() const { return m_knots; }
int AcGeNurbCurve3d::numControlPoints() const { return m_points.length(); }

double AcGeNurbCurve3d::knotAt(int index) const
{
    return (index >= 0 && index < m_knots.length()) ? m_knots[index] : 0.0;
}

AcGeNurbCurve3d& AcGeNurbCurve3d::setKnotAt(int index, double val)
{
    if (index >= 0 && index < m_knots.length())
        m_knots[index] = val;
    refreshValidity();
    return *this;
}

AcGePoint3d AcGeNurbCurve3d::controlPointAt(int index) const
{
    return (index >= 0 && index < m_points.length()) ? m_points[index] : AcGePoint3d();
}

AcGeNurbCurve3d& AcGeNurbCurve3d::setControlPointAt(int index, const AcGePoint3d& pnt)
{
    if (index >= 0 && index < m_points.length())
        m_points[index] = pnt;
    return *this;
}

double AcGeNurbCurve3d::weightAt(int index) const
{
    if (!m_rational || index < 0 || index >= m_weights.length())
        return 1.0;
    return m_weights[index];
}

AcGeNurbCurve3d& AcGeNurbCurve3d::setWeightAt(int index, double weight)
{
    if (index < 0 || index >= m_points.length())
        return *this;
    makeRational(1.0);
    m_weights[index] = weight;
    refreshValidity();
    return *this;
}

void AcGeNurbCurve3d::getDefinitionData(int& degree, Adesk::Boolean& rational, Adesk::Boolean& periodic,
                                        AcGeKnotVector& knots, AcGePoint3dArray& controlPoints,
                                        AcGeDoubleArray& weights) const
{
    degree = m_degree;
    rational = m_rational;
    periodic = m_periodic;
    knots = m_knots;
    controlPoints = m_points;
    weights = m_weights;
}

int AcGeNurbCurve3d::numWeights() const { return m_rational ? m_weights.length() : 0; }

AcGeNurbCurve3d& AcGeNurbCurve3d::makeRational(double weight)
{
    if (m_rational)
        return *this;
    m_rational = true;
    m_weights.setLogicalLength(0);
    for (int i = 0; i < m_points.length(); ++i)
        m_weights.append(weight);
    refreshValidity();
    return *this;
}
