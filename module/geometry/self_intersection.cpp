// Whether a polyline crosses itself: the pair rule, and a sweep over segment boxes that applies it only to pairs that can meet.
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "gelnsg3d.h"
#include "gearc3d.h"
#include "gegbl.h"
#include "geometry/kernel_internal.h"
#include "geometry/polyline_kernel.h"

namespace {

// A found crossing lies within the equal-point tolerance of each segment (the host's tests accept
// points that far off a segment or off a circle), so two segments whose boxes are further apart
// than a few tolerances cannot be counted. Four per box leaves room to spare.
constexpr double kToleranceMarginFactor = 4.0;
// The host computes the 3D segments from the vertex data with rounding of a few units in the last
// place of the coordinates (or of the radius of an arc); this relative slack, thousands of times
// that rounding, keeps each box around what the host will intersect.
constexpr double kRoundingSlack = 1e-12;

// One segment as the crossing rule sees it: its kind and its 3D geometry.
struct SegmentView {
    AcDbPolyline::SegType type = AcDbPolyline::kEmpty;
    AcGeLineSeg3d line;
    AcGeCircArc3d arc;
};

int segmentCountOf(const AcDbPolyline* pline)
{
    int n = static_cast<int>(pline->numVerts());
    if (n < 2)
        return 0;
    return pline->isClosed() ? n : n - 1;
}

SegmentView viewOf(const AcDbPolyline* pline, int index)
{
    SegmentView view;
    unsigned int at = static_cast<unsigned int>(index);
    view.type = pline->segType(at);
    if (view.type == AcDbPolyline::kLine && pline->getLineSegAt(at, view.line) != Acad::eOk)
        view.type = AcDbPolyline::kEmpty;
    else if (view.type == AcDbPolyline::kArc && pline->getArcSegAt(at, view.arc) != Acad::eOk)
        view.type = AcDbPolyline::kEmpty;
    return view;
}

bool withinZeroLength(const AcGePoint3d& a, const AcGePoint3d& b)
{
    return a.distanceTo(b) <= geomTolerance();
}

AcGePoint3d endPointOf(const SegmentView& s)
{
    return s.type == AcDbPolyline::kArc ? s.arc.endPoint() : s.line.endPoint();
}

// The first segment of a pair is left out when it is degenerate or too short to cross anything.
bool skippedAsFirst(const SegmentView& s)
{
    if (s.type == AcDbPolyline::kLine)
        return s.line.length() < geomTolerance();
    if (s.type == AcDbPolyline::kArc)
        return s.arc.startPoint().distanceTo(s.arc.endPoint()) < geomTolerance();
    return true;
}

// Whether segment j, at least two further along than segment i, counts as meeting it. A line j
// that starts where i ends is a neighbour across degenerate segments; a single touch at the start
// of j, seen from an arc i, is such a neighbourhood too.
bool pairMeets(const SegmentView& si, const SegmentView& sj)
{
    if (sj.type == AcDbPolyline::kLine) {
        if (sj.line.length() < geomTolerance() || withinZeroLength(sj.line.startPoint(), endPointOf(si)))
            return false;
    } else if (sj.type != AcDbPolyline::kArc) {
        return false;
    }
    int count = 0;
    AcGePoint3d p1, p2;
    if (si.type == AcDbPolyline::kLine) {
        if (sj.type == AcDbPolyline::kLine) {
            AcGePoint3d crossing;
            return si.line.intersectWith(sj.line, crossing) && !withinZeroLength(crossing, si.line.endPoint());
        }
        return sj.arc.intersectWith(si.line, count, p1, p2);
    }
    if (sj.type == AcDbPolyline::kLine) {
        if (!si.arc.intersectWith(sj.line, count, p1, p2))
            return false;
        return !(count == 1 && withinZeroLength(p1, sj.line.startPoint()));
    }
    if (!si.arc.intersectWith(sj.arc, count, p1, p2))
        return false;
    return !(count == 1 && withinZeroLength(p1, sj.arc.startPoint()));
}

// The pairs the rule looks at: j at least two after i, and never segment 0 with the last one.
bool pairIsTested(int i, int j, int segmentCount)
{
    return j >= i + 2 && j < segmentCount && !(i == 0 && j == segmentCount - 1);
}

bool pairCounts(const AcDbPolyline* pline, int i, int j)
{
    SegmentView si = viewOf(pline, i);
    if (skippedAsFirst(si))
        return false;
    return pairMeets(si, viewOf(pline, j));
}

// A segment's box in the polyline's plane coordinates, widened by its margin. The plane
// coordinates are the world ones moved rigidly, so boxes apart here are as far apart in space.
struct Box {
    double lo[2];
    double hi[2];

    bool finite() const
    {
        return std::isfinite(lo[0]) && std::isfinite(lo[1]) && std::isfinite(hi[0]) && std::isfinite(hi[1]);
    }
    bool overlapsOn(const Box& other, int axis) const
    {
        return !(hi[axis] < other.lo[axis] || other.hi[axis] < lo[axis]);
    }
    void add(const AcGePoint2d& p)
    {
        lo[0] = std::min(lo[0], p.x);
        lo[1] = std::min(lo[1], p.y);
        hi[0] = std::max(hi[0], p.x);
        hi[1] = std::max(hi[1], p.y);
    }
};

// The box of the segment from a to b with the given bulge, whatever the host makes of the bulge
// (a line for a tiny one): up to half a circle the arc stays inside the rectangle over the chord
// as high as the sagitta; a longer arc inside its circle's box.
Box segmentBox(const AcGePoint2d& a, const AcGePoint2d& b, double bulge, double elevation, double toleranceMargin)
{
    Box box{{a.x, a.y}, {a.x, a.y}};
    box.add(b);
    const double dx = b.x - a.x, dy = b.y - a.y;
    double scale = std::max({std::fabs(a.x), std::fabs(a.y), std::fabs(b.x), std::fabs(b.y), std::fabs(elevation)});
    if (std::fabs(bulge) > 0.0) {
        // Rounding follows the centre and radius, which lie far off for a flat arc.
        double radius = std::hypot(dx, dy) * (1.0 + bulge * bulge) / (4.0 * std::fabs(bulge));
        scale += 2.0 * radius;
    }
    if (std::fabs(bulge) <= 1.0) {
        // The arc's midpoint lies bulge * half chord to the right of a->b (left when negative).
        AcGeVector2d toArcMiddle(dy * bulge / 2.0, -dx * bulge / 2.0);
        box.add(a + toArcMiddle);
        box.add(b + toArcMiddle);
    } else {
        // The centre lies (1 - bulge^2) / (4 bulge) chords to the left of a->b.
        double k = (1.0 - bulge * bulge) / (4.0 * bulge);
        AcGePoint2d centre(0.5 * (a.x + b.x) - dy * k, 0.5 * (a.y + b.y) + dx * k);
        double radius = std::hypot(dx, dy) * (1.0 + bulge * bulge) / (4.0 * std::fabs(bulge));
        box.add(AcGePoint2d(centre.x - radius, centre.y - radius));
        box.add(AcGePoint2d(centre.x + radius, centre.y + radius));
    }
    double margin = toleranceMargin + kRoundingSlack * (1.0 + scale);
    box.lo[0] -= margin;
    box.lo[1] -= margin;
    box.hi[0] += margin;
    box.hi[1] += margin;
    return box;
}

// The boxes of every segment; false when a vertex cannot be read or a box is not made of numbers.
bool segmentBoxes(const AcDbPolyline* pline, int segmentCount, double toleranceMargin, std::vector<Box>& boxes)
{
    const unsigned int n = pline->numVerts();
    std::vector<AcGePoint2d> points(n);
    std::vector<double> bulges(n, 0.0);
    for (unsigned int at = 0; at < n; ++at)
        if (pline->getPointAt(at, points[at]) != Acad::eOk || pline->getBulgeAt(at, bulges[at]) != Acad::eOk)
            return false;
    const double elevation = pline->elevation();
    boxes.reserve(static_cast<size_t>(segmentCount));
    for (unsigned int at = 0; at < static_cast<unsigned int>(segmentCount); ++at) {
        boxes.push_back(segmentBox(points[at], points[(at + 1) % n], bulges[at], elevation, toleranceMargin));
        if (!boxes.back().finite())
            return false;
    }
    return true;
}

}  // namespace

namespace kernel_internal {

bool isSelfIntersectingPairwise(const AcDbPolyline* pline)
{
    if (pline == nullptr)
        return false;
    const int segmentCount = segmentCountOf(pline);
    if (segmentCount - 2 < 1)
        return false;
    for (int i = 0; i < segmentCount - 2; ++i) {
        SegmentView si = viewOf(pline, i);
        if (skippedAsFirst(si))
            continue;
        for (int j = i + 2; j < segmentCount; ++j) {
            if (!pairIsTested(i, j, segmentCount))
                continue;
            if (pairMeets(si, viewOf(pline, j)))
                return true;
        }
    }
    return false;
}

}  // namespace kernel_internal

// Sort and sweep: segments ordered by the low edge of their box along the polyline's longer side;
// each is paired only with the earlier ones whose boxes it overlaps. Those pairs go through the
// same rule as the pairwise test, and no pair left out can count, so the answer is the same.
bool isSelfIntersecting(const AcDbPolyline* pline)
{
    if (pline == nullptr)
        return false;
    const int segmentCount = segmentCountOf(pline);
    if (segmentCount - 2 < 1)
        return false;

    const double pointTolerance = AcGeContext::gTol.equalPoint();
    const double toleranceMargin = kToleranceMarginFactor * std::fabs(pointTolerance);
    if (!std::isfinite(toleranceMargin))
        return kernel_internal::isSelfIntersectingPairwise(pline);

    std::vector<Box> boxes;
    if (!segmentBoxes(pline, segmentCount, toleranceMargin, boxes))
        return kernel_internal::isSelfIntersectingPairwise(pline);

    Box all = boxes.front();
    for (const Box& box : boxes) {
        all.lo[0] = std::min(all.lo[0], box.lo[0]);
        all.lo[1] = std::min(all.lo[1], box.lo[1]);
        all.hi[0] = std::max(all.hi[0], box.hi[0]);
        all.hi[1] = std::max(all.hi[1], box.hi[1]);
    }
    const int sweepAxis = (all.hi[1] - all.lo[1]) > (all.hi[0] - all.lo[0]) ? 1 : 0;
    const int crossAxis = 1 - sweepAxis;

    std::vector<int> order(static_cast<size_t>(segmentCount));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&boxes, sweepAxis](int l, int r) {
        double ll = boxes[static_cast<size_t>(l)].lo[sweepAxis], rl = boxes[static_cast<size_t>(r)].lo[sweepAxis];
        return ll < rl || (!(rl < ll) && l < r);
    });

    std::vector<int> active;
    for (int k : order) {
        const Box& box = boxes[static_cast<size_t>(k)];
        for (size_t at = 0; at < active.size();) {
            if (boxes[static_cast<size_t>(active[at])].hi[sweepAxis] < box.lo[sweepAxis]) {
                active[at] = active.back();
                active.pop_back();
            } else {
                ++at;
            }
        }
        for (int other : active) {
            if (!box.overlapsOn(boxes[static_cast<size_t>(other)], crossAxis))
                continue;
            int i = std::min(k, other), j = std::max(k, other);
            if (pairIsTested(i, j, segmentCount) && pairCounts(pline, i, j))
                return true;
        }
        active.push_back(k);
    }
    return false;
}
