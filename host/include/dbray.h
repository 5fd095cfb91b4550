// AcDbRay: a half-line from a base point (DXF RAY).
#pragma once

#include "dbcurve.h"

// Parameter: the distance from the base point along unitDir(), from 0 without end.
class AcDbRay : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbRay);
    AcDbRay();
    ~AcDbRay() override;

    AcGePoint3d basePoint() const;
    void setBasePoint(const AcGePoint3d& pt);
    AcGeVector3d unitDir() const;
    // The direction is normalised; a zero vector is ignored.
    void setUnitDir(const AcGeVector3d& vec);
    // basePoint() + unitDir().
    AcGePoint3d secondPoint() const;
    void setSecondPoint(const AcGePoint3d& pt);

    Adesk::Boolean isPlanar() const override { return Adesk::kTrue; }
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const override;
    // eInvalidExtents: a ray has no finite box.
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0, Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    // Grips: the base point and the second point. Stretch point: the base point.
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF: 100 AcDbRay, 10 base point, 11 unit direction.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    Adesk::Boolean isClosed() const override { return Adesk::kFalse; }
    Acad::ErrorStatus getStartParam(double& param) const override;
    // eNotApplicable: there is no end.
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
    // One parameter: a line from the base point and a ray from the parameter.
    Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const override;

private:
    AcGePoint3d m_basePoint;                       // 10
    AcGeVector3d m_unitDir = AcGeVector3d::kXAxis; // 11
};
