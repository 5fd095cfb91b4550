// The basic entities: line, arc, circle, point, text, attributes, block reference, old-style 2D polyline and its vertices.
#pragma once

#include <string>
#include <vector>

#include "dbcurve.h"
#include "dbpl.h"
#include "gemat3d.h"
#include "gescl3d.h"

class AcDb2dVertex;
class AcDbAttribute;
class AcDbAttributeDefinition;
class AcDbSequenceEnd;

// Walks the entities an entity owns (the vertices of an old-style polyline, the attributes of a block
// reference), in order. objectId() is null for an entity not yet in a database; entity() then gives
// it (it is null for an entity of a database: open it by its id).
class AcDbObjectIterator : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbObjectIterator);
    AcDbObjectIterator() = default;
    ~AcDbObjectIterator() override = default;

    void start(bool atEnd = false);
    bool done() const;
    void step(bool backwards = false, bool skipErasedEntities = true);
    void next() { step(false); }
    void prev() { step(true); }
    AcDbObjectId objectId() const;
    AcDbEntity* entity();
    void setPosition(AcDbObjectId pObj);

    // Host-own: the owner fills the iterator.
    void append(AcDbObjectId id, AcDbEntity* pEnt);

private:
    struct Item {
        AcDbObjectId id;
        AcDbEntity* entity = nullptr;
    };
    bool erasedAt(int index) const;
    std::vector<Item> m_items;
    int m_index = 0;
};

// ---------------------------------------------------------------------------------------------------
// Curves. Their points are in world coordinates; arcs and circles lie in the plane of their normal
// (angles measured in that plane's object coordinate system, as in DXF).

// Parameter: the distance from the start point (0 to the length).
class AcDbLine : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbLine);
    AcDbLine();
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end);
    ~AcDbLine() override;

    AcGePoint3d startPoint() const;
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& point);
    AcGePoint3d endPoint() const;
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& point);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    Adesk::Boolean isPlanar() const override;
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0, Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds, const AcGeMatrix3d& insertionMat) const override;
    // Grips: start, end, midpoint (which moves the whole line). Stretch points: start, end.
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize, const int gripSize,
                                    const AcGeVector3d& curViewDir, const int bitflags) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                       const int bitflags) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF: 100 AcDbLine, 39 thickness, 10 start, 11 end, 210 normal.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    Adesk::Boolean isClosed() const override;
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& firstDeriv) const override;
    Acad::ErrorStatus getSecondDeriv(double param, AcGeVector3d& secDeriv) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = Adesk::kFalse) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                        AcGePoint3d& pointOnCurve, Adesk::Boolean extend = Adesk::kFalse) const override;
    Acad::ErrorStatus getOrthoProjectedCurve(const AcGePlane& plane, AcDbCurve*& projCrv) const override;
    Acad::ErrorStatus getProjectedCurve(const AcGePlane& plane, const AcGeVector3d& projDir,
                                        AcDbCurve*& projCrv) const override;
    // Offset to the right of start->end (seen along the normal) for a positive distance.
    Acad::ErrorStatus getOffsetCurves(double offsetDist, AcDbVoidPtrArray& offsetCurves) const override;
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const override;
    Acad::ErrorStatus extend(double newParam) override;
    Acad::ErrorStatus extend(Adesk::Boolean extendStart, const AcGePoint3d& toPoint) override;
    Acad::ErrorStatus getArea(double& area) const override;
    Acad::ErrorStatus reverseCurve() override;

private:
    AcGePoint3d m_start;                           // 10
    AcGePoint3d m_end;                             // 11
    double m_thickness = 0.0;                      // 39
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;  // 210
};

// Parameter: the angle, from startAngle() to endAngle() (raised by 2pi when below the start).
class AcDbArc : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbArc);
    AcDbArc();
    AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle);
    AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle,
            double endAngle);
    ~AcDbArc() override;

    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& center);
    double radius() const;
    Acad::ErrorStatus setRadius(double radius);  // > 0
    // Angles in radians, counter-clockwise about the normal from the X axis of its OCS, in [0, 2pi).
    double startAngle() const;
    Acad::ErrorStatus setStartAngle(double angle);
    double endAngle() const;
    Acad::ErrorStatus setEndAngle(double angle);
    // The sweep from start to end, in (0, 2pi].
    double totalAngle() const;
    double length() const;
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    Adesk::Boolean isPlanar() const override;
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0, Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds, const AcGeMatrix3d& insertionMat) const override;
    // Grips: start, end, midpoint of the arc, centre (which moves the arc). Stretch points: start, end.
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize, const int gripSize,
                                    const AcGeVector3d& curViewDir, const int bitflags) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                       const int bitflags) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF: 100 AcDbCircle, 39 thickness, 10 centre (OCS), 40 radius, 210 normal, 100 AcDbArc,
    // 50 start angle, 51 end angle (degrees).
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    Adesk::Boolean isClosed() const override;
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& firstDeriv) const override;
    Acad::ErrorStatus getSecondDeriv(double param, AcGeVector3d& secDeriv) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = Adesk::kFalse) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                        AcGePoint3d& pointOnCurve, Adesk::Boolean extend = Adesk::kFalse) const override;
    Acad::ErrorStatus getOrthoProjectedCurve(const AcGePlane& plane, AcDbCurve*& projCrv) const override;
    Acad::ErrorStatus getProjectedCurve(const AcGePlane& plane, const AcGeVector3d& projDir,
                                        AcDbCurve*& projCrv) const override;
    // A positive distance makes the radius larger.
    Acad::ErrorStatus getOffsetCurves(double offsetDist, AcDbVoidPtrArray& offsetCurves) const override;
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const override;
    Acad::ErrorStatus extend(double newParam) override;
    Acad::ErrorStatus extend(Adesk::Boolean extendStart, const AcGePoint3d& toPoint) override;
    // The area between the arc and its chord.
    Acad::ErrorStatus getArea(double& area) const override;
    Acad::ErrorStatus reverseCurve() override;

private:
    AcGePoint3d m_center;                          // 10 (world here, OCS in DXF)
    double m_radius = 1.0;                         // 40
    double m_startAngle = 0.0;                     // 50
    double m_endAngle = 0.0;                       // 51
    double m_thickness = 0.0;                      // 39
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;  // 210
};

// Parameter: the angle from the X axis of the circle's OCS, 0 to 2pi.
class AcDbCircle : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbCircle);
    AcDbCircle();
    AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);
    ~AcDbCircle() override;

    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& center);
    double radius() const;
    Acad::ErrorStatus setRadius(double radius);  // > 0
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double circumference() const;
    double diameter() const;

    Adesk::Boolean isPlanar() const override;
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0, Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds, const AcGeMatrix3d& insertionMat) const override;
    // Grips: the centre (moves the circle) and the four quadrant points (change the radius).
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize, const int gripSize,
                                    const AcGeVector3d& curViewDir, const int bitflags) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                       const int bitflags) override;
    // The centre.
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF: 100 AcDbCircle, 39 thickness, 10 centre (OCS), 40 radius, 210 normal.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    Adesk::Boolean isClosed() const override;
    Adesk::Boolean isPeriodic() const override;
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& firstDeriv) const override;
    Acad::ErrorStatus getSecondDeriv(double param, AcGeVector3d& secDeriv) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = Adesk::kFalse) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                        AcGePoint3d& pointOnCurve, Adesk::Boolean extend = Adesk::kFalse) const override;
    Acad::ErrorStatus getOrthoProjectedCurve(const AcGePlane& plane, AcDbCurve*& projCrv) const override;
    Acad::ErrorStatus getProjectedCurve(const AcGePlane& plane, const AcGeVector3d& projDir,
                                        AcDbCurve*& projCrv) const override;
    // A positive distance makes the radius larger.
    Acad::ErrorStatus getOffsetCurves(double offsetDist, AcDbVoidPtrArray& offsetCurves) const override;
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    // The pieces are AcDbArc (a circle cut at one parameter cannot be one arc: eInvalidInput).
    Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const override;
    Acad::ErrorStatus getArea(double& area) const override;
    Acad::ErrorStatus reverseCurve() override;

private:
    AcGePoint3d m_center;                          // 10
    double m_radius = 1.0;                         // 40
    double m_thickness = 0.0;                      // 39
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;  // 210
};

// ---------------------------------------------------------------------------------------------------

class AcDbPoint : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbPoint);
    AcDbPoint();
    explicit AcDbPoint(const AcGePoint3d& position);
    ~AcDbPoint() override;

    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double ecsRotation() const;
    Acad::ErrorStatus setEcsRotation(double rotation);

    Adesk::Boolean isPlanar() const override { return Adesk::kTrue; }
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds, const AcGeMatrix3d& insertionMat) const override;
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize, const int gripSize,
                                    const AcGeVector3d& curViewDir, const int bitflags) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                       const int bitflags) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    // A dot (PDMODE is not applied).
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF: 100 AcDbPoint, 10 position (world), 39 thickness, 210 normal, 50 angle of the X axis.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    AcGePoint3d m_position;                        // 10
    double m_thickness = 0.0;                      // 39
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;  // 210
    double m_ecsRotation = 0.0;                    // 50
};

// ---------------------------------------------------------------------------------------------------

// A single-line text. position() is the start of the baseline; for any alignment other than left on
// the baseline the text is placed by alignmentPoint() and position() follows from the font's
// metrics (it is recomputed whenever asked, so it always matches what is drawn). Extents come from
// the real metrics of the text style's font (kelvora/text_metrics.h).
class AcDbText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbText);
    AcDbText();
    // A null style stands for the working database's current text style.
    AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style = AcDbObjectId::kNull,
             double height = 0.0, double rotation = 0.0);
    ~AcDbText() override;

    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    AcGePoint3d alignmentPoint() const;
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& point);
    // True when the text is left aligned on its baseline (the alignment point is not used).
    Adesk::Boolean isDefaultAlignment() const;
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    double oblique() const;
    Acad::ErrorStatus setOblique(double angle);
    double rotation() const;
    Acad::ErrorStatus setRotation(double angle);
    double height() const;
    Acad::ErrorStatus setHeight(double height);  // > 0
    double widthFactor() const;
    Acad::ErrorStatus setWidthFactor(double factor);  // > 0
    Adesk::Boolean isMirroredInX() const;
    Acad::ErrorStatus mirrorInX(Adesk::Boolean mirror);
    Adesk::Boolean isMirroredInY() const;
    Acad::ErrorStatus mirrorInY(Adesk::Boolean mirror);
    // A copy allocated with new[] (free with acutDelString).
    ACHAR* textString() const;
    const ACHAR* textStringConst() const;
    Acad::ErrorStatus setTextString(const ACHAR* text);
    AcDbObjectId textStyle() const;
    Acad::ErrorStatus setTextStyle(AcDbObjectId styleId);
    AcDb::TextHorzMode horizontalMode() const;
    Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode mode);
    AcDb::TextVertMode verticalMode() const;
    Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode mode);
    // Stores the position that the alignment gives (the host computes it on demand as well).
    virtual Acad::ErrorStatus adjustAlignment(const AcDbDatabase* pDb = nullptr);

    Adesk::Boolean isPlanar() const override { return Adesk::kTrue; }
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // eNotApplicable: a text is not made of simpler entities here.
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const override;
    // Style and height from the database when they are not set yet.
    void subSetDatabaseDefaults(AcDbDatabase* pDb) override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds, const AcGeMatrix3d& insertionMat) const override;
    // Grips: the position, and the alignment point when it is used. Stretch points: the same.
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize, const int gripSize,
                                    const AcGeVector3d& curViewDir, const int bitflags) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                       const int bitflags) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    // Through AcGiWorldGeometry::text with the style's font, the text's height, width and obliquing.
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF: 100 AcDbText, 39, 10 position (OCS), 40 height, 1 text, 50 rotation, 41 width, 51 oblique
    // (degrees), 7 style name, 71 mirror flags (2 in X, 4 in Y), 72 horizontal mode, 11 alignment
    // point, 210 normal, 100 AcDbText, 73 vertical mode.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    // Host-own: the four corners of the text's box (bottom-left, bottom-right, top-right, top-left)
    // in world coordinates, from the font's metrics: what worldDraw draws fits inside.
    void getBoundingPoints(AcGePoint3d corners[4]) const;

protected:
    // The text's groups without the second subclass marker (attributes write their own after them).
    Acad::ErrorStatus dxfOutTextFields(AcDbDxfFiler* pFiler, bool withVerticalMode) const;
    // Reads one group of a text; false when the code is not a text's.
    bool readTextGroup(const resbuf& rb, AcDbDxfFiler* pFiler, bool verticalModeIs73);
    // Resolves the style name read from DXF (group 7) to its id.
    void resolveStyleName(AcDbDxfFiler* pFiler, const std::wstring& name);
    // After a DXF read: the points read in the text's OCS become world points, and a text without a
    // style (group 7) takes the drawing's "Standard", as DXF defaults it.
    void finishDxfRead(AcDbDxfFiler* pFiler, bool alignmentGiven);
    // Draws `shown` where the text's own string would be (an attribute definition shows its tag).
    Adesk::Boolean drawString(AcGiWorldDraw* mode, const std::wstring& shown) const;

private:
    struct Layout;
    // Insertion point (OCS), effective height and width factor from the alignment.
    void computeLayout(Layout& layout) const;
    AcDbObjectId effectiveStyle() const;

    AcGePoint3d m_position;                        // 10 (world here)
    AcGePoint3d m_alignmentPoint;                  // 11 (world here)
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;  // 210
    double m_thickness = 0.0;                      // 39
    double m_oblique = 0.0;                        // 51
    double m_rotation = 0.0;                       // 50
    double m_height = 0.0;                         // 40 (0: the database's text size when drawn)
    double m_widthFactor = 1.0;                    // 41
    std::wstring m_text;                           // 1
    AcDbObjectId m_styleId;                        // 7
    AcDb::TextHorzMode m_horzMode = AcDb::kTextLeft;  // 72
    AcDb::TextVertMode m_vertMode = AcDb::kTextBase;  // 73
    bool m_mirrorX = false;                        // 71 bit 2
    bool m_mirrorY = false;                        // 71 bit 4
};

// A block's attribute template: a text with a tag, a prompt and flags.
class AcDbAttributeDefinition : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttributeDefinition);
    AcDbAttributeDefinition();
    AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag, const ACHAR* prompt,
                            AcDbObjectId style = AcDbObjectId::kNull);
    ~AcDbAttributeDefinition() override;

    ACHAR* prompt() const;
    const ACHAR* promptConst() const;
    Acad::ErrorStatus setPrompt(const ACHAR* prompt);
    ACHAR* tag() const;
    const ACHAR* tagConst() const;
    // eInvalidInput for an empty tag or one with a space.
    Acad::ErrorStatus setTag(const ACHAR* tag);
    Adesk::Boolean isInvisible() const;
    Acad::ErrorStatus setInvisible(Adesk::Boolean value);
    Adesk::Boolean isConstant() const;
    Acad::ErrorStatus setConstant(Adesk::Boolean value);
    Adesk::Boolean isVerifiable() const;
    Acad::ErrorStatus setVerifiable(Adesk::Boolean value);
    Adesk::Boolean isPreset() const;
    Acad::ErrorStatus setPreset(Adesk::Boolean value);
    Adesk::UInt16 fieldLength() const;
    Acad::ErrorStatus setFieldLength(Adesk::UInt16 length);
    bool lockPositionInBlock() const;
    Acad::ErrorStatus setLockPositionInBlock(bool lock);

    // An attribute definition shows its tag.
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    // DXF: the text's groups, then 100 AcDbAttributeDefinition, 3 prompt, 2 tag, 70 flags (1 invisible,
    // 2 constant, 4 verify, 8 preset), 73 field length, 74 vertical mode, 280 lock position.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    std::wstring m_tag;            // 2
    std::wstring m_prompt;         // 3
    Adesk::UInt16 m_flags = 0;     // 70
    Adesk::UInt16 m_fieldLength = 0;  // 73
    bool m_lockPosition = false;   // 280
};

// The value of an attribute of a block reference (owned by it).
class AcDbAttribute : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttribute);
    AcDbAttribute();
    AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                  AcDbObjectId style = AcDbObjectId::kNull);
    ~AcDbAttribute() override;

    ACHAR* tag() const;
    const ACHAR* tagConst() const;
    Acad::ErrorStatus setTag(const ACHAR* tag);
    Adesk::Boolean isInvisible() const;
    Acad::ErrorStatus setInvisible(Adesk::Boolean value);
    Adesk::Boolean isConstant() const;
    Adesk::Boolean isVerifiable() const;
    Adesk::Boolean isPreset() const;
    Adesk::UInt16 fieldLength() const;
    Acad::ErrorStatus setFieldLength(Adesk::UInt16 length);
    bool lockPositionInBlock() const;

    // Takes the definition's text properties, tag and flags, placed by the block's transform.
    Acad::ErrorStatus setAttributeFromBlock(const AcGeMatrix3d& blkXform);
    Acad::ErrorStatus setAttributeFromBlock(const AcDbAttributeDefinition* pAttdef, const AcGeMatrix3d& blkXform);

    // Nothing when invisible.
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    // DXF: the text's groups, then 100 AcDbAttribute, 2 tag, 70 flags, 73 field length, 74 vertical
    // mode, 280 lock position.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    std::wstring m_tag;               // 2
    Adesk::UInt16 m_flags = 0;        // 70
    Adesk::UInt16 m_fieldLength = 0;  // 73
    bool m_lockPosition = false;      // 280
};

// ---------------------------------------------------------------------------------------------------

// Ends the list of sub-entities of a 2D polyline or of a block reference with attributes (SEQEND).
class AcDbSequenceEnd : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbSequenceEnd);
    AcDbSequenceEnd();
    ~AcDbSequenceEnd() override;
};

// Sub-entities owned by a polyline or block reference: kept in memory until the owner joins a
// database, then added to it (owned by it) when the owner is closed or first asks for them.
namespace kelvora {
class OwnedEntities;
}

// An instance of a block: block transform = translation to position() * the normal's OCS * rotation
// about it * scale factors * translation by minus the block's origin.
class AcDbBlockReference : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockReference);
    AcDbBlockReference();
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRec);
    ~AcDbBlockReference() override;

    AcDbObjectId blockTableRecord() const;
    virtual Acad::ErrorStatus setBlockTableRecord(AcDbObjectId blockId);
    virtual AcGePoint3d position() const;
    virtual Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    AcGeScale3d scaleFactors() const;
    // eInvalidInput for a zero factor.
    virtual Acad::ErrorStatus setScaleFactors(const AcGeScale3d& scale);
    double rotation() const;
    virtual Acad::ErrorStatus setRotation(double newVal);
    AcGeVector3d normal() const;
    virtual Acad::ErrorStatus setNormal(const AcGeVector3d& newVal);
    AcGeMatrix3d blockTransform() const;
    // Takes position, normal, rotation and scale factors from the matrix (eInvalidInput when it is
    // not a scaled orthogonal transform).
    virtual Acad::ErrorStatus setBlockTransform(const AcGeMatrix3d& xform);

    // The reference owns the attribute from then on. When the reference is in a database the
    // attribute is added to it (and stays open for the caller to close).
    Acad::ErrorStatus appendAttribute(AcDbAttribute* pAttr);
    Acad::ErrorStatus appendAttribute(AcDbObjectId& attId, AcDbAttribute* pAttr);
    Acad::ErrorStatus openAttribute(AcDbAttribute*& pAttr, AcDbObjectId attId, AcDb::OpenMode mode,
                                    bool openErasedOne = false);
    Acad::ErrorStatus openSequenceEnd(AcDbSequenceEnd*& pSeqEnd, AcDb::OpenMode mode);
    // The caller deletes the iterator.
    AcDbObjectIterator* attributeIterator() const;
    // Host-own: the sequence end read from a drawing (its handle kept); the reference owns it.
    Acad::ErrorStatus setSequenceEnd(AcDbSequenceEnd* pSeqEnd);

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // The block's entities transformed by the block transform (its attribute definitions included);
    // the reference's attributes are dropped, as the commercial host does.
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                     AcDbIntArray& geomIds, const AcGeMatrix3d& insertionMat) const override;
    // Grip and stretch point: the position.
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize, const int gripSize,
                                    const AcGeVector3d& curViewDir, const int bitflags) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                       const int bitflags) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    // The block's entities under pushModelTransform(blockTransform()), then the attributes.
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF (INSERT): 100 AcDbBlockReference, 66 attributes follow, 2 block name, 10 position (OCS),
    // 41/42/43 scale, 50 rotation (degrees), 70/71 columns/rows, 44/45 spacing, 210 normal.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

protected:
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;
    Acad::ErrorStatus subClose() override;

private:
    AcDbObjectId m_blockId;                        // 2
    AcGePoint3d m_position;                        // 10 (world here)
    AcGeScale3d m_scale;                           // 41, 42, 43
    double m_rotation = 0.0;                       // 50
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;  // 210
    Adesk::UInt16 m_columns = 1;                   // 70
    Adesk::UInt16 m_rows = 1;                      // 71
    double m_columnSpacing = 0.0;                  // 44
    double m_rowSpacing = 0.0;                     // 45
    kelvora::OwnedEntities* m_owned;
};

// ---------------------------------------------------------------------------------------------------

// A vertex of an old-style polyline (VERTEX), owned by it.
class AcDbVertex : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbVertex);
    ~AcDbVertex() override;

protected:
    AcDbVertex();
};

class AcDb2dVertex : public AcDbVertex {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dVertex);
    AcDb2dVertex();
    // position: in the polyline's OCS (z ignored: the polyline's elevation holds).
    AcDb2dVertex(const AcGePoint3d& position, double bulge = 0, double startWidth = 0, double endWidth = 0,
                 double tangent = 0, Adesk::Int32 vertexIdentifier = 0);
    ~AcDb2dVertex() override;

    AcDb::Vertex2dType vertexType() const;
    // Host-own: the commercial host sets it when fitting; readers of drawings set it from the flags.
    Acad::ErrorStatus setVertexType(AcDb::Vertex2dType type);
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    double startWidth() const;
    Acad::ErrorStatus setStartWidth(double newVal);
    double endWidth() const;
    Acad::ErrorStatus setEndWidth(double newVal);
    double bulge() const;
    Acad::ErrorStatus setBulge(double newVal);
    Adesk::Boolean isTangentUsed() const;
    Acad::ErrorStatus useTangent();
    Acad::ErrorStatus ignoreTangent();
    Acad::ErrorStatus setTangentUsed(Adesk::Boolean value);
    double tangent() const;
    Acad::ErrorStatus setTangent(double newVal);
    Adesk::Int32 vertexIdentifier() const;
    Acad::ErrorStatus setVertexIdentifier(Adesk::Int32 suggestedValue);

    // Moves the position (in the polyline's plane) by the matrix, as part of the polyline.
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // DXF (VERTEX): 100 AcDbVertex, 100 AcDb2dVertex, 10 position, 40/41 widths, 42 bulge, 70 flags
    // (1 curve-fit, 2 tangent used, 8 spline-fit, 16 spline frame control point), 50 tangent, 91 id.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    AcGePoint3d m_position;         // 10 (OCS)
    double m_startWidth = 0.0;      // 40
    double m_endWidth = 0.0;        // 41
    double m_bulge = 0.0;           // 42
    double m_tangent = 0.0;         // 50
    Adesk::Int32 m_identifier = 0;  // 91
    AcDb::Vertex2dType m_type = AcDb::k2dVertex;
    bool m_tangentUsed = false;     // 70 bit 2
};

// The old-style 2D polyline (DXF POLYLINE with VERTEX and SEQEND). Its vertices are entities it owns.
// As a curve it runs through its vertices other than spline control vertices, exactly as a
// lightweight polyline of the same points and bulges (parameters at those vertices).
class AcDb2dPolyline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dPolyline);
    AcDb2dPolyline();
    // vertices: OCS points of a simple polyline (their z is ignored); bulges optional.
    AcDb2dPolyline(AcDb::Poly2dType type, AcGePoint3dArray& vertices, double elevation = 0,
                   Adesk::Boolean closed = Adesk::kFalse, double defStartWidth = 0, double defEndWidth = 0,
                   AcGeDoubleArray* bulges = nullptr);
    ~AcDb2dPolyline() override;

    AcDb::Poly2dType polyType() const;
    Acad::ErrorStatus setPolyType(AcDb::Poly2dType type);
    // Only k2dSimplePoly is made here; the fitted types are kept as read (eNotImplementedYet).
    Acad::ErrorStatus convertToPolyType(AcDb::Poly2dType newVal);
    Acad::ErrorStatus makeClosed();
    Acad::ErrorStatus makeOpen();
    Acad::ErrorStatus setClosed(Adesk::Boolean closed);
    // eInvalidInput when the vertices' widths differ.
    Acad::ErrorStatus constantWidth(double& width) const;
    Acad::ErrorStatus setConstantWidth(double width);
    double defaultStartWidth() const;
    Acad::ErrorStatus setDefaultStartWidth(double width);
    double defaultEndWidth() const;
    Acad::ErrorStatus setDefaultEndWidth(double width);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double elevation() const;
    Acad::ErrorStatus setElevation(double elevation);
    Adesk::Boolean isLinetypeGenerationOn() const;
    Acad::ErrorStatus setLinetypeGenerationOn();
    Acad::ErrorStatus setLinetypeGenerationOff();
    // Removes the fit and spline vertices (their control frame becomes the polyline).
    Acad::ErrorStatus straighten();

    // The polyline owns the vertex from then on; in a database it is added to it (and stays open for the
    // caller to close).
    Acad::ErrorStatus appendVertex(AcDb2dVertex* pNewVertex);
    Acad::ErrorStatus appendVertex(AcDbObjectId& objId, AcDb2dVertex* pNewVertex);
    // Before the vertex pIndexVert (null: at the start).
    Acad::ErrorStatus insertVertexAt(const AcDb2dVertex* pIndexVert, AcDb2dVertex* pNewVertex);
    Acad::ErrorStatus insertVertexAt(AcDbObjectId& newVertId, const AcDbObjectId& indexVertId,
                                     AcDb2dVertex* pNewVertex);
    Acad::ErrorStatus openVertex(AcDb2dVertex*& pVertex, AcDbObjectId vertId, AcDb::OpenMode mode,
                                 bool openErasedOne = false) const;
    Acad::ErrorStatus openSequenceEnd(AcDbSequenceEnd*& pSeqEnd, AcDb::OpenMode mode);
    // The caller deletes the iterator.
    AcDbObjectIterator* vertexIterator() const;
    // The vertex's world position.
    AcGePoint3d vertexPosition(const AcDb2dVertex& vert) const;
    // Host-own: the sequence end read from a drawing (its handle kept); the polyline owns it.
    Acad::ErrorStatus setSequenceEnd(AcDbSequenceEnd* pSeqEnd);
    // Host-own: the vertices that make the curve (spline control vertices left out), as a lightweight
    // polyline's vertices would be.
    void getCurveVertices(std::vector<AcDbPolyline::Vertex>& vertices) const;

    Adesk::Boolean isPlanar() const override { return Adesk::kTrue; }
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // Lines and arcs.
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0, Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    // Grips and stretch points: the vertices, in order (spline control vertices included).
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize, const int gripSize,
                                    const AcGeVector3d& curViewDir, const int bitflags) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                       const int bitflags) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF (POLYLINE): 100 AcDb2dPolyline, 66 1, 10 (0, 0, elevation), 39 thickness, 70 flags (1 closed,
    // 2 curve-fit, 4 spline-fit, 128 linetype generation), 40/41 default widths, 75 curve type
    // (5 quadratic, 6 cubic), 210 normal. The vertices and the sequence end are entities of their own.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    Adesk::Boolean isClosed() const override;
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& firstDeriv) const override;
    Acad::ErrorStatus getSecondDeriv(double param, AcGeVector3d& secDeriv) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = Adesk::kFalse) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                        AcGePoint3d& pointOnCurve, Adesk::Boolean extend = Adesk::kFalse) const override;
    // Pieces are lightweight polylines (AcDbPolyline) with this polyline's properties.
    Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const override;
    Acad::ErrorStatus getArea(double& area) const override;

protected:
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;
    Acad::ErrorStatus subClose() override;

private:
    // A lightweight polyline of the curve vertices (for the curve queries).
    void makeLightweight(AcDbPolyline& pline) const;
    // Applies fn to every vertex, open for read or write; stops at the first error.
    template <class Fn>
    Acad::ErrorStatus forEachVertex(AcDb::OpenMode mode, Fn fn) const;

    AcDb::Poly2dType m_polyType = AcDb::k2dSimplePoly;  // 70 bits 2/4, 75
    double m_elevation = 0.0;                      // 10 z
    double m_thickness = 0.0;                      // 39
    double m_defaultStartWidth = 0.0;              // 40
    double m_defaultEndWidth = 0.0;                // 41
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;  // 210
    bool m_closed = false;                         // 70 bit 1
    bool m_plinegen = false;                       // 70 bit 128
    bool m_curveFitFlag = false;                   // 70 bit 2 as read
    kelvora::OwnedEntities* m_owned;
};
