// The point of a spline nearest to a given point, over the whole curve rather than near a first guess.
#pragma once

#include "genurb3d.h"
#include "gepnt3d.h"

namespace kelvora {

// The parameter, within the curve's range, of the curve point nearest to pt: every stretch of the
// curve that may hold the nearest point is refined, and the nearest of their answers wins (the
// first one along the curve on a tie), so that a point on the curve always gets itself back.
// The curve must be valid (a spline that is not null).
double nearestSplineParam(const AcGeNurbCurve3d& curve, const AcGePoint3d& pt);

}  // namespace kelvora
