// AcDbCurve: the curve protocol's defaults, built from the operations each curve class gives.
#include "dbcurve.h"

#include "entity_util.h"
#include "geplane.h"
#include "kelvora/host_class.h"

KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcDbCurve, AcDbEntity, nullptr);

AcDbCurve::AcDbCurve() = default;

AcDbCurve::~AcDbCurve() = default;

Adesk::Boolean AcDbCurve::isClosed() const
{
    return Adesk::kFalse;
}

Adesk::Boolean AcDbCurve::isPeriodic() const
{
    return Adesk::kFalse;
}

Acad::ErrorStatus AcDbCurve::getStartParam(double&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getEndParam(double&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getStartPoint(AcGePoint3d& point) const
{
    double param = 0.0;
    Acad::ErrorStatus es = getStartParam(param);
    if (es != Acad::eOk)
        return es;
    return getPointAtParam(param, point);
}

Acad::ErrorStatus AcDbCurve::getEndPoint(AcGePoint3d& point) const
{
    double param = 0.0;
    Acad::ErrorStatus es = getEndParam(param);
    if (es != Acad::eOk)
        return es;
    return getPointAtParam(param, point);
}

Acad::ErrorStatus AcDbCurve::getPointAtParam(double, AcGePoint3d&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getParamAtPoint(const AcGePoint3d&, double&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getDistAtParam(double, double&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getParamAtDist(double, double&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getDistAtPoint(const AcGePoint3d& point, double& dist) const
{
    double param = 0.0;
    Acad::ErrorStatus es = getParamAtPoint(point, param);
    if (es != Acad::eOk)
        return es;
    return getDistAtParam(param, dist);
}

Acad::ErrorStatus AcDbCurve::getPointAtDist(double dist, AcGePoint3d& point) const
{
    double param = 0.0;
    Acad::ErrorStatus es = getParamAtDist(dist, param);
    if (es != Acad::eOk)
        return es;
    return getPointAtParam(param, point);
}

Acad::ErrorStatus AcDbCurve::getFirstDeriv(double, AcGeVector3d&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getFirstDeriv(const AcGePoint3d& point, AcGeVector3d& firstDeriv) const
{
    double param = 0.0;
    Acad::ErrorStatus es = getParamAtPoint(point, param);
    if (es != Acad::eOk)
        return es;
    return getFirstDeriv(param, firstDeriv);
}

Acad::ErrorStatus AcDbCurve::getSecondDeriv(double, AcGeVector3d&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getSecondDeriv(const AcGePoint3d& point, AcGeVector3d& secDeriv) const
{
    double param = 0.0;
    Acad::ErrorStatus es = getParamAtPoint(point, param);
    if (es != Acad::eOk)
        return es;
    return getSecondDeriv(param, secDeriv);
}

Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d& givenPnt, AcGePoint3d& pointOnCurve,
                                               Adesk::Boolean extend) const
{
    assertReadEnabled();
    return kelvora::closestPointOfEntity(this, givenPnt, nullptr, extend, pointOnCurve);
}

Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                               AcGePoint3d& pointOnCurve, Adesk::Boolean extend) const
{
    assertReadEnabled();
    if (direction.isZeroLength())
        return Acad::eInvalidInput;
    return kelvora::closestPointOfEntity(this, givenPnt, &direction, extend, pointOnCurve);
}

Acad::ErrorStatus AcDbCurve::getOrthoProjectedCurve(const AcGePlane&, AcDbCurve*&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getProjectedCurve(const AcGePlane&, const AcGeVector3d&, AcDbCurve*&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getOffsetCurves(double, AcDbVoidPtrArray&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getOffsetCurvesGivenPlaneNormal(const AcGeVector3d& normal, double offsetDist,
                                                             AcDbVoidPtrArray& offsetCurves) const
{
    AcGePlane plane;
    AcDb::Planarity planarity = AcDb::kNonPlanar;
    if (getPlane(plane, planarity) != Acad::eOk || planarity != AcDb::kPlanar)
        return Acad::eNotApplicable;
    AcGeVector3d own = plane.normal();
    if (!own.isParallelTo(normal))
        return Acad::eNotApplicable;
    // Seen from the other side, the curve's right is the given normal's left.
    return getOffsetCurves(own.dotProduct(normal) >= 0.0 ? offsetDist : -offsetDist, offsetCurves);
}

Acad::ErrorStatus AcDbCurve::getSpline(AcDbSpline*&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getSplitCurves(const AcGeDoubleArray&, AcDbVoidPtrArray&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getSplitCurves(const AcGePoint3dArray& points, AcDbVoidPtrArray& curveSegments) const
{
    assertReadEnabled();
    AcGeDoubleArray params;
    for (const AcGePoint3d& pt : points) {
        double param = 0.0;
        Acad::ErrorStatus es = getParamAtPoint(pt, param);
        if (es != Acad::eOk)
            return es;
        params.append(param);
    }
    return getSplitCurves(params, curveSegments);
}

Acad::ErrorStatus AcDbCurve::extend(double)
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::extend(Adesk::Boolean, const AcGePoint3d&)
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getArea(double&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::reverseCurve()
{
    return Acad::eNotApplicable;
}
