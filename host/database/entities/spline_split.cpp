// AcDbSpline::getSplitCurves: exact pieces of a NURBS curve, cut by knot insertion.
#include <algorithm>
#include <cmath>
#include <vector>

#include "curve_pieces.h"
#include "dbspline.h"
#include "entity_util.h"

namespace {

// A control point in homogeneous form (w * P, w): knot insertion is linear there, rational or not.
struct Homogeneous {
    double x = 0, y = 0, z = 0, w = 1;
};

Homogeneous blend(const Homogeneous& a, const Homogeneous& b, double alpha)
{
    return {alpha * a.x + (1 - alpha) * b.x, alpha * a.y + (1 - alpha) * b.y, alpha * a.z + (1 - alpha) * b.z,
            alpha * a.w + (1 - alpha) * b.w};
}

struct Nurbs {
    int degree = 0;
    std::vector<double> knots;
    std::vector<Homogeneous> points;
};

bool nearlyEqual(double a, double b, double tol)
{
    return std::abs(a - b) <= tol;
}

int multiplicity(const Nurbs& c, double u, double tol)
{
    return static_cast<int>(
        std::count_if(c.knots.begin(), c.knots.end(), [&](double k) { return nearlyEqual(k, u, tol); }));
}

// Inserts u until it has multiplicity degree (Boehm's algorithm, one knot at a time): the curve does not
// change, and its point at u becomes a control point. A knot within tol of u is taken for u.
void insertToDegree(Nurbs& c, double u, double tol)
{
    for (double k : c.knots)
        if (nearlyEqual(k, u, tol))
            u = k;
    const int p = c.degree;
    for (int s = multiplicity(c, u, tol); s < p; ++s) {
        const int n = static_cast<int>(c.points.size());
        // The span of u: the last knot not above it.
        const int k = static_cast<int>(std::upper_bound(c.knots.begin(), c.knots.end(), u) - c.knots.begin()) - 1;
        std::vector<Homogeneous> q(static_cast<size_t>(n + 1));
        for (int i = 0; i <= k - p; ++i)
            q[static_cast<size_t>(i)] = c.points[static_cast<size_t>(i)];
        for (int i = k - s; i < n; ++i)
            q[static_cast<size_t>(i + 1)] = c.points[static_cast<size_t>(i)];
        for (int i = k - p + 1; i <= k - s; ++i) {
            const double span = c.knots[static_cast<size_t>(i + p)] - c.knots[static_cast<size_t>(i)];
            const double alpha = (u - c.knots[static_cast<size_t>(i)]) / span;
            q[static_cast<size_t>(i)] = blend(c.points[static_cast<size_t>(i)], c.points[static_cast<size_t>(i - 1)], alpha);
        }
        c.points.swap(q);
        c.knots.insert(c.knots.begin() + k + 1, u);
    }
}

// The part of c from a to b, both inserted to multiplicity degree first, clamped at both ends.
Nurbs extract(const Nurbs& c, double a, double b, double tol)
{
    const int p = c.degree;
    const int count = static_cast<int>(c.knots.size());
    int lastA = 0;
    for (int i = 0; i < count; ++i)
        if (nearlyEqual(c.knots[static_cast<size_t>(i)], a, tol))
            lastA = i;
    int firstB = count - 1;
    for (int i = count - 1; i >= 0; --i)
        if (nearlyEqual(c.knots[static_cast<size_t>(i)], b, tol))
            firstB = i;
    Nurbs piece;
    piece.degree = p;
    piece.points.assign(c.points.begin() + (lastA - p), c.points.begin() + firstB);
    piece.knots.assign(c.knots.begin() + (lastA - p), c.knots.begin() + (firstB + p + 1));
    // The outer knots do not act on [a, b]; clamping them keeps the piece's data conventional.
    piece.knots.front() = a;
    piece.knots.back() = b;
    return piece;
}

// Continues first with second, whose start is first's end point: C0 there, knots of second shifted on.
Nurbs join(const Nurbs& first, const Nurbs& second)
{
    const int p = first.degree;
    Nurbs joined = first;
    // Scaling every weight of a curve leaves it unchanged: second's shared point takes first's weight.
    const double scale = first.points.back().w / second.points.front().w;
    const double shift = first.knots.back() - second.knots.front();
    joined.knots.pop_back();
    for (size_t i = static_cast<size_t>(p + 1); i < second.knots.size(); ++i)
        joined.knots.push_back(second.knots[i] + shift);
    for (size_t i = 1; i < second.points.size(); ++i) {
        Homogeneous h = second.points[i];
        h.x *= scale;
        h.y *= scale;
        h.z *= scale;
        h.w *= scale;
        joined.points.push_back(h);
    }
    return joined;
}

}  // namespace

Acad::ErrorStatus AcDbSpline::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const
{
    assertReadEnabled();
    int degree = 0;
    Adesk::Boolean rational = false, closed = false, periodic = false;
    AcGePoint3dArray controlPoints;
    AcGeDoubleArray knots, weights;
    double controlPtTol = 0.0, knotTol = 0.0;
    Acad::ErrorStatus es =
        getNurbsData(degree, rational, closed, periodic, controlPoints, knots, weights, controlPtTol, knotTol);
    if (es != Acad::eOk)
        return Acad::eDegenerateGeometry;
    Nurbs curve;
    curve.degree = degree;
    curve.knots.assign(knots.begin(), knots.end());
    for (int i = 0; i < controlPoints.length(); ++i) {
        const double w = rational && i < weights.length() ? weights[i] : 1.0;
        const AcGePoint3d& pt = controlPoints[i];
        curve.points.push_back({w * pt.x, w * pt.y, w * pt.z, w});
    }
    const double start = curve.knots[static_cast<size_t>(degree)];
    const double end = curve.knots[curve.points.size()];
    if (!(end > start))
        return Acad::eDegenerateGeometry;
    // Knots closer than this are one: far below any parameter step a caller can tell apart, far above
    // the rounding of knot values.
    const double knotSnap = 1e-10 * (end - start);
    std::vector<double> cuts;
    if (!kelvora::normalizeSplitParams(params, start, end, closed, knotSnap, cuts))
        return Acad::eInvalidInput;
    if (closed && cuts.empty())
        return Acad::eInvalidInput;  // no cut: nowhere for the closed curve to open

    insertToDegree(curve, start, knotSnap);
    insertToDegree(curve, end, knotSnap);
    for (double u : cuts)
        insertToDegree(curve, u, knotSnap);
    std::vector<Nurbs> pieces;
    if (closed) {
        for (size_t j = 0; j + 1 < cuts.size(); ++j)
            pieces.push_back(extract(curve, cuts[j], cuts[j + 1], knotSnap));
        // The last piece runs through the start point back to the first cut (with one cut at the start,
        // it is the whole curve).
        Nurbs tail = extract(curve, cuts.back(), end, knotSnap);
        if (cuts.front() - start > knotSnap)
            tail = join(tail, extract(curve, start, cuts.front(), knotSnap));
        pieces.push_back(tail);
    } else {
        cuts.insert(cuts.begin(), start);
        cuts.push_back(end);
        for (size_t j = 0; j + 1 < cuts.size(); ++j)
            pieces.push_back(extract(curve, cuts[j], cuts[j + 1], knotSnap));
    }

    AcDbVoidPtrArray made;
    auto dropMade = [&made]() {
        for (void* p : made)
            delete static_cast<AcDbSpline*>(p);
    };
    for (const Nurbs& piece : pieces) {
        AcGePoint3dArray pts;
        AcGeDoubleArray ws, ks;
        for (const Homogeneous& h : piece.points) {
            pts.append(AcGePoint3d(h.x / h.w, h.y / h.w, h.z / h.w));
            ws.append(h.w);
        }
        for (double k : piece.knots)
            ks.append(k);
        auto* copy = AcDbSpline::cast(clone());
        if (copy == nullptr || copy->setNurbsData(degree, rational, false, false, pts, ks, ws, controlPtTol,
                                                  knotTol) != Acad::eOk) {
            delete copy;
            dropMade();
            return Acad::eNotApplicable;
        }
        made.append(copy);
    }
    curveSegments.append(made);
    return Acad::eOk;
}
