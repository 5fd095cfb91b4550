// AcGeLineSeg2d: a 2D line segment; its parameter runs from 0 at the start to 1 at the end.
#pragma once

#include "gelent2d.h"
#include "geline2d.h"

class AcGeLineSeg2d : public AcGeLinearEnt2d {
public:
    using AcGeCurve2d::length;

    // From the origin to (1, 0).
    AcGeLineSeg2d();
    AcGeLineSeg2d(const AcGeLineSeg2d& line) = default;
    AcGeLineSeg2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2);
    // From pnt to pnt + vec.
    AcGeLineSeg2d(const AcGePoint2d& pnt, const AcGeVector2d& vec);

    AcGe::EntityId type() const override;
    AcGeEntity2d* copy() const override;

    AcGeLineSeg2d& set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2);
    AcGeLineSeg2d& set(const AcGePoint2d& pnt, const AcGeVector2d& vec);
    AcGeLineSeg2d& operator=(const AcGeLineSeg2d& line) = default;

    // The perpendicular bisector.
    void getBisector(AcGeLine2d& line) const;
    // startPoint() + blendCoeff * (endPoint() - startPoint()).
    AcGePoint2d baryComb(double blendCoeff) const;
    AcGePoint2d startPoint() const;
    AcGePoint2d midPoint() const;
    AcGePoint2d endPoint() const;
    double length() const;

protected:
    bool boundedBelow() const override;
    bool boundedAbove() const override;
};
