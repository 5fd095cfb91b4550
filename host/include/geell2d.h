// AcGeEllipArc2d: a 2D ellipse or elliptic arc.
#pragma once

#include "gecurv2d.h"

class AcGeCircArc2d;
class AcGeLinearEnt2d;

// The point at parameter t is center + majorAxis * majorRadius * cos t + minorAxis * minorRadius * sin t
// (t is the eccentric angle, as for DXF ellipses). The axes are kept as unit vectors at right angles:
// the minor axis given only chooses the turning sense, counter-clockwise when it lies to the left of
// the major axis, clockwise (isClockWise()) when to the right. The arc runs from startAng to endAng
// (endAng - startAng is the sweep, in (0, 2pi]; equal angles make the full ellipse), and the parameter
// runs from startAng to endAng, start point to end point, whichever way the arc turns.
class AcGeEllipArc2d : public AcGeCurve2d {
public:
    // The unit circle about the origin.
    AcGeEllipArc2d();
    AcGeEllipArc2d(const AcGeEllipArc2d& ell) = default;
    explicit AcGeEllipArc2d(const AcGeCircArc2d& arc);
    // A full ellipse.
    AcGeEllipArc2d(const AcGePoint2d& cent, const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis,
                   double majorRadius, double minorRadius);
    AcGeEllipArc2d(const AcGePoint2d& cent, const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis,
                   double majorRadius, double minorRadius, double startAngle, double endAngle);

    AcGe::EntityId type() const override;
    AcGeEntity2d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity2d& entity, const AcGeTol& tol = AcGeContext::gTol) const override;
    // Any affine map: the image is again an ellipse, whose axes are found anew.
    AcGeEntity2d& transformBy(const AcGeMatrix2d& xfm) override;

    // intn: 0, 1 (tangent) or 2 points, p1 first along the line.
    Adesk::Boolean intersectWith(const AcGeLinearEnt2d& line, int& intn, AcGePoint2d& p1, AcGePoint2d& p2,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    // Both radii equal within the point tolerance.
    Adesk::Boolean isCircular(const AcGeTol& tol = AcGeContext::gTol) const;
    // Inside the full ellipse (on it counts as not inside).
    Adesk::Boolean isInside(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGePoint2d center() const;
    double minorRadius() const;
    double majorRadius() const;
    AcGeVector2d minorAxis() const;
    AcGeVector2d majorAxis() const;
    double startAng() const;
    double endAng() const;
    AcGePoint2d startPoint() const;
    AcGePoint2d endPoint() const;
    Adesk::Boolean isClockWise() const;

    AcGeEllipArc2d& setCenter(const AcGePoint2d& cent);
    AcGeEllipArc2d& setMinorRadius(double rad);
    AcGeEllipArc2d& setMajorRadius(double rad);
    // A zero major axis leaves the axes as they are.
    AcGeEllipArc2d& setAxes(const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis);
    AcGeEllipArc2d& setAngles(double startAngle, double endAngle);
    AcGeEllipArc2d& set(const AcGePoint2d& cent, const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis,
                        double majorRadius, double minorRadius);
    AcGeEllipArc2d& set(const AcGePoint2d& cent, const AcGeVector2d& majorAxis, const AcGeVector2d& minorAxis,
                        double majorRadius, double minorRadius, double startAngle, double endAngle);
    AcGeEllipArc2d& set(const AcGeCircArc2d& arc);
    AcGeEllipArc2d& operator=(const AcGeEllipArc2d& ell) = default;

protected:
    AcGePoint2d pointAtParam(double param) const override;
    AcGeVector2d derivativeAtParam(double param, int order) const override;
    double closestParamTo(const AcGePoint2d& pnt, const AcGeTol& tol) const override;
    void parameterRange(AcGeInterval& intrvl) const override;
    void reverseParameter() override;
    bool closedCurve(const AcGeTol& tol) const override;
    bool periodicCurve(double& period) const override;

private:
    // The point of local coordinates (x, y), in units of the radii along the axes.
    AcGePoint2d fromUnitCircle(double x, double y) const;
    // On the arc's parameter range, the point tolerance counted along the ellipse at either end.
    bool onArcParam(const AcGePoint2d& pnt, const AcGeTol& tol) const;

    AcGePoint2d m_center;
    AcGeVector2d m_majorAxis = AcGeVector2d::kXAxis;  // unit
    AcGeVector2d m_minorAxis = AcGeVector2d::kYAxis;  // unit, at right angles to m_majorAxis
    double m_majorRadius = 1.0;
    double m_minorRadius = 1.0;
    double m_startAng = 0.0;
    double m_endAng = 0.0;
};
