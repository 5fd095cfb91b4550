// AcGeLinearEnt2d: base of 2D lines, rays and segments (a point and a direction).
#pragma once

#include "gecurv2d.h"

class AcGeLine2d;

// Points are pointOnLine() + t * (the defining vector); the segment's defining
// vector runs from its start to its end, so its parameter runs from 0 to 1.
class AcGeLinearEnt2d : public AcGeCurve2d {
public:
    // The single crossing point of the two (bounded) entities. Parallel
    // entities, collinear ones included, give false: overlap() answers those.
    Adesk::Boolean intersectWith(const AcGeLinearEnt2d& line, AcGePoint2d& intPnt,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    // The common part of two collinear entities, a new entity the caller deletes.
    Adesk::Boolean overlap(const AcGeLinearEnt2d& line, AcGeLinearEnt2d*& overlap,
                           const AcGeTol& tol = AcGeContext::gTol) const;

    Adesk::Boolean isParallelTo(const AcGeLinearEnt2d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGeLinearEnt2d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isColinearTo(const AcGeLinearEnt2d& line, const AcGeTol& tol = AcGeContext::gTol) const;

    void getPerpLine(const AcGePoint2d& pnt, AcGeLine2d& perpLine) const;
    AcGePoint2d pointOnLine() const;
    // Unit direction (zero for a degenerate entity).
    AcGeVector2d direction() const;
    void getLine(AcGeLine2d& line) const;

    Adesk::Boolean isEqualTo(const AcGeEntity2d& entity, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGeEntity2d& transformBy(const AcGeMatrix2d& xfm) override;

protected:
    AcGeLinearEnt2d() = default;
    AcGeLinearEnt2d(const AcGePoint2d& pnt, const AcGeVector2d& vec);
    AcGeLinearEnt2d(const AcGeLinearEnt2d&) = default;
    AcGeLinearEnt2d& operator=(const AcGeLinearEnt2d&) = default;

    // Parameter bounds: -inf / +inf where unbounded.
    virtual bool boundedBelow() const = 0;
    virtual bool boundedAbove() const = 0;
    double clampParam(double t) const;

    AcGePoint2d pointAtParam(double param) const override;
    AcGeVector2d derivativeAtParam(double param, int order) const override;
    double closestParamTo(const AcGePoint2d& pnt, const AcGeTol& tol) const override;
    void parameterRange(AcGeInterval& intrvl) const override;
    void reverseParameter() override;
    double lengthBetween(double fromParam, double toParam, double tol) const override;
    void samplePoints(double fromParam, double toParam, double approxEps, AcGePoint2dArray& pointArray,
                      AcGeDoubleArray& paramArray) const override;

    AcGePoint2d m_point;
    AcGeVector2d m_vector = AcGeVector2d::kXAxis;
};
