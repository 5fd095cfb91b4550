// AcGeNurbCurve2d: a 2D non-uniform rational B-spline given by degree, knots, control points and weights.
#pragma once

#include "gedblar.h"
#include "genurb3d.h"
#include "gept2dar.h"
#include "gesent2d.h"

class AcGeEllipArc2d;
class AcGeLineSeg2d;

// The same curve as AcGeNurbCurve3d in the plane z = 0, with the same rules: n control points and
// degree p take n + p + 1 knots, evaluated over [knot p, knot n]; a periodic curve given with only
// n + 1 knots is wrapped; invalid data leave an empty curve (no point, no length).
class AcGeNurbCurve2d : public AcGeSplineEnt2d {
public:
    AcGeNurbCurve2d();
    AcGeNurbCurve2d(const AcGeNurbCurve2d& src) = default;
    AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& cntrlPnts,
                    Adesk::Boolean isPeriodic = Adesk::kFalse);
    AcGeNurbCurve2d(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& cntrlPnts,
                    const AcGeDoubleArray& weights, Adesk::Boolean isPeriodic = Adesk::kFalse);
    // The degree-1 curve of the segment.
    explicit AcGeNurbCurve2d(const AcGeLineSeg2d& linSeg);
    // The exact rational quadratic curve of the arc, one piece per quarter turn or less; its knots are
    // the arc's angles at the piece ends, so it runs over [startAng, endAng] (not at the same speed).
    explicit AcGeNurbCurve2d(const AcGeEllipArc2d& ellipse);

    AcGe::EntityId type() const override;
    AcGeEntity2d* copy() const override;
    Adesk::Boolean isEqualTo(const AcGeEntity2d& entity, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGeEntity2d& transformBy(const AcGeMatrix2d& xfm) override;

    Adesk::Boolean isRational() const override;
    int degree() const override;
    int numKnots() const override;
    const AcGeKnotVector& knots() const override;
    int numControlPoints() const override;
    double knotAt(int index) const override;
    AcGeNurbCurve2d& setKnotAt(int index, double val) override;
    AcGePoint2d controlPointAt(int index) const override;
    AcGeNurbCurve2d& setControlPointAt(int index, const AcGePoint2d& pnt) override;
    // 1 for every point of a non-rational curve.
    double weightAt(int index) const;
    AcGeNurbCurve2d& setWeightAt(int index, double weight);

    // The data as given to set() (for a curve wrapped from n + 1 knots, as wrapped).
    void getDefinitionData(int& degree, Adesk::Boolean& rational, Adesk::Boolean& periodic, AcGeKnotVector& knots,
                           AcGePoint2dArray& controlPoints, AcGeDoubleArray& weights) const;
    int numWeights() const;

    // A non-rational curve becomes rational with every weight equal to weight
    // (its shape does not change); a rational curve is left as it is.
    AcGeNurbCurve2d& makeRational(double weight = 1.0);
    AcGeNurbCurve2d& set(int degree, const AcGeKnotVector& knots, const AcGePoint2dArray& cntrlPnts,
                         const AcGeDoubleArray& weights, Adesk::Boolean isPeriodic = Adesk::kFalse);
    AcGeNurbCurve2d& operator=(const AcGeNurbCurve2d& src) = default;

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
    // The curve itself, held at z = 0: one B-spline evaluation serves both dimensions.
    AcGeNurbCurve3d m_curve;
};
