// Pass 1: each stroke runs to the nearest limit ahead of it; the limits' segments sit in a grid walked along each stroke.
#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "dbents.h"
#include "slopes/slope_entity.h"
#include "slopes/slope_pass_support.h"
#include "slopes/slope_strokes.h"

namespace kelvora::slopes {

namespace {

// One box of a limit: a segment of a lightweight polyline, or the whole of any other entity.
struct LimitPiece {
    int limit = 0;
    int segment = -1;  // -1: the whole entity
    Box3d box;
};

// What one stroke has found of one limit so far.
struct LimitProbe {
    int firstSegment = std::numeric_limits<int>::max();
    int lastSegment = -1;
    bool whole = false;
    bool dirty = false;
    double nearest = kFarAway;  // ray parameter where the ray enters the nearest of its pieces
    bool touched = false;
    AcGePoint3dArray points;
};

bool needsLimitPass(const nPolyLineTalutee& slope)
{
    return slope.numVerts() >= 2 && !slope.limitIds().isEmpty();
}

// The boxes of every limit. Entities whose extents the host cannot give are asked for every stroke.
void limitPieces(const std::vector<AcDbEntity*>& limits, std::vector<LimitPiece>& pieces, std::vector<int>& always)
{
    for (size_t l = 0; l < limits.size(); ++l) {
        const AcDbEntity* entity = limits[l];
        if (const AcDbPolyline* polyline = AcDbPolyline::cast(entity)) {
            const unsigned count = polylineSegmentCount(*polyline);
            for (unsigned i = 0; i < count; ++i) {
                LimitPiece piece{static_cast<int>(l), static_cast<int>(i), {}};
                if (polylineSegmentBox(*polyline, i, piece.box))
                    pieces.push_back(piece);
            }
            continue;
        }
        AcDbExtents extents;
        if (entity->getGeomExtents(extents) != Acad::eOk) {
            always.push_back(static_cast<int>(l));
            continue;
        }
        pieces.push_back({static_cast<int>(l), -1, Box3d{extents.minPoint(), extents.maxPoint()}});
    }
    for (LimitPiece& piece : pieces)
        piece.box.widen(std::max(boxMargin(piece.box.lo), boxMargin(piece.box.hi)));
}

}  // namespace

void trimStrokesToLimitsPairwise(const nPolyLineTalutee& slope, const AcGePoint3dArray& base, AcGePoint3dArray& end)
{
    if (!needsLimitPass(slope))
        return;
    OpenedLimits limits(slope);
    for (int k = 0; k < base.length(); ++k) {
        const AcGePoint3d from = base[k];
        const AcGeVector3d direction = (end[k] - from).normal();
        AcDbLine stroke(from, end[k]);
        double best = kFarAway;
        for (AcDbEntity* limit : limits.entities()) {
            AcGePoint3dArray points;
            if (stroke.intersectWith(limit, AcDb::kExtendThis, points) == Acad::eOk)
                takeNearestAhead(points, from, direction, best, end[k]);
        }
    }
}

// The same as the pairwise pass. For each stroke the grid is walked along the ray from the base,
// cell by cell, nearest first; each limit met is intersected over the run of its segments met so
// far (nearest limit first), and the walk stops once the next cell lies beyond the nearest point
// found. Segments left out cannot hold a point nearer than that, nor one that would hide a nearer
// point, so the final choice, made in limit order over the points each limit gave, is the pairwise
// one, bit for bit.
void trimStrokesToLimits(const nPolyLineTalutee& slope, const AcGePoint3dArray& base, AcGePoint3dArray& end)
{
    if (!needsLimitPass(slope))
        return;
    OpenedLimits limits(slope);
    const std::vector<AcDbEntity*>& entities = limits.entities();
    std::vector<LimitPiece> pieces;
    std::vector<int> always;
    limitPieces(entities, pieces, always);
    std::vector<Box2d> plans;
    plans.reserve(pieces.size());
    for (const LimitPiece& piece : pieces)
        plans.push_back(piece.box.plan());
    const BoxGrid grid(plans);

    std::vector<LimitProbe> probes(entities.size());
    std::vector<int> touched;
    std::vector<int> grown;
    std::vector<std::pair<double, uint32_t>> met;
    std::vector<int> pieceStamp(pieces.size(), -1);
    OutlineSpan span;
    for (int k = 0; k < base.length(); ++k) {
        const AcGePoint3d from = base[k];
        const AcGeVector3d direction = (end[k] - from).normal();
        AcDbLine stroke(from, end[k]);
        const double margin = boxMargin(from);
        // The walk starts a little behind the base: a point at the base itself is still found.
        const AcGePoint3d origin = from - direction * margin;
        double bound = kFarAway;

        auto probe = [&](int l) -> LimitProbe& {
            LimitProbe& p = probes[static_cast<size_t>(l)];
            if (!p.touched) {
                p.touched = true;
                touched.push_back(l);
            }
            return p;
        };
        auto evaluate = [&](int l) {
            LimitProbe& p = probes[static_cast<size_t>(l)];
            p.dirty = false;
            p.points.setLogicalLength(0);
            const AcDbEntity* entity = entities[static_cast<size_t>(l)];
            if (!p.whole) {
                if (const AcDbPolyline* polyline = AcDbPolyline::cast(entity))
                    entity = span.of(*polyline, static_cast<unsigned>(p.firstSegment),
                                     static_cast<unsigned>(p.lastSegment));
            }
            if (stroke.intersectWith(entity, AcDb::kExtendThis, p.points) != Acad::eOk) {
                p.points.setLogicalLength(0);
                return;
            }
            AcGePoint3d ignored;
            takeNearestAhead(p.points, from, direction, bound, ignored);
        };

        for (int l : always) {
            LimitProbe& p = probe(l);
            p.whole = true;
            p.nearest = 0.0;
            evaluate(l);
        }
        if (!grid.empty() && direction.length() > 0.0) {
            grid.walkRay(origin.x, origin.y, direction.x, direction.y,
                         [&](const uint32_t* items, uint32_t count, double cellEnter) {
                             if (cellEnter > bound + 2.0 * margin)
                                 return false;
                             // The cell's pieces the ray enters, nearest first.
                             met.clear();
                             for (uint32_t n = 0; n < count; ++n) {
                                 const uint32_t item = items[n];
                                 if (pieceStamp[item] == k)
                                     continue;
                                 pieceStamp[item] = k;
                                 double enter = 0.0;
                                 if (pieces[item].box.rayEntry(origin, direction, enter))
                                     met.emplace_back(enter, item);
                             }
                             std::sort(met.begin(), met.end());
                             for (const auto& [enter, item] : met) {
                                 if (enter > bound + 2.0 * margin)
                                     break;
                                 const LimitPiece& piece = pieces[item];
                                 LimitProbe& p = probe(piece.limit);
                                 if (piece.segment < 0) {
                                     p.whole = true;
                                 } else {
                                     p.firstSegment = std::min(p.firstSegment, piece.segment);
                                     p.lastSegment = std::max(p.lastSegment, piece.segment);
                                 }
                                 p.nearest = std::min(p.nearest, enter);
                                 p.dirty = true;
                             }
                             // Limits with new pieces, nearest first; one whose nearest piece lies
                             // beyond the nearest point found by then cannot matter (yet).
                             grown.clear();
                             for (int l : touched) {
                                 if (probes[static_cast<size_t>(l)].dirty)
                                     grown.push_back(l);
                             }
                             std::sort(grown.begin(), grown.end(), [&](int a, int b) {
                                 return probes[static_cast<size_t>(a)].nearest < probes[static_cast<size_t>(b)].nearest;
                             });
                             for (int l : grown) {
                                 if (probes[static_cast<size_t>(l)].nearest > bound + 2.0 * margin)
                                     break;
                                 evaluate(l);
                             }
                             return true;
                         });
        }

        // The pairwise choice: limits in their order, each one's points in the order given.
        std::sort(touched.begin(), touched.end());
        double best = kFarAway;
        for (int l : touched) {
            LimitProbe& p = probes[static_cast<size_t>(l)];
            takeNearestAhead(p.points, from, direction, best, end[k]);
            p.firstSegment = std::numeric_limits<int>::max();
            p.lastSegment = -1;
            p.whole = false;
            p.dirty = false;
            p.touched = false;
            p.nearest = kFarAway;
            p.points.setLogicalLength(0);
        }
        touched.clear();
    }
}

}  // namespace kelvora::slopes
