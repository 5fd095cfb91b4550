// AcGeCurve2d: base of the parametric 2D curves (evaluation, parameters, length, sampling).
#pragma once

#include "gedblar.h"
#include "geent2d.h"
#include "geintrvl.h"
#include "gept2dar.h"
#include "gevc2dar.h"

class AcGeCurve2d : public AcGeEntity2d {
public:
    using AcGeEntity2d::isOn;

    void getInterval(AcGeInterval& intrvl) const;
    void getInterval(AcGeInterval& intrvl, AcGePoint2d& start, AcGePoint2d& end) const;
    AcGeCurve2d& reverseParam();

    double distanceTo(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    // The nearest point of the (bounded) curve.
    AcGePoint2d closestPointTo(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isOn(const AcGePoint2d& pnt, double& param, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isOn(double param, const AcGeTol& tol = AcGeContext::gTol) const;
    // The parameter of the curve point nearest to pnt.
    double paramOf(const AcGePoint2d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    Adesk::Boolean isClosed(const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPeriodic(double& period) const;
    Adesk::Boolean isLinear(AcGeLine2d& line, const AcGeTol& tol = AcGeContext::gTol) const;

    double length(double fromParam, double toParam, double tol = AcGeContext::gTol.equalPoint()) const;
    double paramAtLength(double datumParam, double length, Adesk::Boolean posParamDir = Adesk::kTrue,
                         double tol = AcGeContext::gTol.equalPoint()) const;

    Adesk::Boolean hasStartPoint(AcGePoint2d& startPnt) const;
    Adesk::Boolean hasEndPoint(AcGePoint2d& endPnt) const;

    AcGePoint2d evalPoint(double param) const;
    // derivArray receives the first numDeriv derivatives (at most 2).
    AcGePoint2d evalPoint(double param, int numDeriv, AcGeVector2dArray& derivArray) const;

    // Points from fromParam to toParam (both included) whose chords stay within
    // approxEps of the curve.
    void getSamplePoints(double fromParam, double toParam, double approxEps, AcGePoint2dArray& pointArray,
                         AcGeDoubleArray& paramArray) const;
    // numSample points at equal parameter steps over the whole curve.
    void getSamplePoints(int numSample, AcGePoint2dArray& pointArray) const;

protected:
    AcGeCurve2d() = default;
    AcGeCurve2d(const AcGeCurve2d&) = default;
    AcGeCurve2d& operator=(const AcGeCurve2d&) = default;

    virtual AcGePoint2d pointAtParam(double param) const = 0;
    // order 1 or 2.
    virtual AcGeVector2d derivativeAtParam(double param, int order) const = 0;
    virtual double closestParamTo(const AcGePoint2d& pnt, const AcGeTol& tol) const = 0;
    virtual void parameterRange(AcGeInterval& intrvl) const = 0;
    virtual void reverseParameter() = 0;
    virtual bool closedCurve(const AcGeTol& tol) const;
    virtual bool periodicCurve(double& period) const;
    virtual double lengthBetween(double fromParam, double toParam, double tol) const;
    virtual void samplePoints(double fromParam, double toParam, double approxEps, AcGePoint2dArray& pointArray,
                              AcGeDoubleArray& paramArray) const;
    bool containsPoint(const AcGePoint2d& pnt, const AcGeTol& tol) const override;
};
