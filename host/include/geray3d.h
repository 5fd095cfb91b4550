// AcGeRay3d: a 3D half-line from a base point.
#pragma once

#include "gelent3d.h"

class AcGeRay3d : public AcGeLinearEnt3d {
public:
    // From the origin along X.
    AcGeRay3d();
    AcGeRay3d(const AcGeRay3d& line) = default;
    // From pnt (parameter 0) along vec (parameter 1 at pnt + vec).
    AcGeRay3d(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    // From pnt1 through pnt2.
    AcGeRay3d(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);

    AcGe::EntityId type() const override;
    AcGeEntity3d* copy() const override;

    AcGeRay3d& set(const AcGePoint3d& pnt, const AcGeVector3d& vec);
    AcGeRay3d& set(const AcGePoint3d& pnt1, const AcGePoint3d& pnt2);
    AcGeRay3d& operator=(const AcGeRay3d& line) = default;

protected:
    bool boundedBelow() const override;
    bool boundedAbove() const override;
};
