// Planar polyline geometry: segments from bulges, parameters, nearest points, lengths, area and stretches.
#include "pline_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "kelvora/bulge.h"
#include "kelvora/float_compare.h"
#include "kelvora/ocs.h"

namespace kelvora {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double normalizeAngle(double a)
{
    a = std::fmod(a, kTwoPi);
    if (a < 0.0)
        a += kTwoPi;
    return a;
}

bool isWorldZ(const AcGeVector3d& normal)
{
    return exactlyEqual(normal.x, 0.0) && exactlyEqual(normal.y, 0.0) && normal.z > 0.0;
}

double lerp(double a, double b, double f)
{
    return a + (b - a) * f;
}

}  // namespace

AcGePoint3d planeToWorld(const AcGePoint2d& pt, const AcGeVector3d& normal, double elevation)
{
    if (isWorldZ(normal))
        return AcGePoint3d(pt.x, pt.y, elevation);
    return ocsToWcs(AcGePoint3d(pt.x, pt.y, elevation), normal);
}

AcGePoint2d worldToPlane(const AcGePoint3d& pt, const AcGeVector3d& normal, double* elevation)
{
    AcGePoint3d ocs = isWorldZ(normal) ? pt : wcsToOcs(pt, normal);
    if (elevation != nullptr)
        *elevation = ocs.z;
    return AcGePoint2d(ocs.x, ocs.y);
}

// ----- PlineSegment ----------------------------------------------------------------------------------

AcGePoint2d PlineSegment::pointAt(double fraction) const
{
    if (exactlyEqual(fraction, 0.0))
        return start;
    if (exactlyEqual(fraction, 1.0))
        return end;
    if (kind == Kind::kArc) {
        double a = startAngle + fraction * sweep;
        return AcGePoint2d(center.x + radius * std::cos(a), center.y + radius * std::sin(a));
    }
    return AcGePoint2d(start.x + (end.x - start.x) * fraction, start.y + (end.y - start.y) * fraction);
}

AcGeVector2d PlineSegment::firstDerivAt(double fraction) const
{
    if (kind == Kind::kArc) {
        double a = startAngle + fraction * sweep;
        return AcGeVector2d(-std::sin(a), std::cos(a)) * (radius * sweep);
    }
    return end - start;
}

AcGeVector2d PlineSegment::secondDerivAt(double fraction) const
{
    if (kind == Kind::kArc) {
        double a = startAngle + fraction * sweep;
        return AcGeVector2d(std::cos(a), std::sin(a)) * (-radius * sweep * sweep);
    }
    return AcGeVector2d(0.0, 0.0);
}

double PlineSegment::closestFraction(const AcGePoint2d& pt, bool extendBefore, bool extendAfter) const
{
    if (kind == Kind::kCoincident)
        return 0.0;
    if (kind == Kind::kLine) {
        AcGeVector2d d = end - start;
        double len2 = d.lengthSqrd();
        double t = len2 > 0.0 ? (pt - start).dotProduct(d) / len2 : 0.0;
        if (!extendBefore)
            t = std::max(t, 0.0);
        if (!extendAfter)
            t = std::min(t, 1.0);
        return t;
    }
    AcGeVector2d v = pt - center;
    if (v.length() <= 0.0)
        return 0.0;
    double span = std::fabs(sweep);
    double along = normalizeAngle((std::atan2(v.y, v.x) - startAngle) * (sweep < 0.0 ? -1.0 : 1.0));
    if (along <= span)
        return along / span;
    if (extendBefore || extendAfter) {
        double excessAfter = along - span;
        double excessBefore = kTwoPi - along;
        bool after = extendAfter && (!extendBefore || excessAfter <= excessBefore);
        return after ? along / span : (along - kTwoPi) / span;
    }
    return pt.distanceTo(start) <= pt.distanceTo(end) ? 0.0 : 1.0;
}

double PlineSegment::partBulge(double f0, double f1) const
{
    if (kind != Kind::kArc)
        return 0.0;
    return std::tan((f1 - f0) * sweep / 4.0);
}

// ----- PlineGeometry ---------------------------------------------------------------------------------

int PlineGeometry::segmentCount() const
{
    int n = vertexCount();
    if (n < 2)
        return 0;
    return m_closed ? n : n - 1;
}

double PlineGeometry::endParam() const
{
    int n = vertexCount();
    if (n == 0)
        return 0.0;
    return m_closed && n > 1 ? static_cast<double>(n) : static_cast<double>(n - 1);
}

PlineSegment PlineGeometry::segment(int index) const
{
    int n = vertexCount();
    PlineSegment s;
    const PlineVertex& v0 = m_vertices[static_cast<size_t>(index)];
    const PlineVertex& v1 = m_vertices[static_cast<size_t>((index + 1) % n)];
    s.start = v0.point;
    s.end = v1.point;
    s.bulge = v0.bulge;
    if (s.start.isEqualTo(s.end)) {
        s.kind = PlineSegment::Kind::kCoincident;
        return s;
    }
    AcGeVector2d chord = s.end - s.start;
    double chordLength = chord.length();
    if (std::fabs(s.bulge) < kStraightBulge) {
        s.kind = PlineSegment::Kind::kLine;
        s.length = chordLength;
        return s;
    }
    // The centre lies on the chord's perpendicular bisector, (1 - b^2) / 4b of the chord's length to
    // the left of start->end (to the right for a negative bulge).
    double b = s.bulge;
    double k = (1.0 - b * b) / (4.0 * b);
    AcGePoint2d mid(0.5 * (s.start.x + s.end.x), 0.5 * (s.start.y + s.end.y));
    s.kind = PlineSegment::Kind::kArc;
    s.center.set(mid.x - chord.y * k, mid.y + chord.x * k);
    s.sweep = 4.0 * std::atan(b);
    s.radius = chordLength / (2.0 * std::sin(std::fabs(s.sweep) / 2.0));
    s.startAngle = std::atan2(s.start.y - s.center.y, s.start.x - s.center.x);
    s.length = s.radius * std::fabs(s.sweep);
    return s;
}

bool PlineGeometry::locate(double param, int& segmentIndex, double& fraction) const
{
    int count = segmentCount();
    if (count == 0)
        return false;
    double end = endParam();
    if (!std::isfinite(param) || param < -kParamTolerance || param > end + kParamTolerance)
        return false;
    param = std::clamp(param, 0.0, end);
    double whole = std::floor(param);
    int i = static_cast<int>(whole);
    double f = param - whole;
    if (i >= count) {
        i = count - 1;
        f = 1.0;
    }
    if (f < kParamTolerance)
        f = 0.0;
    else if (f > 1.0 - kParamTolerance)
        f = 1.0;
    segmentIndex = i;
    fraction = f;
    return true;
}

bool PlineGeometry::closestParam(const AcGePoint2d& pt, double& param, AcGePoint2d& nearest, bool extend) const
{
    int count = segmentCount();
    if (count == 0)
        return false;
    bool any = false;
    double best = 0.0;
    for (int i = 0; i < count; ++i) {
        PlineSegment s = segment(i);
        bool before = extend && !m_closed && i == 0;
        bool after = extend && !m_closed && i == count - 1;
        double f = s.closestFraction(pt, before, after);
        AcGePoint2d p = s.pointAt(f);
        double d = p.distanceTo(pt);
        if (!any || d < best) {
            any = true;
            best = d;
            param = i + f;
            nearest = p;
        }
    }
    return any;
}

void PlineGeometry::cumulativeLengths(std::vector<double>& lengths) const
{
    int count = segmentCount();
    lengths.assign(static_cast<size_t>(count) + 1, 0.0);
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        sum += segment(i).length;
        lengths[static_cast<size_t>(i) + 1] = sum;
    }
}

double PlineGeometry::signedArea() const
{
    int n = vertexCount();
    if (n < 2)
        return 0.0;
    // Measured from the first vertex: survey coordinates are large, their differences small.
    const AcGePoint2d& o = m_vertices[0].point;
    double twice = 0.0;
    for (int i = 0; i < n; ++i) {
        const AcGePoint2d& a = m_vertices[static_cast<size_t>(i)].point;
        const AcGePoint2d& b = m_vertices[static_cast<size_t>((i + 1) % n)].point;
        twice += (a.x - o.x) * (b.y - o.y) - (b.x - o.x) * (a.y - o.y);
    }
    double area = 0.5 * twice;
    int count = segmentCount();
    for (int i = 0; i < count; ++i) {
        PlineSegment s = segment(i);
        if (s.kind != PlineSegment::Kind::kArc)
            continue;
        double span = std::fabs(s.sweep);
        double part = 0.5 * s.radius * s.radius * (span - std::sin(span));
        area += s.sweep > 0.0 ? part : -part;
    }
    return area;
}

void PlineGeometry::pieces(const AcGeVector3d& normal, double elevation, PieceChain& chain) const
{
    chain.pieces.clear();
    chain.closed = m_closed && vertexCount() > 1;
    int count = segmentCount();
    chain.pieces.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        PlineSegment s = segment(i);
        if (s.kind == PlineSegment::Kind::kLine) {
            chain.pieces.push_back(CurvePiece::segment(planeToWorld(s.start, normal, elevation),
                                                       planeToWorld(s.end, normal, elevation), i));
        } else if (s.kind == PlineSegment::Kind::kArc) {
            AcGeVector3d startOcs(s.start.x - s.center.x, s.start.y - s.center.y, 0.0);
            AcGeVector3d startWcs = isWorldZ(normal) ? startOcs : ocsToWcs(startOcs, normal);
            chain.pieces.push_back(CurvePiece::arc(planeToWorld(s.center, normal, elevation), normal, startWcs,
                                                   s.radius, s.sweep, i));
        }
    }
}

void PlineGeometry::stretch(double p0, double p1, std::vector<PlineVertex>& out) const
{
    out.clear();
    int n = vertexCount();
    int count = segmentCount();
    if (count == 0 || !(p1 > p0))
        return;
    double w0 = std::floor(p0);
    double w1 = std::floor(p1);
    int i0 = static_cast<int>(w0);
    int i1 = static_cast<int>(w1);
    double f0 = p0 - w0;
    double f1 = p1 - w1;
    if (f0 > 1.0 - kParamTolerance) {
        ++i0;
        f0 = 0.0;
    } else if (f0 < kParamTolerance) {
        f0 = 0.0;
    }
    if (f1 < kParamTolerance && i1 > i0) {
        --i1;
        f1 = 1.0;
    } else if (f1 > 1.0 - kParamTolerance) {
        f1 = 1.0;
    }
    if (!m_closed) {
        i1 = std::min(i1, count - 1);
        if (i0 > count - 1)
            return;
    }
    // A segment's width runs linearly from its start width to its end width.
    auto widthAt = [&](int k, double f) {
        const PlineVertex& v = m_vertices[static_cast<size_t>(k % n)];
        return lerp(v.startWidth, v.endWidth, f);
    };
    out.reserve(static_cast<size_t>(i1 - i0) + 2);
    for (int k = i0; k <= i1; ++k) {
        PlineSegment s = segment(k % n);
        double a = k == i0 ? f0 : 0.0;
        double b = k == i1 ? f1 : 1.0;
        PlineVertex v;
        v.point = s.pointAt(a);
        v.bulge = s.kind == PlineSegment::Kind::kArc ? s.partBulge(a, b) : 0.0;
        if (s.kind == PlineSegment::Kind::kCoincident)
            v.bulge = m_vertices[static_cast<size_t>(k % n)].bulge;
        v.startWidth = widthAt(k, a);
        v.endWidth = widthAt(k, b);
        out.push_back(v);
    }
    PlineSegment last = segment(i1 % n);
    PlineVertex v;
    v.point = last.pointAt(f1);
    v.bulge = 0.0;
    v.startWidth = v.endWidth = widthAt(i1, f1);
    out.push_back(v);
}

}  // namespace kelvora
