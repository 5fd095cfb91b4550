// AcDbPolyline: the lightweight polyline (DXF LWPOLYLINE): planar vertices with bulges and widths.
#pragma once

#include <vector>

#include "dbcurve.h"
#include "gearc2d.h"
#include "gearc3d.h"
#include "gelnsg2d.h"
#include "gelnsg3d.h"

class AcDb2dPolyline;

// Conventions.
// - Vertices 0..n-1, each a 2D point in the polyline's plane (OCS of normal(), at elevation()), a
//   bulge and a start and end width. Segment i runs from vertex i to vertex i+1; a closed polyline
//   has a last segment from n-1 back to 0.
// - The bulge at vertex i describes segment i: 0 straight, otherwise tan(sweep / 4), positive when
//   the arc turns counter-clockwise about the normal.
// - Parameters: vertex i is at parameter i; inside segment i the parameter is i plus the fraction of
//   the segment (of its length for a line, of its angle for an arc). The end parameter is n-1, or n
//   when closed.
// - Widths: a negative width given to addVertexAt stands for the polyline's constant width (0 until
//   setConstantWidth). Widths are kept, filed and scaled; drawing shows the centre line only.
class AcDbPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbPolyline);

    AcDbPolyline();
    // Reserves room for num_verts vertices (the polyline is still empty).
    explicit AcDbPolyline(unsigned int num_verts);
    ~AcDbPolyline() override;

    // From an AcDb2dPolyline (simple, not fitted or splined): takes its place in the database when
    // transferId (handOverTo); otherwise a new polyline in no database. On success pPline points to
    // this polyline, and a transferred old entity is deleted.
    Acad::ErrorStatus convertFrom(AcDbEntity*& pPline, Adesk::Boolean transferId = Adesk::kTrue);
    // To a new AcDb2dPolyline; with transferId it takes this polyline's place (this one is then out
    // of the database and the caller deletes it).
    Acad::ErrorStatus convertTo(AcDb2dPolyline*& pPline, Adesk::Boolean transferId = Adesk::kTrue);

    enum SegType {
        kLine,
        kArc,
        kCoincident,  // its two vertices coincide
        kPoint,       // a polyline of one vertex, or the last vertex of an open one
        kEmpty,       // no such vertex
    };
    SegType segType(unsigned int index) const;
    // eWrongObjectType when the segment is not of that kind; eInvalidIndex out of range.
    Acad::ErrorStatus getLineSegAt(unsigned int index, AcGeLineSeg2d& ln) const;
    Acad::ErrorStatus getLineSegAt(unsigned int index, AcGeLineSeg3d& ln) const;
    Acad::ErrorStatus getArcSegAt(unsigned int index, AcGeCircArc2d& arc) const;
    Acad::ErrorStatus getArcSegAt(unsigned int index, AcGeCircArc3d& arc) const;
    // True when pt2d (plane coordinates) lies on segment index; param is then the polyline parameter.
    virtual Adesk::Boolean onSegAt(unsigned int index, const AcGePoint2d& pt2d, double& param) const;

    void setClosed(Adesk::Boolean closed);
    void setPlinegen(Adesk::Boolean plinegen);
    void setElevation(double elevation);
    Acad::ErrorStatus setThickness(double thickness);
    // Every vertex gets this start and end width; eInvalidInput for a negative width.
    Acad::ErrorStatus setConstantWidth(double width);
    // eInvalidInput for a zero normal.
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    Adesk::Boolean isOnlyLines() const;
    Adesk::Boolean isPlinegen() const;
    double elevation() const;
    double thickness() const;
    // The width when every vertex has the same start and end width; eInvalidInput otherwise.
    Acad::ErrorStatus getConstantWidth(double& width) const;
    AcGeVector3d normal() const;

    // index may equal numVerts() (append). eInvalidIndex beyond.
    Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& pt, double bulge = 0.,
                                  double startWidth = -1., double endWidth = -1.);
    Acad::ErrorStatus removeVertexAt(unsigned int index);
    unsigned int numVerts() const;
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& pt) const;
    // World coordinates.
    Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& pt) const;
    Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
    Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
    Acad::ErrorStatus setPointAt(unsigned int index, const AcGePoint2d& pt);
    Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
    Acad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);

    Acad::ErrorStatus minimizeMemory();
    Acad::ErrorStatus maximizeMemory();
    // reuse false: every vertex goes. reuse true: the first numVerts vertices stay (the rest go).
    void reset(Adesk::Boolean reuse, unsigned int numVerts);

    Adesk::Boolean hasBulges() const;
    Adesk::Boolean hasVertexIdentifiers() const;
    Adesk::Boolean hasWidth() const;

    // Host-own: the smallest width of the segments (0 without widths).
    double minimumWidth() const;

    // ----- AcDbEntity -----
    Adesk::Boolean isPlanar() const override;
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;
    void getEcs(AcGeMatrix3d& retVal) const override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const override;

    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0, Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;

    // End points (vertices), midpoints of segments, centres of arc segments, nearest point,
    // perpendicular foot, quadrant points of arc segments.
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds, const AcGeMatrix3d& insertionMat) const override;

    // Grips are the vertices (grip i is vertex i); segment midpoint grips are not offered.
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize, const int gripSize,
                                    const AcGeVector3d& curViewDir, const int bitflags) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                       const int bitflags) override;
    // Stretch points are the vertices.
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;

    // Draws the centre line: straight runs as polylines, arc segments as circular arcs.
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void saveAs(AcGiWorldDraw* mode, AcDb::SaveType st) override;
    void list() const override;

    // DWG: the entity's fields, then vertex count, flags, constant width, elevation, thickness,
    // normal and each vertex (point, bulge, start and end width).
    // DXF (LWPOLYLINE): 100 AcDbPolyline, 90 count, 70 flags (1 closed, 128 plinegen), 43 constant
    // width, 38 elevation, 39 thickness, 10/20 point, 40/41 widths, 42 bulge, 91 vertex id (read and
    // ignored), 210 normal.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    // ----- AcDbCurve -----
    Adesk::Boolean isClosed() const override;
    Adesk::Boolean isPeriodic() const override;
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    // O(1) and O(log n): the lengths along the polyline are cached until it changes.
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& firstDeriv) const override;
    Acad::ErrorStatus getFirstDeriv(const AcGePoint3d& point, AcGeVector3d& firstDeriv) const override;
    Acad::ErrorStatus getSecondDeriv(double param, AcGeVector3d& secDeriv) const override;
    Acad::ErrorStatus getSecondDeriv(const AcGePoint3d& point, AcGeVector3d& secDeriv) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = Adesk::kFalse) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                        AcGePoint3d& pointOnCurve, Adesk::Boolean extend = Adesk::kFalse) const override;
    // Arc segments stay arcs only when the plane is parallel to the polyline's; otherwise a polyline
    // with arcs answers eNotApplicable.
    Acad::ErrorStatus getOrthoProjectedCurve(const AcGePlane& plane, AcDbCurve*& projCrv) const override;
    Acad::ErrorStatus getProjectedCurve(const AcGePlane& plane, const AcGeVector3d& projDir,
                                        AcDbCurve*& projCrv) const override;
    // One polyline: each segment moved to the right of its direction of travel by offsetDist (left
    // when negative), neighbours joined at the crossing of their extensions. eNotApplicable when an
    // arc segment would shrink to nothing.
    Acad::ErrorStatus getOffsetCurves(double offsetDist, AcDbVoidPtrArray& offsetCurves) const override;
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    // Pieces of the polyline's own class (copies through its own filing, a class derived from
    // AcDbPolyline included, with only the vertices changed); each piece is open.
    Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const override;
    Acad::ErrorStatus getSplitCurves(const AcGePoint3dArray& points, AcDbVoidPtrArray& curveSegments) const override;
    Acad::ErrorStatus extend(double newParam) override;
    Acad::ErrorStatus extend(Adesk::Boolean extendStart, const AcGePoint3d& toPoint) override;
    Acad::ErrorStatus getArea(double& area) const override;
    Acad::ErrorStatus reverseCurve() override;

    // Host-own: one vertex as stored.
    struct Vertex {
        AcGePoint2d point;  // 10/20
        double bulge = 0.0;       // 42
        double startWidth = 0.0;  // 40
        double endWidth = 0.0;    // 41
    };

private:
    void touch();
    void invalidateLengths() const;
    const std::vector<double>& cumulativeLengths() const;
    double resolvedWidth(double width) const;
    // Replaces the vertices (and opens the polyline), keeping everything else: the split pieces.
    void replaceVertices(std::vector<Vertex>&& vertices, bool closed);

    std::vector<Vertex> m_vertices;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;  // 210
    double m_elevation = 0.0;                      // 38
    double m_thickness = 0.0;                      // 39
    double m_constantWidth = 0.0;                  // 43
    bool m_closed = false;                         // 70 bit 1
    bool m_plinegen = false;                       // 70 bit 128
    // Distance from the start to each vertex (segment count + 1 values); empty until asked.
    mutable std::vector<double> m_lengths;
    mutable bool m_lengthsValid = false;
};
