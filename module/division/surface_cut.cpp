// Cutting a surface in two along a line, an infinite line, a ray or a polyline that crosses it twice.
#include "division/surface_cut.h"

#include <algorithm>
#include <utility>

#include "acutads.h"
#include "dbents.h"
#include "dbray.h"
#include "dbxline.h"
#include "division/division_tolerances.h"
#include "division/surface_pieces.h"
#include "gedblar.h"
#include "geometry/polyline_kernel.h"
#include "geplane.h"
#include "surfaces/ne_surface.h"

namespace kelvora::division {

namespace {

// The cutter's course is attached to a piece whose ends lie within this distance of its ends: the
// crossings are computed on the surface, the cutter's pieces on the cutter, and may differ slightly.
constexpr double kChainTolerance = 1e-6;

AcDbPolyline* polylineAt(AcDbVoidPtrArray& pieces, int at)
{
    return AcDbPolyline::cast(static_cast<AcRxObject*>(pieces[at]));
}

bool isStraightCutter(const AcDbCurve* cutter)
{
    const AcRxClass* kind = cutter->isA();
    return kind == AcDbLine::desc() || kind == AcDbXline::desc() || kind == AcDbRay::desc();
}

// True when the polyline runs from one point to the other, in either direction.
bool runsBetween(const AcDbPolyline* pline, const AcGePoint3d& a, const AcGePoint3d& b)
{
    AcGePoint3d first;
    AcGePoint3d last;
    if (!endPoints(pline, first, last))
        return false;
    return (first.distanceTo(a) <= kPointTolerance && last.distanceTo(b) <= kPointTolerance) ||
           (first.distanceTo(b) <= kPointTolerance && last.distanceTo(a) <= kPointTolerance);
}

// A new surface with the piece's vertices (points and bulges, default widths) and closed flag.
NESurface* surfaceFromPiece(const AcDbPolyline* piece)
{
    auto* surface = new NESurface();
    takePlaneFrom(surface, piece);
    surface->copyVerticesFrom(piece);
    return surface;
}

// Two pieces that meet at vertex 0 of the boundary become one, the junction point standing twice.
AcDbPolyline* joinAtStart(AcDbVoidPtrArray& pieces)
{
    AcDbPolyline* a = polylineAt(pieces, 0);
    AcDbPolyline* b = polylineAt(pieces, 1);
    if (a == nullptr || b == nullptr)
        return a;
    AcGePoint3d aFirst;
    AcGePoint3d aLast;
    AcGePoint3d bFirst;
    AcGePoint3d bLast;
    if (!endPoints(a, aFirst, aLast) || !endPoints(b, bFirst, bLast))
        return a;
    AcDbPolyline* head = a;
    AcDbPolyline* tail = b;
    if (bLast.distanceTo(aFirst) <= kPointTolerance && aLast.distanceTo(bFirst) > kPointTolerance)
        std::swap(head, tail);
    for (unsigned int k = 0; k < tail->numVerts(); ++k) {
        AcGePoint2d point;
        double bulge = 0.0;
        tail->getPointAt(k, point);
        tail->getBulgeAt(k, bulge);
        head->addVertexAt(head->numVerts(), point, bulge);
    }
    return head;
}

void makePart(const AcDbPolyline* piece, const AcDbCurve* cutter, const std::wstring& lotText, const wchar_t* suffix,
              std::vector<NESurface*>& parts)
{
    NESurface* part = surfaceFromPiece(piece);
    closeAlongCutter(part, cutter, lotText, suffix);
    parts.push_back(part);
}

void followPolylineCutter(NESurface* piece, const AcDbPolyline* cutter)
{
    AcGePoint3d first;
    AcGePoint3d last;
    double firstParam = 0.0;
    double lastParam = 0.0;
    if (!endPoints(piece, first, last) || cutter->getParamAtPoint(first, firstParam) != Acad::eOk ||
        cutter->getParamAtPoint(last, lastParam) != Acad::eOk)
        return;
    piece->setClosed(Adesk::kFalse);
    AcGeDoubleArray params;
    params.append(std::min(firstParam, lastParam));
    params.append(std::max(firstParam, lastParam));
    AcDbVoidPtrArray courses;
    if (cutter->getSplitCurves(params, courses) == Acad::eOk) {
        for (int at = 0; at < courses.length(); ++at) {
            const AcDbPolyline* course = polylineAt(courses, at);
            if (course == nullptr || course->numVerts() == 0 || !runsBetween(course, first, last))
                continue;
            chainCurveToPolyline(piece, course, kChainTolerance);
            break;
        }
    }
    deleteCurves(courses);
}

}  // namespace

void closeAlongCutter(NESurface* piece, const AcDbCurve* cutter, const std::wstring& lotText, const wchar_t* suffix)
{
    const unsigned int count = piece->numVerts();
    if (isStraightCutter(cutter) && count > 0)
        piece->setBulgeAt(count - 1, 0.0);
    else if (const AcDbPolyline* polyline = AcDbPolyline::cast(cutter))
        followPolylineCutter(piece, polyline);
    piece->setLabelString(NESurface::kLotText, (lotText + suffix).c_str());
    piece->setClosed(Adesk::kTrue);
}

void cutSurfaceWith(NESurface* surface, const AcDbCurve* cutter, std::vector<NESurface*>& parts)
{
    const AcGePlane plane(AcGePoint3d::kOrigin, surface->normal());
    AcGePoint3dArray crossings;
    if (surface->intersectWith(cutter, AcDb::kOnBothOperands, plane, crossings) != Acad::eOk) {
        acutPrintf(ACRX_T("\nPas d'intersections"));
        return;
    }
    if (crossings.length() != 2) {
        acutPrintf(ACRX_T("\nEchec: trop d'intersections"));
        return;
    }
    AcGeDoubleArray params;
    for (int at = 0; at < crossings.length(); ++at) {
        AcGePoint3d onBoundary;
        double param = 0.0;
        // A crossing that cannot be placed on the boundary would split it at a wrong place.
        if (surface->getClosestPointTo(crossings[at], surface->normal(), onBoundary, Adesk::kFalse) != Acad::eOk ||
            surface->getParamAtPoint(onBoundary, param) != Acad::eOk)
            return;
        params.append(param);
    }
    // The host's split sorts them anyway; sorted they suit any split.
    if (params[0] > params[1])
        std::swap(params[0], params[1]);
    AcDbVoidPtrArray pieces;
    const Acad::ErrorStatus status = surface->getSplitCurves(params, pieces);
    if (status != Acad::eOk) {
        acutPrintf(ACRX_T("\nEchec pour cause de :%d"), static_cast<int>(status));
        deleteCurves(pieces);
        return;
    }
    const std::wstring lotText = surface->getLabelString(NESurface::kLotText);
    int between = -1;
    for (int at = 0; at < pieces.length(); ++at) {
        const AcDbPolyline* piece = polylineAt(pieces, at);
        if (piece != nullptr && runsBetween(piece, crossings[0], crossings[1]))
            between = at;
    }
    if (between >= 0) {
        makePart(polylineAt(pieces, between), cutter, lotText, L".1", parts);
        delete static_cast<AcRxObject*>(pieces[between]);
        pieces.removeAt(between);
    }
    const AcDbPolyline* other = pieces.isEmpty() ? nullptr : polylineAt(pieces, 0);
    if (pieces.length() == 2 && polylineAt(pieces, 0) != nullptr && polylineAt(pieces, 1) != nullptr)
        other = joinAtStart(pieces);
    if (other != nullptr)
        makePart(other, cutter, lotText, L".2", parts);
    deleteCurves(pieces);
}

}  // namespace kelvora::division
