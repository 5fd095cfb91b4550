// Sampling a spline (or an ellipse's spline) into the vertices of a planar polyline.
#include <memory>

#include "dbelipse.h"
#include "dbpl.h"
#include "dbspline.h"
#include "gekvec.h"
#include "genurb3d.h"
#include "geplane.h"
#include "geometry/polyline_kernel.h"
#include "tools/spline_conversion.h"

namespace kelvora::tools {

namespace {

// The largest distance a chord of the polyline may keep from the spline: a centimetre for a
// drawing in metres, below what a plan shows at its usual scales.
constexpr double kSamplingAccuracy = 0.01;
// Knots closer than this are one knot (a repeated knot read back from a file differs by rounding).
constexpr double kKnotTolerance = 1e-9;

// The spline's own curve, rebuilt from its NURBS data; weights only when there is one a point.
std::unique_ptr<AcGeNurbCurve3d> nurbsCurveOf(const AcDbSpline& spline)
{
    int degree = 0;
    Adesk::Boolean rational = Adesk::kFalse, closed = Adesk::kFalse, periodic = Adesk::kFalse;
    AcGePoint3dArray controlPoints;
    AcGeDoubleArray knots, weights;
    double controlPointTolerance = 0.0, knotTolerance = 0.0;
    if (spline.getNurbsData(degree, rational, closed, periodic, controlPoints, knots, weights, controlPointTolerance,
                            knotTolerance) != Acad::eOk)
        return nullptr;
    const AcGeKnotVector knotVector(knots, kKnotTolerance);
    if (weights.length() == controlPoints.length())
        return std::make_unique<AcGeNurbCurve3d>(degree, knotVector, controlPoints, weights, periodic);
    return std::make_unique<AcGeNurbCurve3d>(degree, knotVector, controlPoints, periodic);
}

}  // namespace

AcDbPolyline* splineToPolyline(const AcDbSpline* spline)
{
    if (spline == nullptr || spline->isNull())
        return nullptr;
    const std::unique_ptr<AcGeNurbCurve3d> curve = nurbsCurveOf(*spline);
    if (curve == nullptr)
        return nullptr;
    AcGeInterval range;
    curve->getInterval(range);
    AcGePoint3dArray samples;
    AcGeDoubleArray params;
    curve->getSamplePoints(range.lowerBound(), range.upperBound(), kSamplingAccuracy, samples, params);
    if (samples.isEmpty())
        return nullptr;
    AcGePlane plane;
    if (!curve->isPlanar(plane))
        return nullptr;

    // The vertices are the samples' coordinates in the plane's own system (the arbitrary axes of
    // its normal), and the elevation is the plane's height along the normal, so that the polyline
    // lies on the spline whatever plane it is drawn in.
    const AcGeVector3d normal = plane.normal();
    auto* pline = new AcDbPolyline(static_cast<unsigned int>(samples.length()));
    pline->setNormal(normal);
    for (int i = 0; i < samples.length(); ++i) {
        AcGePoint2d vertex;
        double elevation = 0.0;
        if (!worldToPlane2d(samples[i], normal, false, vertex, &elevation)) {
            delete pline;
            return nullptr;
        }
        if (i == 0)
            pline->setElevation(elevation);
        pline->addVertexAt(static_cast<unsigned int>(i), vertex, 0.0, -1.0, -1.0);
    }
    return pline;
}

AcDbPolyline* curveToPolyline(const AcDbEntity* curve)
{
    if (const AcDbSpline* spline = AcDbSpline::cast(curve))
        return splineToPolyline(spline);
    const AcDbEllipse* ellipse = AcDbEllipse::cast(curve);
    if (ellipse == nullptr)
        return nullptr;
    AcDbSpline* spline = nullptr;
    if (ellipse->getSpline(spline) != Acad::eOk || spline == nullptr)
        return nullptr;
    AcDbPolyline* pline = splineToPolyline(spline);
    delete spline;
    return pline;
}

}  // namespace kelvora::tools
