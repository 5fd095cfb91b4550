// Exact NURBS of lines, arcs, ellipses and polylines: rational quadratic pieces joined into one AcDbSpline.
#pragma once

#include <vector>

#include "gepnt3d.h"
#include "gevec3d.h"

class AcDbSpline;

namespace kelvora {

// One rational quadratic Bezier piece: end points weigh 1, the middle control point `weight`.
struct QuadraticPiece {
    AcGePoint3d start;
    AcGePoint3d middle;
    AcGePoint3d end;
    double weight = 1.0;
};

// The piece of a straight segment (its middle control point halfway).
QuadraticPiece straightQuadratic(const AcGePoint3d& start, const AcGePoint3d& end);

// The curve centre + cos(t) u + sin(t) v for t from startParam over sweep (negative: backwards),
// an arc for perpendicular u, v of one length and an ellipse otherwise: one piece per quarter turn
// at most, each exact (the affine image of a circular arc's exact piece).
void appendEllipticQuadratics(const AcGePoint3d& center, const AcGeVector3d& u, const AcGeVector3d& v,
                              double startParam, double sweep, std::vector<QuadraticPiece>& pieces);

// One degree-2 rational spline through the pieces in order (knots 0,0,0,1,1,...,k,k,k); null without
// pieces.
AcDbSpline* splineFromQuadratics(const std::vector<QuadraticPiece>& pieces);

}  // namespace kelvora
