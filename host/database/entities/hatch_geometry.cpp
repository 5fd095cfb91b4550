// Hatch geometry: loops flattened to polygons, island depths, areas and pattern lines clipped by the even-odd rule.
#include "hatch_geometry.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <numbers>

#include "acutads.h"
#include "hatch_edges.h"
#include "kelvora/float_compare.h"
#include "pline_geometry.h"

namespace kelvora {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// An arc is cut into at most this many chords, whatever the deviation asked.
constexpr int kMaxChordsPerArc = 1024;

int chordCount(double radius, double sweep, double deviation)
{
    if (!(radius > 0.0) || !(deviation > 0.0) || deviation >= radius)
        return std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (std::numbers::pi / 2.0))));
    double step = 2.0 * std::acos(1.0 - deviation / radius);
    int n = static_cast<int>(std::ceil(std::fabs(sweep) / step));
    return std::clamp(n, 1, kMaxChordsPerArc);
}

void push(std::vector<AcGePoint2d>& points, const AcGePoint2d& p)
{
    if (points.empty() || !points.back().isEqualTo(p))
        points.push_back(p);
}

// Points of the edge from its start up to (not including) its end.
void flattenEdge(const HatchEdge& e, double deviation, std::vector<AcGePoint2d>& points)
{
    switch (e.type) {
    case AcDbHatch::kLine:
        push(points, e.start);
        break;
    case AcDbHatch::kCirArc:
    case AcDbHatch::kEllArc: {
        // Angles run in the edge's own sense: clockwise edges measure them clockwise.
        const double sign = e.ccw ? 1.0 : -1.0;
        double sweep = e.endAngle - e.startAngle;
        if (sweep <= 0.0)
            sweep += kTwoPi;
        AcGeVector2d major(e.radius, 0.0);
        AcGeVector2d minor(0.0, e.radius);
        double size = e.radius;
        if (e.type == AcDbHatch::kEllArc) {
            major = e.end.asVector();
            minor = AcGeVector2d(-major.y, major.x) * e.radius;
            size = major.length();
        }
        int n = chordCount(size, sweep, deviation);
        for (int i = 0; i < n; ++i) {
            double a = sign * (e.startAngle + sweep * i / n);
            push(points, e.start + major * std::cos(a) + minor * std::sin(a));
        }
        break;
    }
    case AcDbHatch::kSpline: {
        const AcGeNurbCurve2d curve = splineOfEdge(e);
        AcGePoint2dArray pts;
        AcGeDoubleArray params;
        AcGePoint2d start;
        if (curve.hasStartPoint(start))
            curve.getSamplePoints(curve.startParam(), curve.endParam(), deviation, pts, params);
        for (int i = 0; i + 1 < pts.length(); ++i)
            push(points, pts[i]);
        if (pts.length() == 1)
            push(points, pts[0]);
        break;
    }
    default:
        break;
    }
}

bool insidePolygon(const std::vector<AcGePoint2d>& poly, const AcGePoint2d& p)
{
    bool inside = false;
    const size_t n = poly.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const AcGePoint2d& a = poly[i];
        const AcGePoint2d& b = poly[j];
        if ((a.y > p.y) != (b.y > p.y)) {
            double x = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (p.x < x)
                inside = !inside;
        }
    }
    return inside;
}

double polygonArea(const std::vector<AcGePoint2d>& poly)
{
    if (poly.size() < 3)
        return 0.0;
    const AcGePoint2d& o = poly.front();
    double twice = 0.0;
    for (size_t i = 0; i < poly.size(); ++i) {
        const AcGePoint2d& a = poly[i];
        const AcGePoint2d& b = poly[(i + 1) % poly.size()];
        twice += (a.x - o.x) * (b.y - o.y) - (b.x - o.x) * (a.y - o.y);
    }
    return 0.5 * twice;
}

}  // namespace

HatchData::~HatchData()
{
    acutRelRb(gradient);
}

bool HatchData::isSolid() const
{
    return patternType == AcDbHatch::kPreDefined && patternName.size() == 5 &&
           std::equal(patternName.begin(), patternName.end(), L"SOLID",
                      [](wchar_t a, wchar_t b) { return std::towupper(static_cast<wint_t>(a)) == static_cast<wint_t>(b); });
}

void flattenLoop(const HatchLoop& loop, double deviation, std::vector<AcGePoint2d>& points)
{
    points.clear();
    if ((loop.type & AcDbHatch::kPolyline) != 0) {
        std::vector<PlineVertex> vertices;
        for (size_t i = 0; i < loop.vertices.size(); ++i) {
            PlineVertex v;
            v.point = loop.vertices[i];
            v.bulge = i < loop.bulges.size() ? loop.bulges[i] : 0.0;
            vertices.push_back(v);
        }
        PlineGeometry geometry(vertices, true);
        for (int i = 0; i < geometry.segmentCount(); ++i) {
            PlineSegment s = geometry.segment(i);
            push(points, s.start);
            if (s.kind != PlineSegment::Kind::kArc)
                continue;
            int n = chordCount(s.radius, s.sweep, deviation);
            for (int k = 1; k < n; ++k)
                push(points, s.pointAt(static_cast<double>(k) / n));
        }
        if (geometry.segmentCount() == 0 && !loop.vertices.empty())
            push(points, loop.vertices.front());
    } else {
        for (const HatchEdge& e : loop.edges)
            flattenEdge(e, deviation, points);
    }
    while (points.size() > 1 && points.back().isEqualTo(points.front()))
        points.pop_back();
}

double loopsSize(const HatchData& data)
{
    bool any = false;
    AcGePoint2d lo;
    AcGePoint2d hi;
    auto add = [&](const AcGePoint2d& p) {
        if (!any) {
            lo = hi = p;
            any = true;
        }
        lo.set(std::min(lo.x, p.x), std::min(lo.y, p.y));
        hi.set(std::max(hi.x, p.x), std::max(hi.y, p.y));
    };
    for (const HatchLoop& loop : data.loops) {
        for (const AcGePoint2d& p : loop.vertices)
            add(p);
        for (const HatchEdge& e : loop.edges) {
            add(e.start);
            if (e.type == AcDbHatch::kLine)
                add(e.end);
            else if (e.type == AcDbHatch::kCirArc) {
                add(e.start + AcGeVector2d(e.radius, e.radius));
                add(e.start - AcGeVector2d(e.radius, e.radius));
            } else if (e.type == AcDbHatch::kEllArc) {
                double r = e.end.asVector().length();
                add(e.start + AcGeVector2d(r, r));
                add(e.start - AcGeVector2d(r, r));
            }
            for (const AcGePoint2d& p : e.controlPoints)
                add(p);
        }
    }
    return any ? lo.distanceTo(hi) : 0.0;
}

void fillPolygons(const HatchData& data, double deviation, std::vector<std::vector<AcGePoint2d>>& polygons)
{
    polygons.clear();
    std::vector<std::vector<AcGePoint2d>> all;
    for (const HatchLoop& loop : data.loops) {
        std::vector<AcGePoint2d> pts;
        flattenLoop(loop, deviation, pts);
        if (pts.size() >= 3)
            all.push_back(std::move(pts));
    }
    // Depth of each loop: how many others hold it. Islands alternate with depth; the style keeps
    // every depth (normal), the outer boundary and the first islands (outer), or the outer only.
    int maxDepth = data.style == AcDbHatch::kNormal ? 1 << 30 : (data.style == AcDbHatch::kOuter ? 1 : 0);
    for (size_t i = 0; i < all.size(); ++i) {
        int depth = 0;
        for (size_t j = 0; j < all.size(); ++j)
            if (j != i && insidePolygon(all[j], all[i].front()))
                ++depth;
        if (depth <= maxDepth)
            polygons.push_back(all[i]);
    }
}

double filledArea(const HatchData& data, double deviation)
{
    std::vector<std::vector<AcGePoint2d>> polygons;
    fillPolygons(data, deviation, polygons);
    double area = 0.0;
    for (size_t i = 0; i < polygons.size(); ++i) {
        int depth = 0;
        for (size_t j = 0; j < polygons.size(); ++j)
            if (j != i && insidePolygon(polygons[j], polygons[i].front()))
                ++depth;
        double a = std::fabs(polygonArea(polygons[i]));
        area += depth % 2 == 0 ? a : -a;
    }
    return std::fabs(area);
}

void bridgedPolygon(const std::vector<std::vector<AcGePoint2d>>& polygons, std::vector<AcGePoint2d>& out)
{
    out.clear();
    if (polygons.empty())
        return;
    // Every other loop joins the first through a bridge walked both ways, turning against it, so that
    // both the even-odd and the non-zero fill rules leave the islands empty.
    const std::vector<AcGePoint2d>& outer = polygons.front();
    const bool outerCcw = polygonArea(outer) > 0.0;
    out = outer;
    out.push_back(outer.front());
    for (size_t i = 1; i < polygons.size(); ++i) {
        std::vector<AcGePoint2d> hole = polygons[i];
        if ((polygonArea(hole) > 0.0) == outerCcw)
            std::reverse(hole.begin() + 1, hole.end());
        out.insert(out.end(), hole.begin(), hole.end());
        out.push_back(hole.front());
        out.push_back(outer.front());
    }
}

Acad::ErrorStatus patternSegments(const std::vector<PatternLine>& families,
                                  const std::vector<std::vector<AcGePoint2d>>& polygons, size_t maxSegments,
                                  std::vector<std::pair<AcGePoint2d, AcGePoint2d>>& out)
{
    out.clear();
    if (polygons.empty())
        return Acad::eOk;
    AcGePoint2d lo = polygons.front().front();
    AcGePoint2d hi = lo;
    for (const auto& poly : polygons)
        for (const AcGePoint2d& p : poly) {
            lo.set(std::min(lo.x, p.x), std::min(lo.y, p.y));
            hi.set(std::max(hi.x, p.x), std::max(hi.y, p.y));
        }
    const AcGePoint2d corners[4] = {lo, AcGePoint2d(hi.x, lo.y), hi, AcGePoint2d(lo.x, hi.y)};
    std::vector<double> crossings;
    for (const PatternLine& family : families) {
        const AcGeVector2d d(std::cos(family.angle), std::sin(family.angle));
        const AcGeVector2d n(-d.y, d.x);
        const AcGePoint2d base(family.baseX, family.baseY);
        const AcGeVector2d offset(family.offsetX, family.offsetY);
        const double spacing = offset.dotProduct(n);
        if (std::fabs(spacing) <= AcGeContext::gTol.equalPoint())
            continue;
        double minS = corners[0].asVector().dotProduct(n);
        double maxS = minS;
        for (const AcGePoint2d& c : corners) {
            double s = c.asVector().dotProduct(n);
            minS = std::min(minS, s);
            maxS = std::max(maxS, s);
        }
        const double s0 = base.asVector().dotProduct(n);
        double k0 = (minS - s0) / spacing;
        double k1 = (maxS - s0) / spacing;
        if (k0 > k1)
            std::swap(k0, k1);
        const long long first = static_cast<long long>(std::floor(k0));
        const long long last = static_cast<long long>(std::ceil(k1));
        if (static_cast<double>(last - first) > static_cast<double>(maxSegments))
            return Acad::eInvalidInput;  // the pattern is too dense for the area
        double period = 0.0;
        for (double dash : family.dashes)
            period += std::fabs(dash);
        for (long long k = first; k <= last; ++k) {
            const AcGePoint2d origin = base + offset * static_cast<double>(k);
            crossings.clear();
            for (const auto& poly : polygons) {
                for (size_t i = 0; i < poly.size(); ++i) {
                    const AcGePoint2d& a = poly[i];
                    const AcGePoint2d& b = poly[(i + 1) % poly.size()];
                    double sa = (a - origin).dotProduct(n);
                    double sb = (b - origin).dotProduct(n);
                    if ((sa > 0.0) == (sb > 0.0))
                        continue;
                    double lambda = sa / (sa - sb);
                    AcGePoint2d x = a + (b - a) * lambda;
                    crossings.push_back((x - origin).dotProduct(d));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t c = 0; c + 1 < crossings.size(); c += 2) {
                const double t0 = crossings[c];
                const double t1 = crossings[c + 1];
                if (period <= 0.0) {
                    out.emplace_back(origin + d * t0, origin + d * t1);
                } else {
                    // Dashes repeat from the family's line origin: positive draws, negative skips,
                    // zero is a dot.
                    double start = std::floor(t0 / period) * period;
                    for (double t = start; t < t1;) {
                        for (double dash : family.dashes) {
                            double len = std::fabs(dash);
                            if (dash >= 0.0) {
                                double a = std::max(t, t0);
                                double b = std::min(t + len, t1);
                                if (b >= a && (a < t1 || exactlyEqual(len, 0.0)))
                                    out.emplace_back(origin + d * a, origin + d * b);
                            }
                            t += len;
                            if (t >= t1)
                                break;
                        }
                    }
                }
                if (out.size() > maxSegments)
                    return Acad::eInvalidInput;
            }
        }
    }
    return Acad::eOk;
}

}  // namespace kelvora
