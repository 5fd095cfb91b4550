// AcGeLine3d: an unbounded 3D line.
#pragma once

#include "gelent3d.h"

class AcGeLine3d : public AcGeLinearEnt3d {
public:
    static const AcGeLine3d kXAxis;
    static const AcGeLine3d kYAxis;
    static const AcGeLine3d kZAxis;

    // The X axis.
    AcGeLine3d();
    AcGeLine3d(const AcGeLine3d& line) = default;
    // Through pnt along vec (parameter 1 at pnt + vec).
    AcGeLine3d(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    // Through pnt1 (parameter 0) and pnt2 (parameter 1).
    AcGeLine3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);

    AcGe::EntityId type() const override;
    AcGeEntity3d* copy() const override;

    AcGeLine3d& set(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeLine3d& set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);
    AcGeLine3d& operator=(const AcGeLine3d& line) = default;

protected:
    bool boundedBelow() const override;
    bool boundedAbove() const override;
};
