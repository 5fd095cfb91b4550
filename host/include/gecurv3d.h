// AcGeCurve3d: base of the parametric 3D curves (evaluation, parameters, length, sampling, planarity).
#pragma once

#include "gedblar.h"
#include "geent3d.h"
#include "geintrvl.h"
#include "gept3dar.h"
#include "gevc3dar.h"

class AcGeLine3d;
class AcGePlane;

class AcGeCurve3d : public AcGeEntity3d {
public:
    using AcGeEntity3d::isOn;

    void getInterval(AcGeInterval& intrvl) const;
    void getInterval(AcGeInterval& intrvl, AcGePoint3d& start, AcGePoint3d& end) const;
    AcGeCurve3d& reverseParam();

    double distanceTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    // The nearest point of the (bounded) curve.
    AcGePoint3d closestPointTo(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isOn(const AcGePoint3d& pnt, double& param, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isOn(double param, const AcGeTol& tol = AcGeContext::gTol) const;
    // The parameter of the curve point nearest to pnt.
    double paramOf(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const;

    Adesk::Boolean isClosed(const AcGeTol& tol = AcGeContext::gTol) const;
    // True when the curve lies in one plane, given in plane. A straight curve
    // lies in many: plane is then one that contains it.
    Adesk::Boolean isPlanar(AcGePlane& plane, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isLinear(AcGeLine3d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isCoplanarWith(const AcGeCurve3d& curve3d, AcGePlane& plane,
                                  const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPeriodic(double& period) const;

    double length(double fromParam, double toParam, double tol = AcGeContext::gTol.equalPoint()) const;
    double paramAtLength(double datumParam, double length, Adesk::Boolean posParamDir = Adesk::kTrue,
                         double tol = AcGeContext::gTol.equalPoint()) const;

    Adesk::Boolean hasStartPoint(AcGePoint3d& startPnt) const;
    Adesk::Boolean hasEndPoint(AcGePoint3d& endPnt) const;

    AcGePoint3d evalPoint(double param) const;
    // derivArray receives the first numDeriv derivatives (at most 2).
    AcGePoint3d evalPoint(double param, int numDeriv, AcGeVector3dArray& derivArray) const;

    // Points from fromParam to toParam (both included) whose chords stay within
    // approxEps of the curve.
    void getSamplePoints(double fromParam, double toParam, double approxEps, AcGePoint3dArray& pointArray,
                         AcGeDoubleArray& paramArray) const;
    // numSample points at equal parameter steps over the whole curve.
    void getSamplePoints(int numSample, AcGePoint3dArray& pointArray) const;

protected:
    AcGeCurve3d() = default;
    AcGeCurve3d(const AcGeCurve3d&) = default;
    AcGeCurve3d& operator=(const AcGeCurve3d&) = default;

    virtual AcGePoint3d pointAtParam(double param) const = 0;
    // order 1 or 2.
    virtual AcGeVector3d derivativeAtParam(double param, int order) const = 0;
    virtual double closestParamTo(const AcGePoint3d& pnt, const AcGeTol& tol) const = 0;
    virtual void parameterRange(AcGeInterval& intrvl) const = 0;
    virtual void reverseParameter() = 0;
    virtual bool closedCurve(const AcGeTol& tol) const;
    virtual bool periodicCurve(double& period) const;
    virtual bool planarCurve(AcGePlane& plane, const AcGeTol& tol) const;
    virtual double lengthBetween(double fromParam, double toParam, double tol) const;
    virtual void samplePoints(double fromParam, double toParam, double approxEps, AcGePoint3dArray& pointArray,
                              AcGeDoubleArray& paramArray) const;
    bool containsPoint(const AcGePoint3d& pnt, const AcGeTol& tol) const override;
};
