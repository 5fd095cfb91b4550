// Geometry of a planar polyline with bulges in its own plane coordinates: segments, parameters, lengths, area, pieces.
#pragma once

#include <vector>

#include "curve_pieces.h"
#include "dbpl.h"

namespace kelvora {

using PlineVertex = AcDbPolyline::Vertex;

// Parameters within this of a vertex or of the ends count as that vertex or end: a parameter is a
// vertex index, so this is a billionth of a segment.
constexpr double kParamTolerance = 1e-9;

struct PlineSegment {
    enum class Kind { kLine, kArc, kCoincident };
    Kind kind = Kind::kCoincident;
    AcGePoint2d start;
    AcGePoint2d end;
    double bulge = 0.0;
    // Arcs: centre, radius, angle of the start point and signed sweep (counter-clockwise positive).
    AcGePoint2d center;
    double radius = 0.0;
    double startAngle = 0.0;
    double sweep = 0.0;
    double length = 0.0;

    // Fraction 0..1 of the segment (of its length, which is also of its angle for an arc).
    AcGePoint2d pointAt(double fraction) const;
    // Derivatives with respect to the fraction.
    AcGeVector2d firstDerivAt(double fraction) const;
    AcGeVector2d secondDerivAt(double fraction) const;
    // The nearest point's fraction; extendBefore / extendAfter let it run past the ends (a line as a
    // ray, an arc around its circle).
    double closestFraction(const AcGePoint2d& pt, bool extendBefore = false, bool extendAfter = false) const;
    // Bulge of the part of the segment from fraction f0 to f1.
    double partBulge(double f0, double f1) const;
};

// A read-only view of vertices and the closed flag.
class PlineGeometry {
public:
    PlineGeometry(const std::vector<PlineVertex>& vertices, bool closed) : m_vertices(vertices), m_closed(closed) {}

    int vertexCount() const { return static_cast<int>(m_vertices.size()); }
    // n - 1 open, n closed; 0 under two vertices.
    int segmentCount() const;
    double endParam() const;
    PlineSegment segment(int index) const;

    // Segment and fraction of a parameter; false outside [0, endParam] beyond kParamTolerance. The end
    // parameter lands at fraction 1 of the last segment.
    bool locate(double param, int& segment, double& fraction) const;
    // The parameter (and plane point) of the polyline nearest to pt; false without a segment. With
    // extend, an open polyline continues past its first and last segments.
    bool closestParam(const AcGePoint2d& pt, double& param, AcGePoint2d& nearest, bool extend = false) const;

    // Cumulative distances to each vertex: segmentCount() + 1 values.
    void cumulativeLengths(std::vector<double>& lengths) const;

    // Signed area (counter-clockwise positive) with the arc segments' parts; an open polyline is
    // closed by its chord.
    double signedArea() const;

    // The polyline in world coordinates as pieces (segment i as piece of order i; coincident segments
    // left out).
    void pieces(const AcGeVector3d& normal, double elevation, PieceChain& chain) const;

    // The vertices of the stretch from parameter p0 to p1 (p0 < p1, both inside; on a closed polyline
    // p1 may exceed endParam to run through the start). Widths are interpolated at the cut points.
    void stretch(double p0, double p1, std::vector<PlineVertex>& out) const;

private:
    const std::vector<PlineVertex>& m_vertices;
    bool m_closed;
};

// Plane (OCS) point at elevation to world and back.
AcGePoint3d planeToWorld(const AcGePoint2d& pt, const AcGeVector3d& normal, double elevation);
AcGePoint2d worldToPlane(const AcGePoint3d& pt, const AcGeVector3d& normal, double* elevation = nullptr);

}  // namespace kelvora
