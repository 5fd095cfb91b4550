// AcGeSplineEnt3d: the spline queries common to every spline kind.
#include "gesent3d.h"

int AcGeSplineEnt3d::order() const { return degree() + 1; }

int AcGeSplineEnt3d::continuityAtKnot(int index, const AcGeTol&) const
{
    return degree() - knots().multiplicityAt(index);
}

double AcGeSplineEnt3d::startParam() const
{
    AcGeInterval range;
    getInterval(range);
    return range.isBoundedBelow() ? range.lowerBound() : 0.0;
}

double AcGeSplineEnt3d::endParam() const
{
    AcGeInterval range;
    getInterval(range);
    return range.isBoundedAbove() ? range.upperBound() : 0.0;
}

AcGePoint3d AcGeSplineEnt3d::startPoint() const { return evalPoint(startParam()); }
AcGePoint3d AcGeSplineEnt3d::endPoint() const { return evalPoint(endParam()); }
