// Rational quadratic pieces of segments, arcs and ellipses, and their joining into one NURBS spline.
#include "spline_build.h"

#include <cmath>
#include <numbers>

#include "dbspline.h"

namespace kelvora {

QuadraticPiece straightQuadratic(const AcGePoint3d& start, const AcGePoint3d& end)
{
    QuadraticPiece piece;
    piece.start = start;
    piece.end = end;
    piece.middle = start + (end - start) * 0.5;
    piece.weight = 1.0;
    return piece;
}

void appendEllipticQuadratics(const AcGePoint3d& center, const AcGeVector3d& u, const AcGeVector3d& v,
                              double startParam, double sweep, std::vector<QuadraticPiece>& pieces)
{
    if (!std::isfinite(sweep) || std::fabs(sweep) <= 0.0)
        return;
    // A quarter turn at most per piece keeps the middle weight, cos(delta / 2), at 0.7 or more. A sweep
    // that is a whole number of quarter turns but for rounding takes no extra piece.
    constexpr double kQuarterTurnRounding = 1e-12;
    const double quarters = std::fabs(sweep) / (std::numbers::pi / 2.0);
    const int count = std::max(1, static_cast<int>(std::ceil(quarters - kQuarterTurnRounding)));
    const double delta = sweep / count;
    auto at = [&](double t) { return center + u * std::cos(t) + v * std::sin(t); };
    for (int i = 0; i < count; ++i) {
        const double t0 = startParam + delta * i;
        const double mid = t0 + delta / 2.0;
        const double w = std::cos(delta / 2.0);
        QuadraticPiece piece;
        piece.start = at(t0);
        piece.end = i + 1 == count ? at(startParam + sweep) : at(t0 + delta);
        piece.middle = center + (u * std::cos(mid) + v * std::sin(mid)) / w;
        piece.weight = w;
        pieces.push_back(piece);
    }
}

AcDbSpline* splineFromQuadratics(const std::vector<QuadraticPiece>& pieces)
{
    if (pieces.empty())
        return nullptr;
    AcGePoint3dArray points;
    AcGeDoubleArray weights;
    AcGeDoubleArray knots;
    bool rational = false;
    points.append(pieces.front().start);
    weights.append(1.0);
    knots.append(0.0);
    knots.append(0.0);
    knots.append(0.0);
    for (size_t i = 0; i < pieces.size(); ++i) {
        points.append(pieces[i].middle);
        weights.append(pieces[i].weight);
        points.append(pieces[i].end);
        weights.append(1.0);
        rational = rational || std::fabs(pieces[i].weight - 1.0) > 0.0;
        const double k = static_cast<double>(i + 1);
        knots.append(k);
        knots.append(k);
    }
    knots.append(static_cast<double>(pieces.size()));
    const bool closed = points.first().isEqualTo(points.last());
    return new AcDbSpline(2, rational, closed, Adesk::kFalse, points, knots, rational ? weights : AcGeDoubleArray());
}

}  // namespace kelvora
