// AcGeSplineEnt2d: base of the 2D spline curves (degree, knots, control points).
#pragma once

#include "gecurv2d.h"
#include "gekvec.h"

class AcGeSplineEnt2d : public AcGeCurve2d {
public:
    virtual Adesk::Boolean isRational() const = 0;
    virtual int degree() const = 0;
    int order() const;
    virtual int numKnots() const = 0;
    virtual const AcGeKnotVector& knots() const = 0;
    virtual int numControlPoints() const = 0;
    // Continuity order of the curve at knot index (degree minus multiplicity).
    int continuityAtKnot(int index, const AcGeTol& tol = AcGeContext::gTol) const;

    double startParam() const;
    double endParam() const;
    AcGePoint2d startPoint() const;
    AcGePoint2d endPoint() const;

    virtual double knotAt(int index) const = 0;
    virtual AcGeSplineEnt2d& setKnotAt(int index, double val) = 0;
    virtual AcGePoint2d controlPointAt(int index) const = 0;
    virtual AcGeSplineEnt2d& setControlPointAt(int index, const AcGePoint2d& pnt) = 0;

protected:
    AcGeSplineEnt2d() = default;
    AcGeSplineEnt2d(const AcGeSplineEnt2d&) = default;
    AcGeSplineEnt2d& operator=(const AcGeSplineEnt2d&) = default;
};
