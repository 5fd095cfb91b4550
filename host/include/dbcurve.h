// AcDbCurve: the base of the entities that are curves (parameters, distances, nearest points, splits, area).
#pragma once

// dbmain.h uses these names before it defines them.
class AcDbObject;
class AcDbEntity;

#include "dbmain.h"
#include "gedblar.h"
#include "gept3dar.h"

class AcDbSpline;
class AcGePlane;

// A curve is walked by a parameter from getStartParam to getEndParam; each class says what its
// parameter measures (a line: the distance from its start; an arc or circle: the angle; a polyline:
// the vertex index, see dbpl.h). Points are in world coordinates.
//
// Defaults: the operations that can be built from others are (distances at points, points at
// distances, splits at points, end points, derivatives at points); the rest answer eNotApplicable.
// Objects handed back through an AcDbVoidPtrArray or a pointer are new, in no database, and owned by
// the caller.
class AcDbCurve : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbCurve);
    ~AcDbCurve() override;

    virtual Adesk::Boolean isClosed() const;
    virtual Adesk::Boolean isPeriodic() const;

    virtual Acad::ErrorStatus getStartParam(double& param) const;
    virtual Acad::ErrorStatus getEndParam(double& param) const;
    virtual Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const;
    virtual Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const;

    // eInvalidInput for a parameter outside [start, end] (a point not on the curve).
    virtual Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const;
    virtual Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const;
    virtual Acad::ErrorStatus getDistAtParam(double param, double& dist) const;
    virtual Acad::ErrorStatus getParamAtDist(double dist, double& param) const;
    virtual Acad::ErrorStatus getDistAtPoint(const AcGePoint3d& point, double& dist) const;
    virtual Acad::ErrorStatus getPointAtDist(double dist, AcGePoint3d& point) const;

    // Derivatives of the point with respect to the curve's own parameter.
    virtual Acad::ErrorStatus getFirstDeriv(double param, AcGeVector3d& firstDeriv) const;
    virtual Acad::ErrorStatus getFirstDeriv(const AcGePoint3d& point, AcGeVector3d& firstDeriv) const;
    virtual Acad::ErrorStatus getSecondDeriv(double param, AcGeVector3d& secDeriv) const;
    virtual Acad::ErrorStatus getSecondDeriv(const AcGePoint3d& point, AcGeVector3d& secDeriv) const;

    // The nearest point of the curve. extend: an open curve continues past its ends (a line as its
    // infinite line, an arc as its circle, a polyline by its first and last segments). The second
    // form measures the distance seen along direction (both the curve and givenPnt projected on a
    // plane perpendicular to it) and answers the point of the curve itself.
    virtual Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                                Adesk::Boolean extend = Adesk::kFalse) const;
    virtual Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                                AcGePoint3d& pointOnCurve,
                                                Adesk::Boolean extend = Adesk::kFalse) const;

    // A new curve: the projection of this one onto the plane (orthogonally, or along projDir).
    virtual Acad::ErrorStatus getOrthoProjectedCurve(const AcGePlane& plane, AcDbCurve*& projCrv) const;
    virtual Acad::ErrorStatus getProjectedCurve(const AcGePlane& plane, const AcGeVector3d& projDir,
                                                AcDbCurve*& projCrv) const;
    // Curves at offsetDist from this one in its plane; see each class for the side a positive
    // distance goes to.
    virtual Acad::ErrorStatus getOffsetCurves(double offsetDist, AcDbVoidPtrArray& offsetCurves) const;
    virtual Acad::ErrorStatus getOffsetCurvesGivenPlaneNormal(const AcGeVector3d& normal, double offsetDist,
                                                              AcDbVoidPtrArray& offsetCurves) const;
    // An AcDbSpline of the same shape.
    virtual Acad::ErrorStatus getSpline(AcDbSpline*& spline) const;

    // Pieces of the curve between the given parameters (points), each a new curve. The parameters are
    // sorted first; duplicates and those at the ends of an open curve are ignored. An open curve cut
    // at k parameters gives k + 1 pieces; a closed one gives k pieces, the last running through the
    // start point back to the first parameter.
    virtual Acad::ErrorStatus getSplitCurves(const AcGeDoubleArray& params, AcDbVoidPtrArray& curveSegments) const;
    virtual Acad::ErrorStatus getSplitCurves(const AcGePoint3dArray& points, AcDbVoidPtrArray& curveSegments) const;

    // Lengthens an open curve to the parameter (below the start or above the end), or moves its start
    // (end) to a point of its extension.
    virtual Acad::ErrorStatus extend(double newParam);
    virtual Acad::ErrorStatus extend(Adesk::Boolean extendStart, const AcGePoint3d& toPoint);

    // The area enclosed, an open curve being closed by the chord from its end to its start.
    virtual Acad::ErrorStatus getArea(double& area) const;

    // Runs the curve the other way (the parameters are reversed).
    virtual Acad::ErrorStatus reverseCurve();

protected:
    AcDbCurve();
};
