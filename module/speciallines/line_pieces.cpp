// The interrupted line: pieces between the decorations, cut out of the segments by a forward-only walk.
#include "speciallines/line_pieces.h"

#include <cmath>
#include <numbers>

#include "dbpl.h"
#include "gearc3d.h"
#include "gelnsg3d.h"

namespace kelvora::speciallines {

namespace {

// Parts shorter than this (in segment fractions or radians) are rounding leftovers, not pieces.
constexpr double kNegligible = 1e-8;
// Bounds the pieces of a line whose step is tiny against its length, as the decoration count is.
constexpr int kMaxPieces = 100001;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

}  // namespace

SegmentWalk::SegmentWalk(const AcDbPolyline& polyline)
    : m_polyline(polyline)
    , m_normal(polyline.normal())
{
}

void SegmentWalk::load(int index)
{
    m_index = index;
    m_kind = Kind::kNone;
    const unsigned count = m_polyline.numVerts();
    const unsigned segments = m_polyline.isClosed() ? count : (count > 0 ? count - 1 : 0);
    if (index < 0 || static_cast<unsigned>(index) >= segments)
        return;
    const auto at = static_cast<unsigned>(index);
    switch (m_polyline.segType(at)) {
    case AcDbPolyline::kLine: {
        AcGeLineSeg3d line;
        if (m_polyline.getLineSegAt(at, line) != Acad::eOk)
            return;
        m_start = line.startPoint();
        m_end = line.endPoint();
        m_length = m_start.distanceTo(m_end);
        m_kind = Kind::kStraight;
        break;
    }
    case AcDbPolyline::kArc: {
        AcGeCircArc3d arc;
        if (m_polyline.getArcSegAt(at, arc) != Acad::eOk || m_polyline.getPointAt(at, m_start) != Acad::eOk)
            return;
        m_polyline.getBulgeAt(at, m_bulge);
        m_center = arc.center();
        m_radius = arc.radius();
        m_sweep = arc.endAng() - arc.startAng();
        if (m_sweep < 0.0)
            m_sweep += kTwoPi;
        m_length = m_radius * m_sweep;
        m_kind = Kind::kArc;
        break;
    }
    default:
        break;
    }
}

void SegmentWalk::moveOn()
{
    m_startDistance += m_length;
    load(m_index + 1);
}

void SegmentWalk::piece(double from, double to, std::vector<LinePiece>& out)
{
    if (m_over)
        return;
    if (m_index < 0)
        load(0);
    for (;;) {
        const bool goOn = m_kind == Kind::kStraight ? straightPart(from, to, out)
                          : m_kind == Kind::kArc   ? arcPart(from, to, out)
                                                   : false;
        if (m_kind == Kind::kNone) {
            // Coincident vertices or the end of the line: nothing more to draw in this walk.
            m_over = true;
            return;
        }
        if (!goOn)
            return;
    }
}

// One step of the walk on a straight segment; true to go on with the next segment.
bool SegmentWalk::straightPart(double from, double to, std::vector<LinePiece>& out)
{
    const double c = m_startDistance;
    const double visibleStart = std::max(c, from);
    const double visibleEnd = std::min(c + m_length, to);
    if (!(visibleEnd > visibleStart)) {
        moveOn();
        return true;
    }
    const double t0 = (visibleStart - c) / m_length;
    const double t1 = (visibleEnd - c) / m_length;
    if (std::fabs(t0 - t1) < kNegligible)
        return false;
    LinePiece part;
    part.start = m_start + (m_end - m_start) * t0;
    part.end = m_start + (m_end - m_start) * t1;
    out.push_back(part);
    if (visibleEnd >= c + m_length)
        moveOn();
    return to > visibleEnd;
}

// One step of the walk on an arc segment; true to go on with the next segment.
bool SegmentWalk::arcPart(double from, double to, std::vector<LinePiece>& out)
{
    const double c = m_startDistance;
    const double visibleStart = std::max(c, from);
    const double visibleEnd = std::min(c + m_length, to);
    if (!(visibleEnd > visibleStart)) {
        moveOn();
        return true;
    }
    double a0 = (visibleStart - c) / m_radius;
    double a1 = (visibleEnd - c) / m_radius - a0;
    if (std::fabs(a1) < kNegligible)
        return false;
    if (a1 < 0.0)
        a1 += kTwoPi;
    const bool counterClockwise = m_bulge > 0.0;
    if (!counterClockwise)
        a0 = -a0;
    const double half = counterClockwise ? a1 / 2.0 : -a1 / 2.0;
    LinePiece part;
    part.isArc = true;
    part.center = m_center;
    part.radius = m_radius;
    part.counterClockwise = counterClockwise;
    part.start = m_start;
    part.start.rotateBy(a0, m_normal, m_center);
    part.middle = part.start;
    part.middle.rotateBy(half, m_normal, m_center);
    part.end = part.middle;
    part.end.rotateBy(half, m_normal, m_center);
    out.push_back(part);
    if (visibleEnd >= c + m_length)
        moveOn();
    return to > visibleEnd;
}

std::vector<LinePiece> interruptedLinePieces(const AcDbPolyline& polyline, const Placement& placement, double gap)
{
    std::vector<LinePiece> pieces;
    const double L = placement.length;
    const double s = placement.decoration;
    const double footprint = s + 2.0 * gap;
    SegmentWalk walk(polyline);
    double from = 0.0;
    double to = placement.start - s / 2.0 - gap;
    if (!(placement.step > 0.0)) {
        // A single decoration (no step to repeat it): the line runs up to it and on from it.
        if (to > from)
            walk.piece(from, std::min(to, L), pieces);
        from = placement.start + s / 2.0 + gap;
        if (L > from)
            walk.piece(from, L, pieces);
        return pieces;
    }
    if (to < 0.0) {
        from = gap + s / 2.0;
        to = placement.step - gap - s / 2.0;
    }
    for (int count = 0; L > from && count < kMaxPieces && !walk.isOver(); ++count) {
        // A piece of no or negative length (decorations closer than their footprint) leaves no line.
        if (to > from)
            walk.piece(from, to, pieces);
        from = std::min(to + footprint, L);
        to = std::min(from + placement.step - footprint, L);
    }
    return pieces;
}

}  // namespace kelvora::speciallines
