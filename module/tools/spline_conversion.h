// Splines and ellipses as lightweight polylines: sampling, and the merge passes that thin them out.
#pragma once

class AcDbEntity;
class AcDbPolyline;
class AcDbSpline;

namespace kelvora::tools {

// A new polyline, in no database and owned by the caller, whose vertices are points of the spline
// sampled so that no chord strays more than 0.01 from it, in the spline's plane (its normal, its
// elevation). Every segment is straight; the polyline is open even for a closed spline, whose last
// vertex then lies on its first. Null for a null, unreadable or non-planar spline.
AcDbPolyline* splineToPolyline(const AcDbSpline* spline);

// The same for a spline or an ellipse (an ellipse through the host's spline of it); null for any
// other entity or when the conversion gives nothing.
AcDbPolyline* curveToPolyline(const AcDbEntity* curve);

// Thins a converted polyline (open for write): merges collinear lines under a point tolerance of
// 0.01 and a direction tolerance of 0.05, pass after pass while a pass lowers the vertex count, at
// most 15 passes, printing "\nSegs avant optim N" and then " optim N" after each pass.
void mergeConvertedPolyline(AcDbPolyline* pline);

}  // namespace kelvora::tools
