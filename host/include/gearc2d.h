// AcGeCircArc2d: a 2D circle or circular arc.
#pragma once

#include "gecurv2d.h"
#include "geline2d.h"

class AcGeLinearEnt2d;

// Angles are measured from refVec in the arc's own turning sense:
// counter-clockwise, or clockwise when isClockWise(). The arc runs from
// startAng to endAng (endAng - startAng is the sweep, in (0, 2pi]), and the
// parameter of a point is its angle, so the parameter runs from startAng to
// endAng, start point to end point, whichever way the arc turns.
class AcGeCircArc2d : public AcGeCurve2d {
public:
    // The unit circle about the origin.
    AcGeCircArc2d();
    AcGeCircArc2d(const AcGeCircArc2d& arc) = default;
    // A full circle.
    AcGeCircArc2d(const AcGePoint2d& cent, double radius);
    AcGeCircArc2d(const AcGePoint2d& cent, double radius, double startAngle, double endAngle,
                  const AcGeVector2d& refVec = AcGeVector2d::kXAxis, Adesk::Boolean isClockWise = Adesk::kFalse);
    // Through three points, from startPoint through point to endPoint.
    AcGeCircArc2d(const AcGePoint2d& startPoint, const AcGePoint2d& point, const AcGePoint2d& endPoint);
    // From startPoint to endPoint. bulgeFlag true: bulge is the sagitta (the
    // distance from the chord's midpoint to the arc); false: bulge is
    // tan(sweep / 4). Positive bulges turn counter-clockwise, negative ones
    // clockwise (isClockWise()), as a polyline segment.
    AcGeCircArc2d(const AcGePoint2d& startPoint, const AcGePoint2d& endPoint, double bulge,
                  Adesk::Boolean bulgeFlag = Adesk::kTrue);

    AcGe::EntityId type() const override;
    AcGeEntity2d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity2d& entity, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGeEntity2d& transformBy(const AcGeMatrix2d& xfm) override;

    // intn: 0, 1 (tangent) or 2 points, p1 first along the line.
    Adesk::Boolean intersectWith(const AcGeLinearEnt2d& line, int& intn, AcGePoint2d& p1, AcGePoint2d& p2,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    // intn: 0, 1 (tangent) or 2 points; two arcs of one circle give false.
    Adesk::Boolean intersectWith(const AcGeCircArc2d& arc, int& intn, AcGePoint2d& p1, AcGePoint2d& p2,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    // The tangent line at pnt, which must lie on the arc.
    Adesk::Boolean tangent(const AcGePoint2d& pnt, AcGeLine2d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean tangent(const AcGePoint2d& pnt, AcGeLine2d& line, const AcGeTol& tol, AcGeError& error) const;
    // Inside the full circle (on it counts as not inside).
    Adesk::Boolean isInside(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePoint2d center() const;
    double radius() const;
    double startAng() const;
    double endAng() const;
    Adesk::Boolean isClockWise() const;
    AcGeVector2d refVec() const;
    AcGePoint2d startPoint() const;
    AcGePoint2d endPoint() const;

    AcGeCircArc2d& setCenter(const AcGePoint2d& cent);
    AcGeCircArc2d& setRadius(double radius);
    AcGeCircArc2d& setAngles(double startAng, double endAng);
    // The rest of the circle: the arc from endAng to startAng + 2pi.
    AcGeCircArc2d& setToComplement();
    AcGeCircArc2d& setRefVec(const AcGeVector2d& vec);

    AcGeCircArc2d& set(const AcGePoint2d& cent, double radius);
    AcGeCircArc2d& set(const AcGePoint2d& cent, double radius, double ang1, double ang2,
                       const AcGeVector2d& refVec = AcGeVector2d::kXAxis, Adesk::Boolean isClockWise = Adesk::kFalse);
    AcGeCircArc2d& set(const AcGePoint2d& startPoint, const AcGePoint2d& pnt, const AcGePoint2d& endPoint);
    AcGeCircArc2d& set(const AcGePoint2d& startPoint, const AcGePoint2d& pnt, const AcGePoint2d& endPoint,
                       AcGeError& error);
    AcGeCircArc2d& set(const AcGePoint2d& startPoint, const AcGePoint2d& endPoint, double bulge,
                       Adesk::Boolean bulgeFlag = Adesk::kTrue);
    AcGeCircArc2d& operator=(const AcGeCircArc2d& arc) = default;

protected:
    AcGePoint2d pointAtParam(double param) const override;
    AcGeVector2d derivativeAtParam(double param, int order) const override;
    double closestParamTo(const AcGePoint2d& pnt, const AcGeTol& tol) const override;
    void parameterRange(AcGeInterval& intrvl) const override;
    void reverseParameter() override;
    bool closedCurve(const AcGeTol& tol) const override;
    bool periodicCurve(double& period) const override;
    double lengthBetween(double fromParam, double toParam, double tol) const override;
    void samplePoints(double fromParam, double toParam, double approxEps, AcGePoint2dArray& pointArray,
                      AcGeDoubleArray& paramArray) const override;

private:
    // Unit vector at angle a in the arc's frame.
    AcGeVector2d directionAt(double a) const;
    // The parameter of the direction dir, in [startAng, startAng + 2pi).
    double angleOf(const AcGeVector2d& dir) const;
    bool onArcAngle(const AcGePoint2d& pnt, const AcGeTol& tol) const;

    AcGePoint2d m_center;
    double m_radius = 1.0;
    double m_startAng = 0.0;
    double m_endAng = 0.0;
    AcGeVector2d m_refVec = AcGeVector2d::kXAxis;
    bool m_clockWise = false;
};
