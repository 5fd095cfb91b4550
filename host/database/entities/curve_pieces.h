// Curves as chains of elementary pieces (lines, rays, segments, circular arcs) for intersections and nearest points.
#pragma once

#include <vector>

#include "gepnt3d.h"
#include "gevec3d.h"

class AcGePlane;

namespace kelvora {

// One piece of a curve in world coordinates.
//   kLinear: origin + t * direction, t from tMin to tMax (either may be infinite: rays, lines).
//   kArc:    centre + radius * (cos a * xAxis + sin a * yAxis), a from 0 to sweep (0 < sweep <= 2pi),
//            turning counter-clockwise about normal; xAxis points to the piece's start.
// `order` is the position of the piece along its curve, so that points found on several pieces can be
// given back in the order the curve meets them.
struct CurvePiece {
    enum class Kind { kLinear, kArc };
    Kind kind = Kind::kLinear;
    int order = 0;

    AcGePoint3d origin;
    AcGeVector3d direction;
    double tMin = 0.0;
    double tMax = 1.0;

    AcGePoint3d center;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    AcGeVector3d xAxis = AcGeVector3d::kXAxis;
    AcGeVector3d yAxis = AcGeVector3d::kYAxis;
    double radius = 0.0;
    double sweep = 0.0;

    static CurvePiece segment(const AcGePoint3d& start, const AcGePoint3d& end, int order);
    static CurvePiece line(const AcGePoint3d& origin, const AcGeVector3d& direction, double tMin, double tMax,
                           int order);
    // An arc from startVector (need not be unit) turning by sweepRad about normal (clockwise when negative).
    static CurvePiece arc(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& startVector,
                          double radius, double sweepRad, int order);

    // Local parameter: t for a linear piece, the angle from the start for an arc.
    AcGePoint3d pointAt(double local) const;
    bool isFullCircle() const;
};

// What an entity becomes for these queries. `extendStart` / `extendEnd`: the first / last piece may be
// continued past the curve's ends (a linear piece without bound, an arc as its whole circle).
struct PieceChain {
    std::vector<CurvePiece> pieces;
    bool closed = false;
};

// Lengthens the first and last pieces of an open chain as intersectWith's extension asks.
void extendChain(PieceChain& chain);

// The distance under which two points are one: the global tolerance, raised for large coordinates
// where doubles cannot hold it.
double pointTolerance(const AcGePoint3d& pt);
// The distance within which a point given by a caller counts as a point of a curve (getParamAtPoint
// and its kin): looser than pointTolerance, as such points come from other computations.
double onCurveTolerance(const AcGePoint3d& pt);

// Intersection points of two chains, as points of the first, in its order, without duplicates.
void intersectChains(const PieceChain& first, const PieceChain& second, std::vector<AcGePoint3d>& points);
// The same after projecting both on the plane along its normal; the points are found in the plane and
// brought back onto the first chain.
void intersectChainsProjected(const PieceChain& first, const PieceChain& second, const AcGePlane& plane,
                              std::vector<AcGePoint3d>& points);

// The nearest point of the chain to pt (false for an empty chain). With a direction, distances are
// measured as seen along it (on a plane perpendicular to it).
bool closestPointOnChain(const PieceChain& chain, const AcGePoint3d& pt, AcGePoint3d& nearest);
bool closestPointOnChain(const PieceChain& chain, const AcGePoint3d& pt, const AcGeVector3d& direction,
                         AcGePoint3d& nearest);

// The nearest point of one piece and its local parameter.
AcGePoint3d closestPointOnPiece(const CurvePiece& piece, const AcGePoint3d& pt, double& local);

}  // namespace kelvora
