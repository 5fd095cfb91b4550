// Rebuilding a polyline with each run of collinear lines and of co-circular arcs merged into one segment.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "gegbl.h"
#include "geometry/kernel_internal.h"
#include "geometry/polyline_kernel.h"
#include "getol.h"

namespace {

// Co-circular arcs: the radius comes from the bulge through a division, so arcs of one circle
// differ by rounding; 1e-6 drawing units is still far below anything a plan shows.
constexpr double kRadiusTolerance = 1e-6;
// Up to this many vertices one pass is enough; above it, as after a conversion from a spline,
// a merge can make the next run of segments mergeable, so further passes are worth their time.
constexpr unsigned int kSinglePassVertexLimit = 200;
constexpr int kMaxPasses = 3;
constexpr double kFullTurn = 2.0 * std::numbers::pi;
// Sweeps are summed from bulges through atan, so the arcs of a whole circle (36 of 10 degrees, 6 of
// 60) can add up to a few units in the last place under a full turn; a run must fall short of a full
// turn by more than that rounding to merge, or a circle would collapse into one degenerate arc.
constexpr double kFullTurnSlack = 1e-9;

// The caller's tolerances become the global one for the whole rebuild, and the previous one comes
// back on every way out.
class ScopedTolerance {
public:
    explicit ScopedTolerance(const AcGeTol& tol) : m_saved(AcGeContext::gTol) { AcGeContext::gTol = tol; }
    ~ScopedTolerance() { AcGeContext::gTol = m_saved; }
    ScopedTolerance(const ScopedTolerance&) = delete;
    ScopedTolerance& operator=(const ScopedTolerance&) = delete;

private:
    AcGeTol m_saved;
};

struct ScratchVertex {
    AcGePoint2d point;
    double bulge = 0.0;
};

// The piece being extended: a line keeps its start and the unit direction of its first segment,
// an arc its circle, turning sense and the sweep so far. endVertex is where it ends now; the
// vertices are copied rather than recomputed, so that points that stay keep their exact values.
struct RunningPiece {
    bool isArc = false;
    AcGePoint2d start;
    AcGeVector2d direction;
    AcGeCircArc2d arc;
    unsigned int endVertex = 0;
};

bool isLineOrArc(AcDbPolyline::SegType type)
{
    return type == AcDbPolyline::kLine || type == AcDbPolyline::kArc;
}

// The unit vector from a to b; false when they coincide exactly (no direction at all).
bool unitVector(const AcGePoint2d& a, const AcGePoint2d& b, AcGeVector2d& unit)
{
    AcGeVector2d v = b - a;
    double length = v.length();
    if (!(length > 0.0))
        return false;
    unit = v / length;
    return true;
}

double sweepOf(const AcGeCircArc2d& arc)
{
    return arc.endAng() - arc.startAng();
}

// One circle under the global tolerance, one turning sense, and together less than a full turn
// (a whole circle cannot be one polyline segment), rounding aside.
bool arcsMerge(const AcGeCircArc2d& running, const AcGeCircArc2d& next)
{
    return running.center().isEqualTo(next.center()) && running.isClockWise() == next.isClockWise() &&
           std::fabs(running.radius() - next.radius()) < kRadiusTolerance &&
           sweepOf(running) + sweepOf(next) < kFullTurn - kFullTurnSlack;
}

// Segment k as a new running piece; false when the host cannot describe it.
bool makePiece(const AcDbPolyline* pline, const std::vector<AcGePoint2d>& points, unsigned int k,
               RunningPiece& piece)
{
    const unsigned int n = static_cast<unsigned int>(points.size());
    piece.endVertex = (k + 1) % n;
    piece.isArc = pline->segType(k) == AcDbPolyline::kArc;
    if (piece.isArc)
        return pline->getArcSegAt(k, piece.arc) == Acad::eOk;
    piece.start = points[k];
    return unitVector(points[k], points[piece.endVertex], piece.direction);
}

// The input keeps its length when nothing merged; otherwise it loses vertices from its end and
// takes the new points and bulges, each index keeping its widths.
void writeBack(AcDbPolyline* pline, const std::vector<ScratchVertex>& scratch)
{
    if (pline->numVerts() == scratch.size())
        return;
    while (pline->numVerts() > scratch.size())
        if (pline->removeVertexAt(pline->numVerts() - 1) != Acad::eOk)
            break;
    const unsigned int count = std::min(pline->numVerts(), static_cast<unsigned int>(scratch.size()));
    for (unsigned int at = 0; at < count; ++at) {
        pline->setPointAt(at, scratch[at].point);
        pline->setBulgeAt(at, scratch[at].bulge);
    }
}

void mergePass(AcDbPolyline* pline)
{
    const unsigned int n = pline->numVerts();
    if (n < 3)
        return;
    const bool closed = pline->isClosed();
    const unsigned int segmentCount = closed ? n : n - 1;
    std::vector<AcGePoint2d> points(n);
    for (unsigned int at = 0; at < n; ++at)
        if (pline->getPointAt(at, points[at]) != Acad::eOk)
            return;

    // The first line or arc starts the first piece; a segment the host cannot describe counts as
    // degenerate.
    unsigned int first = 0;
    RunningPiece run;
    while (first < segmentCount && !(isLineOrArc(pline->segType(first)) && makePiece(pline, points, first, run)))
        ++first;
    if (first + 1 >= segmentCount)
        return;

    std::vector<ScratchVertex> scratch;
    scratch.reserve(n);
    scratch.push_back({points[first], 0.0});
    auto closeOff = [&]() {
        if (run.isArc)
            scratch.back().bulge = arcToBulge(run.arc);
        scratch.push_back({points[run.endVertex], 0.0});
    };

    for (unsigned int k = first + 1; k < segmentCount; ++k) {
        RunningPiece next;
        if (!isLineOrArc(pline->segType(k)) || !makePiece(pline, points, k, next))
            continue;
        if (!next.isArc && !run.isArc) {
            // Measured from the run's start, not from its last piece, so that a long run of
            // slightly turning short segments cannot drift away from a straight line.
            AcGeVector2d toEnd;
            if (unitVector(run.start, points[next.endVertex], toEnd) && toEnd.isEqualTo(run.direction)) {
                run.endVertex = next.endVertex;
                continue;
            }
        } else if (next.isArc && run.isArc && arcsMerge(run.arc, next.arc)) {
            run.arc.setAngles(run.arc.startAng(), run.arc.startAng() + sweepOf(run.arc) + sweepOf(next.arc));
            run.endVertex = next.endVertex;
            continue;
        }
        closeOff();
        run = next;
    }

    // A closed polyline's last piece ends at vertex 0, which is already there: nothing merges
    // across it.
    if (!closed)
        closeOff();
    else if (run.isArc)
        scratch.back().bulge = arcToBulge(run.arc);
    writeBack(pline, scratch);
}

}  // namespace

namespace kernel_internal {

int mergeCollinearSegmentsCountingPasses(AcDbPolyline* pline, double pointTolerance, double vectorTolerance)
{
    if (pline == nullptr)
        return 0;
    AcGeTol tol;
    tol.setEqualPoint(pointTolerance);
    tol.setEqualVector(vectorTolerance);
    ScopedTolerance scoped(tol);
    int passes = 0;
    bool repeating = false;
    do {
        mergePass(pline);
        ++passes;
        if (pline->numVerts() > kSinglePassVertexLimit)
            repeating = true;
    } while (repeating && passes < kMaxPasses);
    return passes;
}

}  // namespace kernel_internal

void mergeCollinearSegments(AcDbPolyline* pline, double pointTolerance, double vectorTolerance)
{
    kernel_internal::mergeCollinearSegmentsCountingPasses(pline, pointTolerance, vectorTolerance);
}
