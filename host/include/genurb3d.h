// AcGeNurbCurve3d: a 3D non-uniform rational B-spline given by degree, knots, control points and weights.
#pragma once

#include "gedblar.h"
#include "gelnsg3d.h"
#include "gept3dar.h"
#include "gesent3d.h"

// A curve of n control points and degree p takes n + p + 1 knots and is
// evaluated over [knot p, knot n]. A periodic curve is stored as a closed
// periodic DXF spline is: its last p control points repeat its first p, so it
// closes on itself smoothly. A periodic curve given with only n + 1 knots (the
// knots of one period) has its control points wrapped here to that form.
// Invalid data (too few knots or points, degree below 1, weights not positive)
// leave an empty curve: no point, no length.
class AcGeNurbCurve3d : public AcGeSplineEnt3d {
public:
    AcGeNurbCurve3d();
    AcGeNurbCurve3d(const AcGeNurbCurve3d& src) = default;
    AcGeNurbCurve3d(int degree, const AcGeKnotVector& knots, const AcGePoint3dArray& cntrlPnts,
                    Adesk::Boolean isPeriodic = Adesk::kFalse);
    AcGeNurbCurve3d(int degree, const AcGeKnotVector& knots, const AcGePoint3dArray& cntrlPnts,
                    const AcGeDoubleArray& weights, Adesk::Boolean isPeriodic = Adesk::kFalse);
    // The degree-1 curve of the segment.
    explicit AcGeNurbCurve3d(const AcGeLineSeg3d& linSeg);

    AcGe::EntityId type() const override;
    AcGeEntity3d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity3d& entity, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;

    Adesk::Boolean isRational() const override;
    int degree() const override;
    int numKnots() const override;
    const AcGeKnotVector& knots() const override;
    int numControlPoints() const override;
    double knotAt(int index) const override;
    AcGeNurbCurve3d& setKnotAt(int index, double val) override;
    AcGePoint3d controlPointAt(int index) const override;
    AcGeNurbCurve3d& setControlPointAt(int index, const AcGePoint3d& pnt) override;
    // 1 for every point of a non-rational curve.
    double weightAt(int index) const;
    AcGeNurbCurve3d& setWeightAt(int index, double weight);

    // The data as given to set() (for a curve wrapped from n + 1 knots, as wrapped).
    void getDefinitionData(int& degree, Adesk::Boolean& rational, Adesk::Boolean& periodic, AcGeKnotVector& knots,
                           AcGePoint3dArray& controlPoints, AcGeDoubleArray& weights) const;
    int numWeights() const;

    // A non-rational curve becomes rational with every weight equal to weight
    // (its shape does not change); a rational curve is left as it is.
    AcGeNurbCurve3d& makeRational(double weight = 1.0);
    AcGeNurbCurve3d& set(int degree, const AcGeKnotVector& knots, const AcGePoint3dArray& cntrlPnts,
                         const AcGeDoubleArray& weights, Adesk::Boolean isPeriodic = Adesk::kFalse);
    AcGeNurbCurve3d& operator=(const AcGeNurbCurve3d& src) = default;

protected:
    AcGePoint3d pointAtParam(double param) const override;
    AcGeVector3d derivativeAtParam(double param, int order) const override;
    double closestParamTo(const AcGePoint3d& pnt, const AcGeTol& tol) const override;
    void parameterRange(AcGeInterval& intrvl) const override;
    void reverseParameter() override;
    bool closedCurve(const AcGeTol& tol) const override;
    bool periodicCurve(double& period) const override;
    bool planarCurve(AcGePlane& plane, const AcGeTol& tol) const override;
    void samplePoints(double fromParam, double toParam, double approxEps, AcGePoint3dArray& pointArray,
                      AcGeDoubleArray& paramArray) const override;

private:
    bool isValid() const { return m_valid; }
    // Checks the data after every change: evaluation relies on it.
    void refreshValidity();
    // Point and derivatives up to order (at most 2) at param: derivs[0] the
    // point, derivs[1] and derivs[2] the derivatives.
    void evaluate(double param, int order, AcGeVector3d derivs[3]) const;
    int spanOf(double param) const;
    double wrapParam(double param) const;

    int m_degree = 1;
    bool m_periodic = false;
    bool m_rational = false;
    AcGeKnotVector m_knots;
    AcGePoint3dArray m_points;
    AcGeDoubleArray m_weights;
    bool m_valid = false;
};
