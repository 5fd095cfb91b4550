// AcGeLineSeg3d: a 3D line segment; its parameter runs from 0 at the start to 1 at the end.
#pragma once

#include "gelent3d.h"
#include "geplane.h"

class AcGeLineSeg3d : public AcGeLinearEnt3d {
public:
    using AcGeCurve3d::length;

    // From the origin to (1, 0, 0).
    AcGeLineSeg3d();
    AcGeLineSeg3d(const AcGeLineSeg3d& line) = default;
    AcGeLineSeg3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);
    // From pnt to pnt + vec.
    AcGeLineSeg3d(const AcGePoint3d& pnt, const AcGeVector3d& vec);

    AcGe::EntityId type() const override;
    AcGeEntity3d* copy() const override;

    AcGeLineSeg3d& set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);
    AcGeLineSeg3d& set(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeLineSeg3d& operator=(const AcGeLineSeg3d& line) = default;

    // The plane through the midpoint perpendicular to the segment.
    void getBisector(AcGePlane& plane) const;
    // startPoint() + blendCoeff * (endPoint() - startPoint()).
    AcGePoint3d baryComb(double blendCoeff) const;
    AcGePoint3d startPoint() const;
    AcGePoint3d midPoint() const;
    AcGePoint3d endPoint() const;
    double length() const;

protected:
    bool boundedBelow() const override;
    bool boundedAbove() const override;
};
