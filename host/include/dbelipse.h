// AcDbEllipse: an ellipse or elliptic arc (DXF ELLIPSE).
#pragma once

#include <numbers>

#include "dbcurve.h"

// Points: centre + cos(t) * majorAxis + sin(t) * minorAxis, minorAxis = radiusRatio * (normal x
// majorAxis). The parameter is t, from startParam() to endParam() (endParam above startParam, at
// most 2pi further). Angles (startAngle, endAngle) are the geometric angles from the major axis, as
// seen from the centre.
class AcDbEllipse : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbEllipse);
    AcDbEllipse();
    AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& unitNormal, const AcGeVector3d& majorAxis,
                double radiusRatio, double startAngle = 0.0, double endAngle = 2.0 * std::numbers::pi);
    ~AcDbEllipse() override;

    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& center);
    AcGeVector3d normal() const;
    AcGeVector3d majorAxis() const;
    AcGeVector3d minorAxis() const;
    double radiusRatio() const;
    // In (0, 1].
    Acad::ErrorStatus setRadiusRatio(double ratio);
    double startAngle() const;
    Acad::ErrorStatus setStartAngle(double startAngle);
    double endAngle() const;
    Acad::ErrorStatus setEndAngle(double endAngle);
    Acad::ErrorStatus setStartParam(double startParam);
    double startParam() const;
    Acad::ErrorStatus setEndParam(double endParam);
    double endParam() const;
    double paramAtAngle(double angle) const;
    double angleAtParam(double param) const;
    Acad::ErrorStatus get(AcGePoint3d& center, AcGeVector3d& unitNormal, AcGeVector3d& majorAxis,
                          double& radiusRatio, double& startAngle, double& endAngle) const;
    // eInvalidInput for a major axis not perpendicular to the normal, a zero axis or a ratio outside (0, 1].
    Acad::ErrorStatus set(const AcGePoint3d& center, const AcGeVector3d& unitNormal, const AcGeVector3d& majorAxis,
                          double radiusRatio, double startAngle = 0.0, double endAngle = 2.0 * std::numbers::pi);
    bool isNull() const;

    Adesk::Boolean isPlanar() const override { return Adesk::kTrue; }
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    // Any affine transform that keeps the curve an ellipse (scaled orthogonal ones).
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0, Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    // Grips: centre, then the ends of the axes. Stretch point: the centre.
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF: 100 AcDbEllipse, 10 centre, 11 major axis end (from the centre), 210 normal, 40 ratio, 41/42
    // start and end parameters.
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
    // Elliptic arcs of this ellipse between the cut parameters; see HOST.md for open and closed curves
    // (one cut of a full ellipse gives the full ellipse starting there).
    Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const override;
    using AcDbCurve::getSplitCurves;
    // A rational quadratic NURBS of exactly this ellipse (one span per quarter turn at most).
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    Acad::ErrorStatus getArea(double& area) const override;
    Acad::ErrorStatus reverseCurve() override;

private:
    AcGePoint3d m_center;                             // 10
    AcGeVector3d m_majorAxis = AcGeVector3d::kXAxis;  // 11
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;     // 210
    double m_ratio = 1.0;                             // 40
    double m_startParam = 0.0;                        // 41
    double m_endParam = 2.0 * std::numbers::pi;       // 42
};
