// AcGeRay2d: a 2D half-line from a base point.
#pragma once

#include "gelent2d.h"

class AcGeRay2d : public AcGeLinearEnt2d {
public:
    // From the origin along X.
    AcGeRay2d();
    AcGeRay2d(const AcGeRay2d& line) = default;
    // From pnt (parameter 0) along vec (parameter 1 at pnt + vec).
    AcGeRay2d(const AcGePoint2d& pnt, const AcGeVector2d& vec);
    // From pnt1 through pnt2.
    AcGeRay2d(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2);

    AcGe::EntityId type() const override;
    AcGeEntity2d* copy() const override;

    AcGeRay2d& set(const AcGePoint2d& pnt, const AcGeVector2d& vec);
    AcGeRay2d& set(const AcGePoint2d& pnt1, const AcGePoint2d& pnt2);
    AcGeRay2d& operator=(const AcGeRay2d& line) = default;

protected:
    bool boundedBelow() const override;
    bool boundedAbove() const override;
};
