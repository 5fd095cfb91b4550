// AcDbSpline: a NURBS curve entity with its optional fit data (DXF SPLINE).
#pragma once

#include "dbcurve.h"
#include "genurb3d.h"

// The curve is held as an AcGeNurbCurve3d (degree, knots, control points, weights). Fit data (fit
// points, tolerance, end tangents) are kept as given or read; a spline made from fit points alone is
// interpolated through them. Parameters are the knot values, from the first to the last knot of the
// curve's range.
class AcDbSpline : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbSpline);
    AcDbSpline();
    explicit AcDbSpline(const AcGeNurbCurve3d& curve);
    // Interpolates the fit points (order 4: cubic) with natural end conditions.
    AcDbSpline(const AcGePoint3dArray& fitPoints, int order = 4, double fitTolerance = 0.0);
    AcDbSpline(const AcGePoint3dArray& fitPoints, const AcGeVector3d& startTangent, const AcGeVector3d& endTangent,
               int order = 4, double fitTolerance = 0.0);
    AcDbSpline(int degree, Adesk::Boolean rational, Adesk::Boolean closed, Adesk::Boolean periodic,
               const AcGePoint3dArray& controlPoints, const AcGeDoubleArray& knots, const AcGeDoubleArray& weights,
               double controlPtTol = 0.0, double knotTol = 0.0);
    ~AcDbSpline() override;

    // True when the spline has no valid curve.
    Adesk::Boolean isNull() const;
    Adesk::Boolean isRational() const;
    int degree() const;
    Acad::ErrorStatus setDegree(int degree);
    int numControlPoints() const;
    Acad::ErrorStatus getControlPointAt(int index, AcGePoint3d& point) const;
    Acad::ErrorStatus setControlPointAt(int index, const AcGePoint3d& point);
    double weightAt(int index) const;
    Acad::ErrorStatus setWeightAt(int index, double weight);
    int numFitPoints() const;
    Acad::ErrorStatus getFitPointAt(int index, AcGePoint3d& point) const;
    Acad::ErrorStatus setFitPointAt(int index, const AcGePoint3d& point);
    double fitTolerance() const;
    Acad::ErrorStatus setFitTol(double tol);
    Acad::ErrorStatus getFitTangents(AcGeVector3d& startTangent, AcGeVector3d& endTangent) const;
    Acad::ErrorStatus setFitTangents(const AcGeVector3d& startTangent, const AcGeVector3d& endTangent);
    Adesk::Boolean hasFitData() const;
    Acad::ErrorStatus getFitData(AcGePoint3dArray& fitPoints, int& degree, double& fitTolerance,
                                 Adesk::Boolean& tangentsExist, AcGeVector3d& startTangent,
                                 AcGeVector3d& endTangent) const;
    // Replaces the curve by the interpolation of the points.
    Acad::ErrorStatus setFitData(const AcGePoint3dArray& fitPoints, int degree, double fitTolerance,
                                 const AcGeVector3d& startTangent, const AcGeVector3d& endTangent);
    Acad::ErrorStatus purgeFitData();

    Acad::ErrorStatus getNurbsData(int& degree, Adesk::Boolean& rational, Adesk::Boolean& closed,
                                   Adesk::Boolean& periodic, AcGePoint3dArray& controlPoints, AcGeDoubleArray& knots,
                                   AcGeDoubleArray& weights, double& controlPtTol, double& knotTol) const;
    // eInvalidInput when the data do not make a curve (too few points or knots, degree below 1,
    // weights not positive, knots decreasing); the spline is then unchanged.
    Acad::ErrorStatus setNurbsData(int degree, Adesk::Boolean rational, Adesk::Boolean closed,
                                   Adesk::Boolean periodic, const AcGePoint3dArray& controlPoints,
                                   const AcGeDoubleArray& knots, const AcGeDoubleArray& weights,
                                   double controlPtTol = 0.0, double knotTol = 0.0);
    // Host-own: the curve.
    const AcGeNurbCurve3d& nurbs() const;

    Adesk::Boolean isPlanar() const override;
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;
    // The curve's points sampled to a fine tolerance (tighter than its control polygon).
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0, Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    // Grips and stretch points: the control points (fit points are not offered).
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    // Sampled to the display deviation.
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF: 100 AcDbSpline, 210 normal, 70 flags (1 closed, 2 periodic, 4 rational, 8 planar, 16
    // linear), 71 degree, 72/73/74 counts, 42/43/44 tolerances, 12/13 tangents, 40 knots, 41 weights,
    // 10 control points, 11 fit points.
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
    Acad::ErrorStatus getSpline(AcDbSpline*& spline) const override;
    // Pieces of this class (fit data dropped) between the cut parameters; see HOST.md for open and
    // closed curves (k cuts of a closed spline give k pieces, the last running through the start).
    // The pieces are exact: knots inserted at the cuts, the control polygon split there.
    Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const override;
    using AcDbCurve::getSplitCurves;
    Acad::ErrorStatus getArea(double& area) const override;
    Acad::ErrorStatus reverseCurve() override;

private:
    void clearFitData();

    AcGeNurbCurve3d m_curve;
    bool m_closedFlag = false;                     // 70 bit 1 as given
    double m_controlPtTol = 0.0;                   // 43
    double m_knotTol = 0.0;                        // 42
    AcGeVector3d m_normal;                         // 210 (zero: not planar)
    AcGePoint3dArray m_fitPoints;                  // 11
    double m_fitTol = 0.0;                         // 44
    AcGeVector3d m_startTangent;                   // 12
    AcGeVector3d m_endTangent;                     // 13
};
