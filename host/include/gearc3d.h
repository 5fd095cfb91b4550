// AcGeCircArc3d: a 3D circle or circular arc in the plane of its normal.
#pragma once

#include "gecurv3d.h"
#include "geline3d.h"
#include "geplane.h"

class AcGeLinearEnt3d;
class AcGePlanarEnt;

// Angles are measured from refVec counter-clockwise about the normal. The arc
// runs from startAng to endAng (endAng - startAng is the sweep, in (0, 2pi]),
// and the parameter of a point is its angle, from startAng to endAng.
class AcGeCircArc3d : public AcGeCurve3d {
public:
    // The unit circle about the origin in the XY plane.
    AcGeCircArc3d();
    AcGeCircArc3d(const AcGeCircArc3d& arc) = default;
    // A full circle; refVec: normal.perpVector().
    AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius);
    // refVec is made perpendicular to nrm (its projection on the plane).
    AcGeCircArc3d(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec, double radius,
                  double startAngle, double endAngle);
    // Through three points, from startPoint through pnt to endPoint.
    AcGeCircArc3d(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint);

    AcGe::EntityId type() const override;
    AcGeEntity3d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity3d& entity, const AcGeTol& tol = AcGeContext::gTol) const override;
    // A mirroring transform flips the normal and keeps the arc's points.
    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;

    AcGePoint3d closestPointToPlane(const AcGePlanarEnt& plane, AcGePoint3d& pointOnPlane,
                                    const AcGeTol& tol = AcGeContext::gTol) const;
    // intn: 0, 1 (tangent, or a line crossing the arc's plane) or 2 points.
    Adesk::Boolean intersectWith(const AcGeLinearEnt3d& line, int& intn, AcGePoint3d& p1, AcGePoint3d& p2,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    // intn: 0, 1 (tangent) or 2 points; two arcs of one circle give false.
    Adesk::Boolean intersectWith(const AcGeCircArc3d& arc, int& intn, AcGePoint3d& p1, AcGePoint3d& p2,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean intersectWith(const AcGePlanarEnt& plane, int& numOfIntersect, AcGePoint3d& p1, AcGePoint3d& p2,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean tangent(const AcGePoint3d& pnt, AcGeLine3d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean tangent(const AcGePoint3d& pnt, AcGeLine3d& line, const AcGeTol& tol, AcGeError& error) const;
    void getPlane(AcGePlane& plane) const;
    // Inside the full circle, the point projected on the arc's plane first.
    Adesk::Boolean isInside(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePoint3d center() const;
    AcGeVector3d normal() const;
    AcGeVector3d refVec() const;
    double radius() const;
    double startAng() const;
    double endAng() const;
    AcGePoint3d startPoint() const;
    AcGePoint3d endPoint() const;

    AcGeCircArc3d& setCenter(const AcGePoint3d& cent);
    AcGeCircArc3d& setAxes(const AcGeVector3d& normal, const AcGeVector3d& refVec);
    AcGeCircArc3d& setRadius(double radius);
    AcGeCircArc3d& setAngles(double startAngle, double endAngle);

    AcGeCircArc3d& set(const AcGePoint3d& cent, const AcGeVector3d& nrm, double radius);
    AcGeCircArc3d& set(const AcGePoint3d& cent, const AcGeVector3d& nrm, const AcGeVector3d& refVec, double radius,
                       double startAngle, double endAngle);
    AcGeCircArc3d& set(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint);
    AcGeCircArc3d& set(const AcGePoint3d& startPoint, const AcGePoint3d& pnt, const AcGePoint3d& endPoint,
                       AcGeError& error);
    AcGeCircArc3d& operator=(const AcGeCircArc3d& arc) = default;

protected:
    AcGePoint3d pointAtParam(double param) const override;
    AcGeVector3d derivativeAtParam(double param, int order) const override;
    double closestParamTo(const AcGePoint3d& pnt, const AcGeTol& tol) const override;
    void parameterRange(AcGeInterval& intrvl) const override;
    void reverseParameter() override;
    bool closedCurve(const AcGeTol& tol) const override;
    bool periodicCurve(double& period) const override;
    bool planarCurve(AcGePlane& plane, const AcGeTol& tol) const override;
    double lengthBetween(double fromParam, double toParam, double tol) const override;
    void samplePoints(double fromParam, double toParam, double approxEps, AcGePoint3dArray& pointArray,
                      AcGeDoubleArray& paramArray) const override;

private:
    AcGeVector3d directionAt(double a) const;
    AcGeVector3d yAxis() const;
    double angleOf(const AcGeVector3d& dir) const;
    bool onArcAngle(const AcGePoint3d& pnt, const AcGeTol& tol) const;

    AcGePoint3d m_center;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    AcGeVector3d m_refVec = AcGeVector3d::kXAxis;
    double m_radius = 1.0;
    double m_startAng = 0.0;
    double m_endAng = 0.0;
};
