// AcGeLine2d: an unbounded 2D line.
#pragma once

#include "gelent2d.h"

class AcGeLine2d : public AcGeLinearEnt2d {
public:
    static const AcGeLine2d kXAxis;
    static const AcGeLine2d kYAxis;

    // The X axis.
    AcGeLine2d();
    AcGeLine2d(const AcGeLine2d& line) = default;
    // Through pnt along vec (parameter 1 at pnt + vec).
    AcGeLine2d(const AcGePoint2d& pnt, const AcGeVector2d& vec);
    // Through pnt1 (parameter 0) and pnt2 (parameter 1).
    AcGeLine2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2);

    AcGe::EntityId type() const override;
    AcGeEntity2d* copy() const override;

    AcGeLine2d& set(const AcGePoint2d& pnt, const AcGeVector2d& vec);
    AcGeLine2d& set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2);
    AcGeLine2d& operator=(const AcGeLine2d& line) = default;

protected:
    bool boundedBelow() const override;
    bool boundedAbove() const override;
};
