// AcGeSplineEnt3d: base of the 3D spline curves (degree, knots, control points).
#pragma once

#include "gecurv3d.h"
#include "gekvec.h"

class AcGeSplineEnt3d : public AcGeCurve3d {
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
    AcGePoint3d startPoint() const;
    AcGePoint3d endPoint() const;

    virtual double knotAt(int index) const = 0;
    virtual AcGeSplineEnt3d& setKnotAt(int index, double val) = 0;
    virtual AcGePoint3d controlPointAt(int index) const = 0;
    virtual AcGeSplineEnt3d& setControlPointAt(int index, const AcGePoint3d& pnt) = 0;

protected:
    AcGeSplineEnt3d() = default;
    AcGeSplineEnt3d(const AcGeSplineEnt3d&) = default;
    AcGeSplineEnt3d& operator=(const AcGeSplineEnt3d&) = default;
};
