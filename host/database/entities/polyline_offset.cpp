// AcDbPolyline::getOffsetCurves: each segment moved sideways, neighbours joined where their extensions cross.
#include "dbpl.h"

#include <cmath>
#include <numbers>

#include "entity_util.h"
#include "pline_geometry.h"

using kelvora::PlineGeometry;
using kelvora::PlineSegment;

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

struct OffsetSegment {
    bool arc = false;
    AcGePoint2d start;
    AcGePoint2d end;
    AcGePoint2d center;
    double radius = 0.0;
    double sweep = 0.0;        // the original signed sweep
    AcGePoint2d sourceStart;   // the original vertex the segment starts at
    int sourceIndex = 0;
};

// Points where the carriers (infinite line or whole circle) of two offset segments meet.
void carrierCrossings(const OffsetSegment& a, const OffsetSegment& b, std::vector<AcGePoint2d>& out)
{
    auto lineCircle = [&](const OffsetSegment& line, const OffsetSegment& circle) {
        AcGeVector2d d = line.end - line.start;
        double len2 = d.lengthSqrd();
        if (len2 <= 0.0)
            return;
        double t = (circle.center - line.start).dotProduct(d) / len2;
        AcGePoint2d foot = line.start + d * t;
        double h = foot.distanceTo(circle.center);
        if (h > circle.radius)
            return;
        double half = std::sqrt(circle.radius * circle.radius - h * h) / std::sqrt(len2);
        out.push_back(foot + d * half);
        out.push_back(foot - d * half);
    };
    if (!a.arc && !b.arc) {
        AcGeVector2d d1 = a.end - a.start;
        AcGeVector2d d2 = b.end - b.start;
        double den = d1.x * d2.y - d1.y * d2.x;
        if (std::fabs(den) <= AcGeContext::gTol.equalVector() * d1.length() * d2.length())
            return;
        AcGeVector2d w = b.start - a.start;
        double s = (w.x * d2.y - w.y * d2.x) / den;
        out.push_back(a.start + d1 * s);
    } else if (!a.arc) {
        lineCircle(a, b);
    } else if (!b.arc) {
        lineCircle(b, a);
    } else {
        AcGeVector2d c12 = b.center - a.center;
        double d = c12.length();
        if (d <= 0.0 || d > a.radius + b.radius || d < std::fabs(a.radius - b.radius))
            return;
        double along = (d * d + a.radius * a.radius - b.radius * b.radius) / (2.0 * d);
        double h = std::sqrt(std::max(a.radius * a.radius - along * along, 0.0));
        AcGeVector2d u = c12 / d;
        AcGeVector2d v(-u.y, u.x);
        out.push_back(a.center + u * along + v * h);
        out.push_back(a.center + u * along - v * h);
    }
}

// The bulge of an offset arc between its (moved) ends, turning as the original; false when the ends
// crossed over (the arc shrank to nothing).
bool offsetArcBulge(const OffsetSegment& s, double& bulge)
{
    double a0 = std::atan2(s.start.y - s.center.y, s.start.x - s.center.x);
    double a1 = std::atan2(s.end.y - s.center.y, s.end.x - s.center.x);
    double sweep = a1 - a0;
    if (s.sweep > 0.0) {
        while (sweep <= 0.0)
            sweep += kTwoPi;
    } else {
        while (sweep >= 0.0)
            sweep -= kTwoPi;
    }
    if (std::fabs(sweep - s.sweep) > std::numbers::pi)
        return false;
    bulge = std::tan(sweep / 4.0);
    return true;
}

}  // namespace

Acad::ErrorStatus AcDbPolyline::getOffsetCurves(double offsetDist, AcDbVoidPtrArray& offsetCurves) const
{
    assertReadEnabled();
    if (!std::isfinite(offsetDist))
        return Acad::eInvalidInput;
    PlineGeometry geometry(m_vertices, m_closed);
    std::vector<OffsetSegment> segs;
    for (int i = 0; i < geometry.segmentCount(); ++i) {
        PlineSegment s = geometry.segment(i);
        if (s.kind == PlineSegment::Kind::kCoincident)
            continue;
        OffsetSegment o;
        o.sourceStart = s.start;
        o.sourceIndex = i;
        if (s.kind == PlineSegment::Kind::kLine) {
            AcGeVector2d d = (s.end - s.start) / s.length;
            AcGeVector2d right(d.y, -d.x);
            o.start = s.start + right * offsetDist;
            o.end = s.end + right * offsetDist;
        } else {
            // The right of the direction of travel is outside a counter-clockwise arc.
            double radius = s.radius + offsetDist * (s.sweep > 0.0 ? 1.0 : -1.0);
            if (!(radius > kelvora::pointTolerance(AcGePoint3d(s.center.x, s.center.y, 0.0))))
                return Acad::eNotApplicable;
            o.arc = true;
            o.center = s.center;
            o.radius = radius;
            o.sweep = s.sweep;
            o.start = s.center + (s.start - s.center) * (radius / s.radius);
            o.end = s.center + (s.end - s.center) * (radius / s.radius);
        }
        segs.push_back(o);
    }
    if (segs.empty())
        return Acad::eDegenerateGeometry;
    // Joins: where consecutive offsets do not meet, they are cut or lengthened to the crossing of
    // their carriers nearest to the vertex they shared; without a crossing a straight piece links them.
    std::vector<bool> linkAfter(segs.size(), false);
    const size_t joins = m_closed ? segs.size() : segs.size() - 1;
    for (size_t k = 0; k < joins; ++k) {
        OffsetSegment& a = segs[k];
        OffsetSegment& b = segs[(k + 1) % segs.size()];
        if (a.end.isEqualTo(b.start))
            continue;
        std::vector<AcGePoint2d> crossings;
        carrierCrossings(a, b, crossings);
        if (crossings.empty()) {
            linkAfter[k] = true;
            continue;
        }
        AcGePoint2d best = crossings.front();
        for (const AcGePoint2d& c : crossings)
            if (c.distanceTo(b.sourceStart) < best.distanceTo(b.sourceStart))
                best = c;
        a.end = best;
        b.start = best;
    }
    auto* result = new AcDbPolyline(static_cast<unsigned int>(segs.size() + 1));
    unsigned int index = 0;
    for (size_t k = 0; k < segs.size(); ++k) {
        const OffsetSegment& s = segs[k];
        double bulge = 0.0;
        if (s.arc && !offsetArcBulge(s, bulge)) {
            delete result;
            return Acad::eNotApplicable;
        }
        const Vertex& src = m_vertices[static_cast<size_t>(s.sourceIndex)];
        result->addVertexAt(index++, s.start, bulge, src.startWidth, src.endWidth);
        if (linkAfter[k] && (m_closed || k + 1 < segs.size()))
            result->addVertexAt(index++, s.end, 0.0, src.endWidth, src.endWidth);
    }
    if (!m_closed)
        result->addVertexAt(index, segs.back().end, 0.0);
    result->setPropertiesFrom(this);
    result->setNormal(m_normal);
    result->setElevation(m_elevation);
    result->setThickness(m_thickness);
    result->setClosed(m_closed);
    result->setPlinegen(m_plinegen);
    offsetCurves.append(result);
    return Acad::eOk;
}
