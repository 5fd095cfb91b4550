// Intersections and nearest points of chains of lines and circular arcs, in space or seen along a direction.
#include "curve_pieces.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "geplane.h"

namespace kelvora {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Coordinates carry about 16 significant digits; a computed intersection is good to a few hundred
// units in the last place of its largest coordinate, which this factor covers.
constexpr double kRelativePointTolerance = 1e-13;

// Points found on two pieces at their shared end differ by the rounding of both computations: within
// this many point tolerances they are one point.
constexpr double kSamePointFactor = 10.0;

// A point handed to getParamAtPoint usually comes from an intersection or a nearest point, computed
// to about 1e-12 of the coordinates; 1e-9 drawing units is a tenth of the module's zero length.
constexpr double kOnCurveTolerance = 1e-9;

// Arc pieces that are not seen face-on under a projection are followed by this many chords per turn:
// the chord strays at most 1 - cos(pi / 1024), about 5e-6, of the radius from the arc.
constexpr int kChordsPerTurn = 1024;

// Nearest points on arcs under a projection: the arc is first sampled, then the best sample's
// neighbourhood narrowed by golden sections down to this fraction of a radian.
constexpr int kNearestSamplesPerTurn = 128;
constexpr double kNearestAngleTolerance = 1e-13;

double normalizeAngle(double a)
{
    a = std::fmod(a, kTwoPi);
    if (a < 0.0)
        a += kTwoPi;
    return a;
}

double maxAbsCoordinate(const AcGePoint3d& p)
{
    return std::max({std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
}

bool vectorsParallel(const AcGeVector3d& a, const AcGeVector3d& b)
{
    double la = a.length();
    double lb = b.length();
    if (la <= 0.0 || lb <= 0.0)
        return true;
    return a.crossProduct(b).length() <= AcGeContext::gTol.equalVector() * la * lb;
}

// The local parameter of a point of the arc's circle when it lies on the arc (within tolAngle), or
// false.
bool arcLocalOf(const CurvePiece& arc, const AcGePoint3d& p, double tolAngle, double& local)
{
    AcGeVector3d v = p - arc.center;
    double a = normalizeAngle(std::atan2(v.dotProduct(arc.yAxis), v.dotProduct(arc.xAxis)));
    if (arc.isFullCircle()) {
        local = a;
        return true;
    }
    if (a <= arc.sweep + tolAngle) {
        local = std::min(a, arc.sweep);
        return true;
    }
    if (a >= kTwoPi - tolAngle) {
        local = 0.0;
        return true;
    }
    return false;
}

bool linearContains(const CurvePiece& line, double t, double tol)
{
    double len = line.direction.length();
    double tolT = len > 0.0 ? tol / len : 0.0;
    return t >= line.tMin - tolT && t <= line.tMax + tolT;
}

double clampLinear(const CurvePiece& line, double t)
{
    return std::clamp(t, line.tMin, line.tMax);
}

// Candidate points of the full circle of `arc` crossing `line` (unbounded): local t values on the line.
void circleLineParams(const CurvePiece& arc, const CurvePiece& line, double tol, std::vector<double>& ts)
{
    const AcGeVector3d& n = arc.normal;
    const AcGeVector3d& d = line.direction;
    double dLen = d.length();
    if (dLen <= 0.0)
        return;
    double dn = d.dotProduct(n);
    AcGeVector3d w = line.origin - arc.center;
    if (std::fabs(dn) <= AcGeContext::gTol.equalVector() * dLen) {
        // The line runs parallel to the arc's plane: it meets the circle only when it lies in it.
        if (std::fabs(w.dotProduct(n)) > tol)
            return;
        double ox = w.dotProduct(arc.xAxis);
        double oy = w.dotProduct(arc.yAxis);
        double dx = d.dotProduct(arc.xAxis);
        double dy = d.dotProduct(arc.yAxis);
        double a = dx * dx + dy * dy;
        if (a <= 0.0)
            return;
        double tFoot = -(ox * dx + oy * dy) / a;
        double fx = ox + tFoot * dx;
        double fy = oy + tFoot * dy;
        double h = std::sqrt(fx * fx + fy * fy);
        if (std::fabs(h - arc.radius) <= tol) {
            ts.push_back(tFoot);  // tangent: one point
            return;
        }
        if (h > arc.radius)
            return;
        double half = std::sqrt(arc.radius * arc.radius - h * h) / std::sqrt(a);
        ts.push_back(tFoot - half);
        ts.push_back(tFoot + half);
        return;
    }
    // The line pierces the plane at one point, which may lie on the circle.
    double t = -w.dotProduct(n) / dn;
    AcGePoint3d p = line.origin + d * t;
    if (std::fabs(p.distanceTo(arc.center) - arc.radius) <= tol)
        ts.push_back(t);
}

// Points common to the full circles of two arcs.
void circleCirclePoints(const CurvePiece& a, const CurvePiece& b, double tol, std::vector<AcGePoint3d>& pts)
{
    AcGeVector3d c12 = b.center - a.center;
    bool parallel = vectorsParallel(a.normal, b.normal);
    if (parallel && std::fabs(c12.dotProduct(a.normal)) <= tol) {
        // Coplanar circles.
        AcGeVector3d inPlane = c12 - a.normal * c12.dotProduct(a.normal);
        double d = inPlane.length();
        double r1 = a.radius;
        double r2 = b.radius;
        if (d <= tol)
            return;  // concentric: either apart or the same circle (an overlap, not points)
        if (d > r1 + r2 + tol || d < std::fabs(r1 - r2) - tol)
            return;
        AcGeVector3d u = inPlane / d;
        AcGeVector3d v = a.normal.crossProduct(u);
        double along = (d * d + r1 * r1 - r2 * r2) / (2.0 * d);
        double h2 = r1 * r1 - along * along;
        if (std::fabs(d - (r1 + r2)) <= tol || std::fabs(d - std::fabs(r1 - r2)) <= tol || h2 <= 0.0) {
            pts.push_back(a.center + u * (along >= 0.0 ? r1 : -r1));  // tangent
            return;
        }
        double h = std::sqrt(h2);
        if (h <= tol) {
            pts.push_back(a.center + u * along);
            return;
        }
        pts.push_back(a.center + u * along + v * h);
        pts.push_back(a.center + u * along - v * h);
        return;
    }
    if (parallel)
        return;  // parallel planes apart
    // Circle a against the plane of b: r (cos t * xa.nb + sin t * ya.nb) = (cb - ca).nb.
    double ca = a.xAxis.dotProduct(b.normal) * a.radius;
    double cb = a.yAxis.dotProduct(b.normal) * a.radius;
    double c = c12.dotProduct(b.normal);
    double r = std::sqrt(ca * ca + cb * cb);
    if (r <= 0.0 || std::fabs(c) > r + tol)
        return;
    double base = std::atan2(cb, ca);
    double spread = std::acos(std::clamp(c / r, -1.0, 1.0));
    double angles[2] = {base - spread, base + spread};
    int count = spread * a.radius <= tol ? 1 : 2;
    for (int i = 0; i < count; ++i) {
        AcGePoint3d p = a.center + a.xAxis * (a.radius * std::cos(angles[i])) +
                        a.yAxis * (a.radius * std::sin(angles[i]));
        if (std::fabs(p.distanceTo(b.center) - b.radius) <= tol)
            pts.push_back(p);
    }
}

// Points of piece a that lie on piece b, with their local parameters on a.
void intersectPieces(const CurvePiece& a, const CurvePiece& b, std::vector<std::pair<double, AcGePoint3d>>& out)
{
    using Kind = CurvePiece::Kind;
    if (a.kind == Kind::kLinear && b.kind == Kind::kLinear) {
        const AcGeVector3d& d1 = a.direction;
        const AcGeVector3d& d2 = b.direction;
        if (vectorsParallel(d1, d2))
            return;  // parallel or overlapping: no single point
        AcGeVector3d w = a.origin - b.origin;
        double aa = d1.dotProduct(d1);
        double bb = d1.dotProduct(d2);
        double cc = d2.dotProduct(d2);
        double dd = d1.dotProduct(w);
        double ee = d2.dotProduct(w);
        double den = aa * cc - bb * bb;
        if (den <= 0.0)
            return;
        double s = (bb * ee - cc * dd) / den;
        double t = (aa * ee - bb * dd) / den;
        AcGePoint3d pa = a.origin + d1 * s;
        AcGePoint3d pb = b.origin + d2 * t;
        double tol = std::max(pointTolerance(pa), pointTolerance(pb));
        if (pa.distanceTo(pb) > tol)
            return;
        if (!linearContains(a, s, tol) || !linearContains(b, t, tol))
            return;
        s = clampLinear(a, s);
        out.emplace_back(s, a.pointAt(s));
        return;
    }
    if (a.kind == Kind::kLinear && b.kind == Kind::kArc) {
        double tol = std::max(pointTolerance(b.center), pointTolerance(a.origin));
        tol = std::max(tol, kRelativePointTolerance * b.radius);
        std::vector<double> ts;
        circleLineParams(b, a, tol, ts);
        for (double t : ts) {
            if (!linearContains(a, t, tol))
                continue;
            t = clampLinear(a, t);
            AcGePoint3d p = a.pointAt(t);
            double onB = 0.0;
            if (!arcLocalOf(b, p, b.radius > 0.0 ? tol / b.radius : 0.0, onB))
                continue;
            out.emplace_back(t, p);
        }
        return;
    }
    if (a.kind == Kind::kArc && b.kind == Kind::kLinear) {
        double tol = std::max(pointTolerance(a.center), pointTolerance(b.origin));
        tol = std::max(tol, kRelativePointTolerance * a.radius);
        std::vector<double> ts;
        circleLineParams(a, b, tol, ts);
        for (double t : ts) {
            if (!linearContains(b, t, tol))
                continue;
            AcGePoint3d p = b.pointAt(clampLinear(b, t));
            double local = 0.0;
            if (!arcLocalOf(a, p, a.radius > 0.0 ? tol / a.radius : 0.0, local))
                continue;
            out.emplace_back(local, a.pointAt(local));
        }
        return;
    }
    double tol = std::max(pointTolerance(a.center), pointTolerance(b.center));
    tol = std::max(tol, kRelativePointTolerance * std::max(a.radius, b.radius));
    std::vector<AcGePoint3d> pts;
    circleCirclePoints(a, b, tol, pts);
    for (const AcGePoint3d& p : pts) {
        double la = 0.0;
        double lb = 0.0;
        if (!arcLocalOf(a, p, a.radius > 0.0 ? tol / a.radius : 0.0, la))
            continue;
        if (!arcLocalOf(b, p, b.radius > 0.0 ? tol / b.radius : 0.0, lb))
            continue;
        out.emplace_back(la, a.pointAt(la));
    }
}

// A box around a piece, for a cheap rejection test; false when the piece is unbounded.
bool pieceBox(const CurvePiece& piece, AcGePoint3d& lo, AcGePoint3d& hi)
{
    if (piece.kind == CurvePiece::Kind::kLinear) {
        if (!std::isfinite(piece.tMin) || !std::isfinite(piece.tMax))
            return false;
        AcGePoint3d p = piece.pointAt(piece.tMin);
        AcGePoint3d q = piece.pointAt(piece.tMax);
        lo.set(std::min(p.x, q.x), std::min(p.y, q.y), std::min(p.z, q.z));
        hi.set(std::max(p.x, q.x), std::max(p.y, q.y), std::max(p.z, q.z));
        return true;
    }
    AcGeVector3d r(piece.radius, piece.radius, piece.radius);
    lo = piece.center - r;
    hi = piece.center + r;
    return true;
}

bool boxesApart(const AcGePoint3d& lo1, const AcGePoint3d& hi1, const AcGePoint3d& lo2, const AcGePoint3d& hi2,
                double tol)
{
    return lo1.x > hi2.x + tol || lo2.x > hi1.x + tol || lo1.y > hi2.y + tol || lo2.y > hi1.y + tol ||
           lo1.z > hi2.z + tol || lo2.z > hi1.z + tol;
}

struct FoundPoint {
    int order;
    double local;
    AcGePoint3d point;
};

void sortAndMerge(std::vector<FoundPoint>& found, std::vector<AcGePoint3d>& points)
{
    std::stable_sort(found.begin(), found.end(), [](const FoundPoint& x, const FoundPoint& y) {
        if (x.order != y.order)
            return x.order < y.order;
        return x.local < y.local;
    });
    points.clear();
    for (const FoundPoint& f : found) {
        bool seen = false;
        for (const AcGePoint3d& kept : points) {
            if (kept.distanceTo(f.point) <= kSamePointFactor * pointTolerance(f.point)) {
                seen = true;
                break;
            }
        }
        if (!seen)
            points.push_back(f.point);
    }
}

// A projected piece and how its local parameter maps back onto the original piece.
struct ProjectedPiece {
    CurvePiece piece;
    int source = 0;        // index of the original piece
    double fromLocal = 0;  // original local parameter at projected local tMin (sampled chords)
    double toLocal = 0;    // ... at tMax
    bool sampled = false;
};

AcGePoint3d projectOnPlane(const AcGePoint3d& p, const AcGePlane& plane)
{
    AcGeVector3d n = plane.normal();
    return p - n * (p - plane.pointOnPlane()).dotProduct(n);
}

void projectChain(const PieceChain& chain, const AcGePlane& plane, std::vector<ProjectedPiece>& out)
{
    AcGeVector3d n = plane.normal();
    for (size_t i = 0; i < chain.pieces.size(); ++i) {
        const CurvePiece& src = chain.pieces[i];
        if (src.kind == CurvePiece::Kind::kLinear) {
            AcGeVector3d d = src.direction - n * src.direction.dotProduct(n);
            if (d.length() <= AcGeContext::gTol.equalVector() * std::max(src.direction.length(), 1.0))
                continue;  // seen end-on: a point, which meets nothing along a length
            ProjectedPiece pp;
            pp.piece = src;
            pp.piece.origin = projectOnPlane(src.origin, plane);
            pp.piece.direction = d;
            pp.source = static_cast<int>(i);
            out.push_back(pp);
            continue;
        }
        if (vectorsParallel(src.normal, n)) {
            ProjectedPiece pp;
            pp.piece = src;
            pp.piece.center = projectOnPlane(src.center, plane);
            pp.source = static_cast<int>(i);
            out.push_back(pp);
            continue;
        }
        int chords = std::max(4, static_cast<int>(std::ceil(kChordsPerTurn * src.sweep / kTwoPi)));
        AcGePoint3d prev = projectOnPlane(src.pointAt(0.0), plane);
        for (int k = 1; k <= chords; ++k) {
            double a0 = src.sweep * (k - 1) / chords;
            double a1 = src.sweep * k / chords;
            AcGePoint3d next = projectOnPlane(src.pointAt(a1), plane);
            ProjectedPiece pp;
            pp.piece = CurvePiece::segment(prev, next, src.order);
            pp.source = static_cast<int>(i);
            pp.fromLocal = a0;
            pp.toLocal = a1;
            pp.sampled = true;
            out.push_back(pp);
            prev = next;
        }
    }
}

double projectedDistance2(const AcGePoint3d& x, const AcGePoint3d& p, const AcGeVector3d& unitDir)
{
    AcGeVector3d w = x - p;
    double along = w.dotProduct(unitDir);
    return std::max(w.lengthSqrd() - along * along, 0.0);
}

// Nearest local parameter of a piece to pt seen along unitDir.
double closestLocalAlong(const CurvePiece& piece, const AcGePoint3d& pt, const AcGeVector3d& unitDir)
{
    if (piece.kind == CurvePiece::Kind::kLinear) {
        const AcGeVector3d& d = piece.direction;
        AcGeVector3d w = piece.origin - pt;
        double dD = d.dotProduct(unitDir);
        double a = d.dotProduct(d) - dD * dD;
        double b = w.dotProduct(d) - w.dotProduct(unitDir) * dD;
        double t = a > AcGeContext::gTol.equalVector() * d.dotProduct(d) ? -b / a : 0.0;
        if (!std::isfinite(piece.tMin) && !std::isfinite(piece.tMax))
            return t;
        return clampLinear(piece, t);
    }
    if (vectorsParallel(piece.normal, unitDir)) {
        double local = 0.0;
        closestPointOnPiece(piece, pt, local);
        return local;
    }
    auto f = [&](double a) { return projectedDistance2(piece.pointAt(a), pt, unitDir); };
    int samples = std::max(8, static_cast<int>(std::ceil(kNearestSamplesPerTurn * piece.sweep / kTwoPi)));
    double step = piece.sweep / samples;
    int best = 0;
    double bestValue = f(0.0);
    for (int k = 1; k <= samples; ++k) {
        double v = f(step * k);
        if (v < bestValue) {
            bestValue = v;
            best = k;
        }
    }
    double lo = std::max(0.0, step * (best - 1));
    double hi = std::min(piece.sweep, step * (best + 1));
    const double golden = (std::sqrt(5.0) - 1.0) / 2.0;
    double x1 = hi - golden * (hi - lo);
    double x2 = lo + golden * (hi - lo);
    double f1 = f(x1);
    double f2 = f(x2);
    while (hi - lo > kNearestAngleTolerance) {
        if (f1 <= f2) {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - golden * (hi - lo);
            f1 = f(x1);
        } else {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + golden * (hi - lo);
            f2 = f(x2);
        }
    }
    double mid = 0.5 * (lo + hi);
    return f(mid) <= bestValue ? mid : step * best;
}

}  // namespace

CurvePiece CurvePiece::segment(const AcGePoint3d& start, const AcGePoint3d& end, int order)
{
    return line(start, end - start, 0.0, 1.0, order);
}

CurvePiece CurvePiece::line(const AcGePoint3d& origin, const AcGeVector3d& direction, double tMin, double tMax,
                            int order)
{
    CurvePiece p;
    p.kind = Kind::kLinear;
    p.order = order;
    p.origin = origin;
    p.direction = direction;
    p.tMin = tMin;
    p.tMax = tMax;
    return p;
}

CurvePiece CurvePiece::arc(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& startVector,
                           double radius, double sweepRad, int order)
{
    CurvePiece p;
    p.kind = Kind::kArc;
    p.order = order;
    p.center = center;
    AcGeVector3d n = normal.normal();
    if (n.isZeroLength())
        n = AcGeVector3d::kZAxis;
    if (sweepRad < 0.0) {
        n = -n;
        sweepRad = -sweepRad;
    }
    AcGeVector3d x = startVector - n * startVector.dotProduct(n);
    if (x.isZeroLength())
        x = n.perpVector();
    p.normal = n;
    p.xAxis = x.normal();
    p.yAxis = n.crossProduct(p.xAxis);
    p.radius = radius;
    p.sweep = std::min(sweepRad, kTwoPi);
    return p;
}

AcGePoint3d CurvePiece::pointAt(double local) const
{
    if (kind == Kind::kLinear)
        return origin + direction * local;
    return center + xAxis * (radius * std::cos(local)) + yAxis * (radius * std::sin(local));
}

bool CurvePiece::isFullCircle() const
{
    return kind == Kind::kArc && sweep >= kTwoPi;
}

void extendChain(PieceChain& chain)
{
    if (chain.closed || chain.pieces.empty())
        return;
    const double inf = std::numeric_limits<double>::infinity();
    CurvePiece& first = chain.pieces.front();
    if (first.kind == CurvePiece::Kind::kLinear)
        first.tMin = -inf;
    else
        first.sweep = kTwoPi;
    CurvePiece& last = chain.pieces.back();
    if (last.kind == CurvePiece::Kind::kLinear)
        last.tMax = inf;
    else
        last.sweep = kTwoPi;
}

double pointTolerance(const AcGePoint3d& pt)
{
    double magnitude = maxAbsCoordinate(pt);
    if (!std::isfinite(magnitude))
        return AcGeContext::gTol.equalPoint();
    return std::max(AcGeContext::gTol.equalPoint(), kRelativePointTolerance * magnitude);
}

double onCurveTolerance(const AcGePoint3d& pt)
{
    return std::max(kOnCurveTolerance, 100.0 * pointTolerance(pt));
}

void intersectChains(const PieceChain& first, const PieceChain& second, std::vector<AcGePoint3d>& points)
{
    std::vector<FoundPoint> found;
    std::vector<std::pair<double, AcGePoint3d>> local;
    std::vector<AcGePoint3d> secondLo(second.pieces.size());
    std::vector<AcGePoint3d> secondHi(second.pieces.size());
    std::vector<bool> secondBounded(second.pieces.size());
    for (size_t j = 0; j < second.pieces.size(); ++j)
        secondBounded[j] = pieceBox(second.pieces[j], secondLo[j], secondHi[j]);
    for (const CurvePiece& a : first.pieces) {
        AcGePoint3d loA;
        AcGePoint3d hiA;
        bool boundedA = pieceBox(a, loA, hiA);
        for (size_t j = 0; j < second.pieces.size(); ++j) {
            if (boundedA && secondBounded[j]) {
                double tol = kSamePointFactor * std::max(pointTolerance(loA), pointTolerance(hiA));
                if (boxesApart(loA, hiA, secondLo[j], secondHi[j], tol))
                    continue;
            }
            local.clear();
            intersectPieces(a, second.pieces[j], local);
            for (const auto& [t, p] : local)
                found.push_back({a.order, t, p});
        }
    }
    sortAndMerge(found, points);
}

void intersectChainsProjected(const PieceChain& first, const PieceChain& second, const AcGePlane& plane,
                              std::vector<AcGePoint3d>& points)
{
    std::vector<ProjectedPiece> a;
    std::vector<ProjectedPiece> b;
    projectChain(first, plane, a);
    projectChain(second, plane, b);
    std::vector<FoundPoint> found;
    std::vector<std::pair<double, AcGePoint3d>> local;
    for (const ProjectedPiece& pa : a) {
        for (const ProjectedPiece& pb : b) {
            local.clear();
            intersectPieces(pa.piece, pb.piece, local);
            const CurvePiece& original = first.pieces[static_cast<size_t>(pa.source)];
            for (const auto& hit : local) {
                // A chord's parameter runs 0..1 over its slice of the arc; other pieces keep theirs.
                double back = hit.first;
                if (pa.sampled)
                    back = pa.fromLocal + (pa.toLocal - pa.fromLocal) * std::clamp(hit.first, 0.0, 1.0);
                found.push_back({original.order, back, original.pointAt(back)});
            }
        }
    }
    sortAndMerge(found, points);
}

AcGePoint3d closestPointOnPiece(const CurvePiece& piece, const AcGePoint3d& pt, double& local)
{
    if (piece.kind == CurvePiece::Kind::kLinear) {
        double len2 = piece.direction.lengthSqrd();
        double t = len2 > 0.0 ? (pt - piece.origin).dotProduct(piece.direction) / len2 : 0.0;
        if (std::isfinite(piece.tMin) || std::isfinite(piece.tMax))
            t = clampLinear(piece, t);
        if (!std::isfinite(t))
            t = 0.0;
        local = t;
        return piece.pointAt(t);
    }
    AcGeVector3d v = pt - piece.center;
    double x = v.dotProduct(piece.xAxis);
    double y = v.dotProduct(piece.yAxis);
    if (std::hypot(x, y) <= 0.0) {
        local = 0.0;
        return piece.pointAt(0.0);
    }
    double a = normalizeAngle(std::atan2(y, x));
    if (piece.isFullCircle() || a <= piece.sweep) {
        local = a;
        return piece.pointAt(a);
    }
    AcGePoint3d s = piece.pointAt(0.0);
    AcGePoint3d e = piece.pointAt(piece.sweep);
    if (pt.distanceTo(s) <= pt.distanceTo(e)) {
        local = 0.0;
        return s;
    }
    local = piece.sweep;
    return e;
}

bool closestPointOnChain(const PieceChain& chain, const AcGePoint3d& pt, AcGePoint3d& nearest)
{
    bool any = false;
    double best = 0.0;
    for (const CurvePiece& piece : chain.pieces) {
        double local = 0.0;
        AcGePoint3d p = closestPointOnPiece(piece, pt, local);
        double d = p.distanceTo(pt);
        if (!any || d < best) {
            any = true;
            best = d;
            nearest = p;
        }
    }
    return any;
}

bool closestPointOnChain(const PieceChain& chain, const AcGePoint3d& pt, const AcGeVector3d& direction,
                         AcGePoint3d& nearest)
{
    AcGeVector3d unit = direction.normal();
    if (unit.isZeroLength())
        return closestPointOnChain(chain, pt, nearest);
    bool any = false;
    double best = 0.0;
    for (const CurvePiece& piece : chain.pieces) {
        double local = closestLocalAlong(piece, pt, unit);
        AcGePoint3d p = piece.pointAt(local);
        double d = projectedDistance2(p, pt, unit);
        if (!any || d < best) {
            any = true;
            best = d;
            nearest = p;
        }
    }
    return any;
}

}  // namespace kelvora
