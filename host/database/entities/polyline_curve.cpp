// AcDbPolyline as a curve: parameters, distances (cached), derivatives, nearest points, splits, extension, area.
#include "dbpl.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dbspline.h"
#include "entity_util.h"
#include "geplane.h"
#include "kelvora/ocs.h"
#include "pline_geometry.h"
#include "spline_build.h"

using kelvora::PlineGeometry;
using kelvora::PlineSegment;

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Summed lengths carry the rounding of every segment: a billionth of a millionth of the whole.
constexpr double kRelativeLengthTolerance = 1e-12;

AcGeVector3d planeVectorToWorld(const AcGeVector2d& v, const AcGeVector3d& normal)
{
    return kelvora::ocsToWcs(AcGeVector3d(v.x, v.y, 0.0), normal);
}

}  // namespace

Adesk::Boolean AcDbPolyline::isClosed() const
{
    assertReadEnabled();
    return m_closed;
}

Adesk::Boolean AcDbPolyline::isPeriodic() const
{
    assertReadEnabled();
    return Adesk::kFalse;
}

Acad::ErrorStatus AcDbPolyline::getStartParam(double& param) const
{
    assertReadEnabled();
    if (m_vertices.empty())
        return Acad::eDegenerateGeometry;
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getEndParam(double& param) const
{
    assertReadEnabled();
    if (m_vertices.empty())
        return Acad::eDegenerateGeometry;
    param = PlineGeometry(m_vertices, m_closed).endParam();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getStartPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    if (m_vertices.empty())
        return Acad::eDegenerateGeometry;
    point = kelvora::planeToWorld(m_vertices.front().point, m_normal, m_elevation);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getEndPoint(AcGePoint3d& point) const
{
    assertReadEnabled();
    if (m_vertices.empty())
        return Acad::eDegenerateGeometry;
    const Vertex& v = m_closed ? m_vertices.front() : m_vertices.back();
    point = kelvora::planeToWorld(v.point, m_normal, m_elevation);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAtParam(double param, AcGePoint3d& point) const
{
    assertReadEnabled();
    if (m_vertices.empty())
        return Acad::eDegenerateGeometry;
    if (m_vertices.size() == 1) {
        if (std::fabs(param) > kelvora::kParamTolerance)
            return Acad::eInvalidInput;
        point = kelvora::planeToWorld(m_vertices.front().point, m_normal, m_elevation);
        return Acad::eOk;
    }
    PlineGeometry geometry(m_vertices, m_closed);
    int seg = 0;
    double f = 0.0;
    if (!geometry.locate(param, seg, f))
        return Acad::eInvalidInput;
    point = kelvora::planeToWorld(geometry.segment(seg).pointAt(f), m_normal, m_elevation);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getParamAtPoint(const AcGePoint3d& point, double& param) const
{
    assertReadEnabled();
    if (m_vertices.empty())
        return Acad::eDegenerateGeometry;
    PlineGeometry geometry(m_vertices, m_closed);
    double elevation = 0.0;
    AcGePoint2d p2 = kelvora::worldToPlane(point, m_normal, &elevation);
    double found = 0.0;
    AcGePoint2d nearest = m_vertices.front().point;
    if (geometry.segmentCount() > 0)
        geometry.closestParam(p2, found, nearest);
    AcGePoint3d onCurve = kelvora::planeToWorld(nearest, m_normal, m_elevation);
    if (onCurve.distanceTo(point) > kelvora::onCurveTolerance(point))
        return Acad::eInvalidInput;
    param = found;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getDistAtParam(double param, double& dist) const
{
    assertReadEnabled();
    if (m_vertices.empty())
        return Acad::eDegenerateGeometry;
    if (m_vertices.size() == 1) {
        if (std::fabs(param) > kelvora::kParamTolerance)
            return Acad::eInvalidInput;
        dist = 0.0;
        return Acad::eOk;
    }
    int seg = 0;
    double f = 0.0;
    if (!PlineGeometry(m_vertices, m_closed).locate(param, seg, f))
        return Acad::eInvalidInput;
    const std::vector<double>& lengths = cumulativeLengths();
    const double start = lengths[static_cast<size_t>(seg)];
    const double end = lengths[static_cast<size_t>(seg) + 1];
    dist = start + (end - start) * f;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getParamAtDist(double dist, double& param) const
{
    assertReadEnabled();
    if (m_vertices.empty())
        return Acad::eDegenerateGeometry;
    if (!std::isfinite(dist))
        return Acad::eInvalidInput;
    const std::vector<double>& lengths = cumulativeLengths();
    const double total = lengths.back();
    const double tol = std::max(AcGeContext::gTol.equalPoint(), kRelativeLengthTolerance * total);
    if (dist < -tol || dist > total + tol)
        return Acad::eInvalidInput;
    dist = std::clamp(dist, 0.0, total);
    const int count = static_cast<int>(lengths.size()) - 1;
    if (count <= 0) {
        param = 0.0;
        return Acad::eOk;
    }
    // The last vertex at or before dist: zero-length segments are passed over.
    auto it = std::upper_bound(lengths.begin(), lengths.end(), dist);
    int seg = static_cast<int>(it - lengths.begin()) - 1;
    if (seg >= count) {
        param = PlineGeometry(m_vertices, m_closed).endParam();
        return Acad::eOk;
    }
    seg = std::max(seg, 0);
    const double len = lengths[static_cast<size_t>(seg) + 1] - lengths[static_cast<size_t>(seg)];
    const double f = len > 0.0 ? (dist - lengths[static_cast<size_t>(seg)]) / len : 0.0;
    param = seg + std::clamp(f, 0.0, 1.0);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getFirstDeriv(double param, AcGeVector3d& firstDeriv) const
{
    assertReadEnabled();
    PlineGeometry geometry(m_vertices, m_closed);
    int seg = 0;
    double f = 0.0;
    if (!geometry.locate(param, seg, f))
        return m_vertices.size() < 2 ? Acad::eDegenerateGeometry : Acad::eInvalidInput;
    firstDeriv = planeVectorToWorld(geometry.segment(seg).firstDerivAt(f), m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getFirstDeriv(const AcGePoint3d& point, AcGeVector3d& firstDeriv) const
{
    return AcDbCurve::getFirstDeriv(point, firstDeriv);
}

Acad::ErrorStatus AcDbPolyline::getSecondDeriv(double param, AcGeVector3d& secDeriv) const
{
    assertReadEnabled();
    PlineGeometry geometry(m_vertices, m_closed);
    int seg = 0;
    double f = 0.0;
    if (!geometry.locate(param, seg, f))
        return m_vertices.size() < 2 ? Acad::eDegenerateGeometry : Acad::eInvalidInput;
    secDeriv = planeVectorToWorld(geometry.segment(seg).secondDerivAt(f), m_normal);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getSecondDeriv(const AcGePoint3d& point, AcGeVector3d& secDeriv) const
{
    return AcDbCurve::getSecondDeriv(point, secDeriv);
}

Acad::ErrorStatus AcDbPolyline::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                                  Adesk::Boolean extend) const
{
    assertReadEnabled();
    if (m_vertices.empty())
        return Acad::eDegenerateGeometry;
    PlineGeometry geometry(m_vertices, m_closed);
    AcGePoint2d p2 = kelvora::worldToPlane(givenPnt, m_normal);
    double param = 0.0;
    AcGePoint2d nearest = m_vertices.front().point;
    if (geometry.segmentCount() > 0)
        geometry.closestParam(p2, param, nearest, extend);
    pointOnCurve = kelvora::planeToWorld(nearest, m_normal, m_elevation);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                                  AcGePoint3d& pointOnCurve, Adesk::Boolean extend) const
{
    assertReadEnabled();
    if (direction.isZeroLength())
        return Acad::eInvalidInput;
    // Seen along the normal, the nearest point is the plain one.
    if (direction.isParallelTo(m_normal))
        return getClosestPointTo(givenPnt, pointOnCurve, extend);
    if (m_vertices.size() == 1) {
        pointOnCurve = kelvora::planeToWorld(m_vertices.front().point, m_normal, m_elevation);
        return Acad::eOk;
    }
    return AcDbCurve::getClosestPointTo(givenPnt, direction, pointOnCurve, extend);
}

Acad::ErrorStatus AcDbPolyline::getOrthoProjectedCurve(const AcGePlane& plane, AcDbCurve*& projCrv) const
{
    return getProjectedCurve(plane, plane.normal(), projCrv);
}

Acad::ErrorStatus AcDbPolyline::getProjectedCurve(const AcGePlane& plane, const AcGeVector3d& projDir,
                                                  AcDbCurve*& projCrv) const
{
    assertReadEnabled();
    AcGeVector3d planeNormal = plane.normal();
    if (projDir.isZeroLength() || projDir.isPerpendicularTo(planeNormal))
        return Acad::eInvalidInput;
    const bool parallelPlanes = planeNormal.isParallelTo(m_normal);
    if (!parallelPlanes && hasBulges())
        return Acad::eNotApplicable;
    const AcGePoint3d origin = plane.pointOnPlane();
    auto project = [&](const AcGePoint3d& p) {
        double t = (origin - p).dotProduct(planeNormal) / projDir.dotProduct(planeNormal);
        return p + projDir * t;
    };
    // Parallel planes keep the polyline's own plane frame (so bulges keep their sense); otherwise the
    // straight polyline takes the projection plane's normal.
    AcGeVector3d newNormal = parallelPlanes ? m_normal : planeNormal.normal();
    auto* copy = new AcDbPolyline(numVerts());
    copy->setPropertiesFrom(this);
    copy->setNormal(newNormal);
    double elevation = 0.0;
    for (unsigned int i = 0; i < m_vertices.size(); ++i) {
        AcGePoint3d world = project(kelvora::planeToWorld(m_vertices[i].point, m_normal, m_elevation));
        AcGePoint2d p2 = kelvora::worldToPlane(world, newNormal, &elevation);
        copy->addVertexAt(i, p2, m_vertices[i].bulge, m_vertices[i].startWidth, m_vertices[i].endWidth);
    }
    if (m_vertices.empty())
        kelvora::worldToPlane(origin, newNormal, &elevation);
    copy->setElevation(elevation);
    copy->setClosed(m_closed);
    copy->setPlinegen(m_plinegen);
    projCrv = copy;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getSpline(AcDbSpline*& spline) const
{
    assertReadEnabled();
    // Lines and arcs as rational quadratic pieces: the spline runs exactly over the polyline.
    PlineGeometry geometry(m_vertices, m_closed);
    std::vector<kelvora::QuadraticPiece> pieces;
    for (int i = 0; i < geometry.segmentCount(); ++i) {
        PlineSegment s = geometry.segment(i);
        if (s.kind == PlineSegment::Kind::kLine) {
            pieces.push_back(kelvora::straightQuadratic(kelvora::planeToWorld(s.start, m_normal, m_elevation),
                                                        kelvora::planeToWorld(s.end, m_normal, m_elevation)));
        } else if (s.kind == PlineSegment::Kind::kArc) {
            AcGePoint3d center = kelvora::planeToWorld(s.center, m_normal, m_elevation);
            AcGeVector3d u = kelvora::planeToWorld(s.start, m_normal, m_elevation) - center;
            kelvora::appendEllipticQuadratics(center, u, m_normal.crossProduct(u), 0.0, s.sweep, pieces);
        }
    }
    spline = kelvora::splineFromQuadratics(pieces);
    if (spline == nullptr)
        return Acad::eDegenerateGeometry;
    spline->setPropertiesFrom(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const
{
    assertReadEnabled();
    if (m_vertices.size() < 2)
        return Acad::eDegenerateGeometry;
    PlineGeometry geometry(m_vertices, m_closed);
    const double end = geometry.endParam();
    std::vector<double> cuts;
    if (!kelvora::normalizeSplitParams(params, 0.0, end, m_closed, kelvora::kParamTolerance, cuts))
        return Acad::eInvalidInput;
    std::vector<std::pair<double, double>> ranges;
    if (m_closed) {
        for (size_t j = 0; j < cuts.size(); ++j) {
            double to = j + 1 < cuts.size() ? cuts[j + 1] : cuts.front() + end;
            ranges.emplace_back(cuts[j], to);
        }
    } else {
        double from = 0.0;
        for (double c : cuts) {
            ranges.emplace_back(from, c);
            from = c;
        }
        ranges.emplace_back(from, end);
    }
    std::vector<AcDbPolyline*> pieces;
    for (const auto& [from, to] : ranges) {
        std::vector<Vertex> vertices;
        geometry.stretch(from, to, vertices);
        // A copy through the object's own filing keeps its class and every field of a derived class.
        auto* piece = AcDbPolyline::cast(clone());
        if (piece == nullptr) {
            for (AcDbPolyline* made : pieces)
                delete made;
            return Acad::eNotApplicable;
        }
        piece->replaceVertices(std::move(vertices), false);
        pieces.push_back(piece);
    }
    for (AcDbPolyline* piece : pieces)
        curveSegments.append(piece);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getSplitCurves(const AcGePoint3dArray& points, AcDbVoidPtrArray& curveSegments) const
{
    return AcDbCurve::getSplitCurves(points, curveSegments);
}

Acad::ErrorStatus AcDbPolyline::extend(double newParam)
{
    assertReadEnabled();
    if (m_closed)
        return Acad::eNotApplicable;
    if (m_vertices.size() < 2)
        return Acad::eDegenerateGeometry;
    if (!std::isfinite(newParam))
        return Acad::eInvalidInput;
    PlineGeometry geometry(m_vertices, m_closed);
    const double end = geometry.endParam();
    const bool atStart = newParam < -kelvora::kParamTolerance;
    const bool atEnd = newParam > end + kelvora::kParamTolerance;
    if (!atStart && !atEnd)
        return Acad::eInvalidInput;
    const int seg = atStart ? 0 : geometry.segmentCount() - 1;
    PlineSegment s = geometry.segment(seg);
    if (s.kind == PlineSegment::Kind::kCoincident)
        return Acad::eDegenerateGeometry;
    // The fraction of the segment the extended segment reaches, measured from its far end.
    const double f = atStart ? newParam : newParam - seg;
    if (s.kind == PlineSegment::Kind::kArc) {
        double sweep = atStart ? s.sweep * (1.0 - f) : s.sweep * f;
        if (std::fabs(sweep) >= kTwoPi)
            return Acad::eInvalidInput;
    }
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    AcGePoint2d reached;
    if (s.kind == PlineSegment::Kind::kArc) {
        double a = s.startAngle + f * s.sweep;
        reached.set(s.center.x + s.radius * std::cos(a), s.center.y + s.radius * std::sin(a));
        double sweep = atStart ? s.sweep * (1.0 - f) : s.sweep * f;
        m_vertices[static_cast<size_t>(seg)].bulge = std::tan(sweep / 4.0);
    } else {
        reached = s.start + (s.end - s.start) * f;
    }
    if (atStart)
        m_vertices.front().point = reached;
    else
        m_vertices.back().point = reached;
    touch();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::extend(Adesk::Boolean extendStart, const AcGePoint3d& toPoint)
{
    assertReadEnabled();
    if (m_closed)
        return Acad::eNotApplicable;
    if (m_vertices.size() < 2)
        return Acad::eDegenerateGeometry;
    PlineGeometry geometry(m_vertices, m_closed);
    const int seg = extendStart ? 0 : geometry.segmentCount() - 1;
    PlineSegment s = geometry.segment(seg);
    AcGePoint2d p2 = kelvora::worldToPlane(toPoint, m_normal);
    double f = s.closestFraction(p2, extendStart, !extendStart);
    AcGePoint3d reached = kelvora::planeToWorld(s.pointAt(f), m_normal, m_elevation);
    if (reached.distanceTo(toPoint) > kelvora::onCurveTolerance(toPoint))
        return Acad::eInvalidInput;
    return extend(extendStart ? f : seg + f);
}

Acad::ErrorStatus AcDbPolyline::getArea(double& area) const
{
    assertReadEnabled();
    area = std::fabs(PlineGeometry(m_vertices, m_closed).signedArea());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::reverseCurve()
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    const int n = static_cast<int>(m_vertices.size());
    std::vector<Vertex> reversed(m_vertices.size());
    for (int k = 0; k < n; ++k) {
        // Segment n-2-k becomes segment k, run backwards; the closing segment stays the closing one.
        int s = n - 2 - k;
        if (s < 0)
            s = n - 1;
        Vertex& v = reversed[static_cast<size_t>(k)];
        v.point = m_vertices[static_cast<size_t>(n - 1 - k)].point;
        v.bulge = -m_vertices[static_cast<size_t>(s)].bulge;
        v.startWidth = m_vertices[static_cast<size_t>(s)].endWidth;
        v.endWidth = m_vertices[static_cast<size_t>(s)].startWidth;
    }
    m_vertices.swap(reversed);
    touch();
    return Acad::eOk;
}
