// AcGeSplineEnt2d: the spline queries common to every 2D spline kind.
#include "gesent2d.h"

int AcGeSplineEnt2d::order() const { return degree() + 1; }

int AcGeSplineEnt2d::continuityAtKnot(int index, const AcGeTol&) const
{
    return degree() - knots().multiplicityAt(index);
}

double AcGeSplineEnt2d::startParam() const
{
    AcGeInterval range;
    getInterval(range);
    return range.isBoundedBelow() ? range.lowerBound() : 0.0;
}

double AcGeSplineEnt2d::endParam() const
{
    AcGeInterval range;
    getInterval(range);
    return range.isBoundedAbove() ? range.upperBound() : 0.0;
}

AcGePoint2d AcGeSplineEnt2d::startPoint() const { return evalPoint(startParam()); }
AcGePoint2d AcGeSplineEnt2d::endPoint() const { return evalPoint(endParam()); }
