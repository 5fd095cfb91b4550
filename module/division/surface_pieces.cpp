// Small operations on the surfaces and polylines that the division commands cut and rebuild.
#include "division/surface_pieces.h"

#include "geometry/polyline_kernel.h"

namespace kelvora::division {

bool isExactlySurface(const AcDbEntity* entity)
{
    return entity != nullptr && entity->isA() == NESurface::desc();
}

NESurface* cloneSurface(const NESurface* surface)
{
    if (surface == nullptr)
        return nullptr;
    AcRxObject* copy = surface->clone();
    NESurface* result = NESurface::cast(copy);
    if (result == nullptr)
        delete copy;
    return result;
}

AcDbPolyline* clonePolyline(const AcDbPolyline* pline)
{
    if (pline == nullptr)
        return nullptr;
    AcRxObject* copy = pline->clone();
    AcDbPolyline* result = AcDbPolyline::cast(copy);
    if (result == nullptr)
        delete copy;
    return result;
}

double areaOf(const AcDbCurve* curve)
{
    double area = 0.0;
    if (curve == nullptr || curve->getArea(area) != Acad::eOk)
        return 0.0;
    return area;
}

void closeStraight(AcDbPolyline* pline)
{
    const unsigned int count = pline->numVerts();
    if (count > 0)
        pline->setBulgeAt(count - 1, 0.0);
    pline->setClosed(Adesk::kTrue);
}

void rebuild(AcDbPolyline* pline, double tolerance)
{
    mergeCollinearSegments(pline, tolerance, tolerance);
}

bool endPoints(const AcDbPolyline* pline, AcGePoint3d& first, AcGePoint3d& last)
{
    const unsigned int count = pline->numVerts();
    if (count == 0)
        return false;
    return pline->getPointAt(0, first) == Acad::eOk && pline->getPointAt(count - 1, last) == Acad::eOk;
}

void appendVertexFrom(AcDbPolyline* dest, const AcDbPolyline* source, unsigned int index)
{
    AcGePoint2d point;
    double bulge = 0.0;
    double startWidth = -1.0;
    double endWidth = -1.0;
    if (source->getPointAt(index, point) != Acad::eOk)
        return;
    source->getBulgeAt(index, bulge);
    source->getWidthsAt(index, startWidth, endWidth);
    dest->addVertexAt(dest->numVerts(), point, bulge, startWidth, endWidth);
}

void takePlaneFrom(AcDbPolyline* dest, const AcDbPolyline* source)
{
    dest->reset(Adesk::kFalse, 0);
    dest->setNormal(source->normal());
    dest->setElevation(source->elevation());
}

void deleteCurves(AcDbVoidPtrArray& curves)
{
    for (int at = 0; at < curves.length(); ++at)
        delete static_cast<AcRxObject*>(curves[at]);
    curves.setLogicalLength(0);
}

}  // namespace kelvora::division
