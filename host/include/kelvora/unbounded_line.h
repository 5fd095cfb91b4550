// kelvora::UnboundedLine: what AcDbRay and AcDbXline share, a base point and a unit direction.
#pragma once

#include "dbcurve.h"

namespace kelvora {

// The parameter is the signed distance from the base point along unitDir(); a ray's parameters
// start at 0, an infinite line's run without bound both ways. Only the two host classes derive
// from it; it has no run-time class of its own.
class UnboundedLine : public AcDbCurve {
public:
    ~UnboundedLine() override;

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
    // eInvalidExtents: an unbounded line has no finite box.
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                    Adesk::GsMarker thisGsMarker = 0, Adesk::GsMarker otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                    Adesk::GsMarker otherGsMarker = 0) const override;
    // Grips: the base point and the second point (which turns the line about its base point).
    // Stretch point: the base point.
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Adesk::Boolean worldDraw(AcGiWorldDraw* mode) override;
    void list() const override;
    // DXF: 100 the class's subclass marker, 10 base point, 11 unit direction.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    Adesk::Boolean isClosed() const override { return Adesk::kFalse; }
    // eNotApplicable: there is no end.
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getParamAtDist(double dist, double& param) const override;
    Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& firstDeriv) const override;
    Acad::ErrorStatus getSecondDeriv(double param, AcGeVector3d& secDeriv) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = Adesk::kFalse) const override;

protected:
    // lowestParam: 0 for a ray, minus infinity for an infinite line. The names are the DXF subclass
    // marker and entity name, for filing and its messages.
    UnboundedLine(double lowestParam, const wchar_t* subclassMarker, const wchar_t* dxfName);

    double lowestParam() const { return m_lowestParam; }
    // The point at a parameter, unchecked.
    AcGePoint3d at(double param) const { return m_basePoint + m_unitDir * param; }
    // The tolerance of a point lying on the line, at the scale of the base point.
    double onLineTolerance() const;

    AcGePoint3d m_basePoint;                       // 10
    AcGeVector3d m_unitDir = AcGeVector3d::kXAxis; // 11

private:
    double m_lowestParam;
    const wchar_t* m_subclassMarker;
    const wchar_t* m_dxfName;
};

}  // namespace kelvora
