// AcGeLinearEnt3d: base of 3D lines, rays and segments (a point and a direction).
#pragma once

#include "gecurv3d.h"

class AcGeLine3d;
class AcGePlanarEnt;
class AcGePlane;

// Points are pointOnLine() + t * (the defining vector); the segment's defining
// vector runs from its start to its end, so its parameter runs from 0 to 1.
class AcGeLinearEnt3d : public AcGeCurve3d {
public:
    using AcGeCurve3d::isOn;

    // The single crossing point of the two (bounded) entities, which must meet
    // within tol. Parallel entities, collinear ones included, give false:
    // overlap() answers those.
    Adesk::Boolean intersectWith(const AcGeLinearEnt3d& line, AcGePoint3d& intPnt,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean intersectWith(const AcGePlanarEnt& plane, AcGePoint3d& intPnt,
                                 const AcGeTol& tol = AcGeContext::gTol) const;
    // Crossing of the two entities seen along projDir.
    Adesk::Boolean projIntersectWith(const AcGeLinearEnt3d& line, const AcGeVector3d& projDir,
                                     AcGePoint3d& pntOnThisLine, AcGePoint3d& pntOnOtherLine,
                                     const AcGeTol& tol = AcGeContext::gTol) const;
    // The common part of two collinear entities, a new entity the caller deletes.
    Adesk::Boolean overlap(const AcGeLinearEnt3d& line, AcGeLinearEnt3d*& overlap,
                           const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isOn(const AcGePlane& plane, const AcGeTol& tol = AcGeContext::gTol) const;

    Adesk::Boolean isParallelTo(const AcGeLinearEnt3d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isParallelTo(const AcGePlanarEnt& plane, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGeLinearEnt3d& line, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isPerpendicularTo(const AcGePlanarEnt& plane, const AcGeTol& tol = AcGeContext::gTol) const;
    Adesk::Boolean isColinearTo(const AcGeLinearEnt3d& line, const AcGeTol& tol = AcGeContext::gTol) const;

    void getPerpPlane(const AcGePoint3d& pnt, AcGePlane& plane) const;
    AcGePoint3d pointOnLine() const;
    // Unit direction (zero for a degenerate entity).
    AcGeVector3d direction() const;
    void getLine(AcGeLine3d& line) const;

    Adesk::Boolean isEqualTo(const AcGeEntity3d& entity, const AcGeTol& tol = AcGeContext::gTol) const override;
    AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) override;

protected:
    AcGeLinearEnt3d() = default;
    AcGeLinearEnt3d(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeLinearEnt3d(const AcGeLinearEnt3d&) = default;
    AcGeLinearEnt3d& operator=(const AcGeLinearEnt3d&) = default;

    virtual bool boundedBelow() const = 0;
    virtual bool boundedAbove() const = 0;
    double clampParam(double t) const;

    AcGePoint3d pointAtParam(double param) const override;
    AcGeVector3d derivativeAtParam(double param, int order) const override;
    double closestParamTo(const AcGePoint3d& pnt, const AcGeTol& tol) const override;
    void parameterRange(AcGeInterval& intrvl) const override;
    void reverseParameter() override;
    bool planarCurve(AcGePlane& plane, const AcGeTol& tol) const override;
    double lengthBetween(double fromParam, double toParam, double tol) const override;
    void samplePoints(double fromParam, double toParam, double approxEps, AcGePoint3dArray& pointArray,
                      AcGeDoubleArray& paramArray) const override;

    AcGePoint3d m_point;
    AcGeVector3d m_vector = AcGeVector3d::kXAxis;
};
