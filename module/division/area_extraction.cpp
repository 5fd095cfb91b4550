// One fan-shaped part of a given area cut out of a surface around a centre.
#include "division/area_extraction.h"

#include <cmath>
#include <memory>
#include <utility>

#include "acutads.h"
#include "dbray.h"
#include "division/division_tolerances.h"
#include "division/fan_split.h"
#include "division/open_at_point.h"
#include "division/surface_pieces.h"
#include "geometry/polyline_kernel.h"
#include "surfaces/ne_surface.h"

namespace kelvora::division {

namespace {

// Where the sweep starts on the boundary: the crossing of the start ray nearest to the centre.
// False (after "\nPoint exterieur" for a centre outside) when there is none.
bool startOnBoundary(const AcDbPolyline* boundary, const AcGePoint3d& centreWcs, double startAngleRad,
                     AcGePoint3d& startWcs)
{
    AcGeVector3d direction = AcGeVector3d::kXAxis;
    direction.rotateBy(startAngleRad, boundary->normal());
    AcDbRay ray;
    ray.setBasePoint(centreWcs);
    ray.setUnitDir(direction);
    AcGePoint3dArray crossings;
    if (boundary->intersectWith(&ray, AcDb::kOnBothOperands, crossings) != Acad::eOk)
        return false;
    // From inside, a ray leaves the boundary once more than it enters it.
    if (crossings.length() % 2 == 0) {
        acutPrintf(ACRX_T("\nPoint exterieur"));
        return false;
    }
    startWcs = crossings[0];
    for (int at = 1; at < crossings.length(); ++at) {
        if (crossings[at].distanceTo(centreWcs) < startWcs.distanceTo(centreWcs))
            startWcs = crossings[at];
    }
    return true;
}

// A boundary left closed by the opening (it already started at the point) gets its vertex 0 again
// at its end, so that its closing side, which may be an arc, is walked like the others.
void endAtVertexZero(AcDbPolyline* opened)
{
    if (!opened->isClosed())
        return;
    AcGePoint3d first;
    AcGePoint3d last;
    if (endPoints(opened, first, last) && last.distanceTo(first) > kPointTolerance) {
        AcGePoint2d firstInPlane;
        opened->getPointAt(0, firstInPlane);
        opened->addVertexAt(opened->numVerts(), firstInPlane);
    }
}

// The fan polygon: the centre, the start point, the boundary opened there, and back to the centre.
void makeFan(AcDbPolyline* opened, const AcGePoint3d& centreWcs, const AcGePoint3d& startWcs)
{
    endAtVertexZero(opened);
    closeStraight(opened);
    AcGePoint2d centre;
    AcGePoint2d start;
    worldToPlane2d(centreWcs, opened->normal(), false, centre);
    worldToPlane2d(startWcs, opened->normal(), false, start);
    opened->addVertexAt(0, centre);
    opened->addVertexAt(opened->numVerts(), start);
}

// Rebuilds a piece right after the cut; its closing edge is the straight cut.
void tidy(NESurface* piece)
{
    rebuild(piece, kWorkingMergeTolerance);
    const unsigned int count = piece->numVerts();
    if (count > 0)
        piece->setBulgeAt(count - 1, 0.0);
}

}  // namespace

bool extractArea(const NESurface* surface, const AcGePoint3d& centreWcs, double partAreaSqUnits, double startAngleRad,
                 NESurface*& rest, NESurface*& part)
{
    rest = nullptr;
    part = nullptr;
    std::unique_ptr<NESurface> copy(cloneSurface(surface));
    if (!copy)
        return false;
    if (!copy->isClosed())
        closeStraight(copy.get());
    const double whole = areaOf(surface);
    if (partAreaSqUnits < 0.0 || partAreaSqUnits > whole)
        return false;
    AcGePoint3d nearest;
    if (surface->getClosestPointTo(centreWcs, surface->normal(), nearest, Adesk::kFalse) != Acad::eOk)
        return false;
    AcGePoint3d opening = centreWcs;
    if (nearest.distanceTo(centreWcs) > kPointTolerance) {
        if (!startOnBoundary(copy.get(), centreWcs, startAngleRad, opening))
            return false;
    }
    std::unique_ptr<AcDbPolyline> fan(openAtPoint(copy.get(), opening));
    copy.reset();
    if (!fan)
        return false;
    if (!isNoStartDirection(startAngleRad))
        makeFan(fan.get(), centreWcs, opening);
    else
        endAtVertexZero(fan.get());
    if (fan->numVerts() < 2)
        return false;
    NESurface* restPiece = nullptr;
    NESurface* partPiece = nullptr;
    splitFanAtArea(fan.get(), partAreaSqUnits, restPiece, partPiece);
    std::unique_ptr<NESurface> restOwner(restPiece);
    std::unique_ptr<NESurface> partOwner(partPiece);
    tidy(restPiece);
    tidy(partPiece);
    if (isSelfIntersecting(restPiece) || isSelfIntersecting(partPiece))
        return false;
    const double restArea = areaOf(restPiece);
    const double partArea = areaOf(partPiece);
    if (std::fabs(restArea + partArea - whole) > kAreaTolerance)
        return false;
    if (std::fabs(restArea - partAreaSqUnits) <= kAreaTolerance)
        std::swap(restOwner, partOwner);
    rest = restOwner.release();
    part = partOwner.release();
    return true;
}

}  // namespace kelvora::division
