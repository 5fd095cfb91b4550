// One part of a given area cut off a surface by a chord parallel to a direction.
#include "division/directional_cut.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "acutads.h"
#include "dbhelpers/model_space.h"
#include "dbxline.h"
#include "division/area_above_line.h"
#include "division/division_tolerances.h"
#include "division/surface_pieces.h"
#include "gedblar.h"
#include "gemat3d.h"
#include "geometry/polyline_kernel.h"
#include "surfaces/ne_surface.h"

namespace kelvora::division {

namespace {

// The search moves the line at most this many times; false position on a monotone area converges
// in a handful of steps.
constexpr int kMaxSearchSteps = 100;
// Below this angle (radians) the direction is the x axis and the copy is not turned.
constexpr double kNoTurn = 1e-7;
// Colours of the pieces left in the drawing when a split goes wrong: the polygon red, the pieces blue.
constexpr Adesk::UInt16 kFaultPolygonColour = 1;
constexpr Adesk::UInt16 kFaultPieceColour = 5;

// The surface moved so that its extents' centre lies at the origin and turned so that the
// direction runs along the x axis; the left of the direction is then above.
struct WorkingFrame {
    AcGeVector3d shift;   // from the drawing to the frame, before the turn
    double turnRad = 0.0; // 0 when not turned
    AcGeVector3d normal;

    void toFrame(AcDbEntity* entity) const
    {
        entity->transformBy(AcGeMatrix3d::translation(-shift));
        if (std::fabs(turnRad) > kNoTurn)
            entity->transformBy(AcGeMatrix3d::rotation(-turnRad, normal, AcGePoint3d::kOrigin));
    }
    void toDrawing(AcDbEntity* entity) const
    {
        if (std::fabs(turnRad) > kNoTurn)
            entity->transformBy(AcGeMatrix3d::rotation(turnRad, normal, AcGePoint3d::kOrigin));
        entity->transformBy(AcGeMatrix3d::translation(shift));
    }
};

// A closed copy without a last vertex that repeats vertex 0; null when nothing would remain.
std::unique_ptr<NESurface> closedCopy(const NESurface* surface)
{
    std::unique_ptr<NESurface> copy(cloneSurface(surface));
    if (!copy)
        return nullptr;
    copy->setClosed(Adesk::kTrue);
    for (;;) {
        AcGePoint3d first;
        AcGePoint3d last;
        if (!endPoints(copy.get(), first, last) || last.distanceTo(first) > kPointTolerance)
            break;
        if (copy->numVerts() < 3)
            return nullptr;
        copy->removeVertexAt(copy->numVerts() - 1);
    }
    return copy;
}

AcGePoint3d centreOf(const AcDbExtents& extents)
{
    return extents.minPoint() + (extents.maxPoint() - extents.minPoint()) * 0.5;
}

// Moves the horizontal line until the area above it is the part area. False when the area is not
// reached within the area tolerance.
bool searchCutLine(const NESurface* polygon, double wholeArea, double partArea, AcDbXline& line, AreaAbove& above)
{
    AcDbExtents extents;
    if (polygon->getGeomExtents(extents) != Acad::eOk || !(wholeArea > 0.0))
        return false;
    const AcGePoint3d centre = centreOf(extents);
    line.setUnitDir(AcGeVector3d::kXAxis);
    // The area above the line falls from the whole at the bottom to nothing at the top.
    double yLow = extents.minPoint().y;
    double areaLow = wholeArea;
    double yHigh = extents.maxPoint().y;
    double areaHigh = 0.0;
    bool found = false;
    for (int steps = 0; steps < kMaxSearchSteps; ++steps) {
        const double y = yLow + (yHigh - yLow) / (areaHigh - areaLow) * (partArea - areaLow);
        line.setBasePoint(AcGePoint3d(centre.x, y, centre.z));
        if (!areaAboveLine(polygon, &line, above))
            break;
        found = true;
        if (partArea > above.areaSqUnits) {
            yHigh = y;
            areaHigh = above.areaSqUnits;
        } else {
            yLow = y;
            areaLow = above.areaSqUnits;
        }
        if (std::fabs(above.areaSqUnits - partArea) <= kAreaTolerance || std::fabs(yHigh - yLow) <= kPointTolerance)
            break;
    }
    return found && above.cut && std::fabs(above.areaSqUnits - partArea) < kAreaTolerance;
}

bool isPartArea(double area, double partArea)
{
    return std::fabs(area - partArea) <= kAreaTolerance;
}

// True when the first piece reaches higher than the second in the working frame: the piece on the
// left of the direction. When both pieces have the part's area it is the part, as every part of a
// series is taken from the left of what remains.
bool isUpper(const NESurface* first, const NESurface* second)
{
    AcDbExtents a;
    AcDbExtents b;
    if (first->getGeomExtents(a) != Acad::eOk || second->getGeomExtents(b) != Acad::eOk)
        return true;
    return a.maxPoint().y > b.maxPoint().y;
}

void leaveFaultMarks(const NESurface* polygon, AcDbVoidPtrArray& pieces)
{
    if (AcDbPolyline* copy = clonePolyline(polygon)) {
        copy->setColorIndex(kFaultPolygonColour);
        addToModelSpace(copy);
    }
    for (int at = 0; at < pieces.length(); ++at) {
        auto* piece = AcDbEntity::cast(static_cast<AcRxObject*>(pieces[at]));
        if (piece == nullptr)
            continue;
        piece->setColorIndex(kFaultPieceColour);
        addToModelSpace(piece);
        pieces[at] = nullptr;
    }
}

// The two pieces of the polygon between the cut points, closed along the cut; false (the pieces
// deleted) when the split does not give two surfaces.
bool splitAtCut(const NESurface* polygon, const AreaAbove& above, std::unique_ptr<NESurface> (&out)[2])
{
    double firstParam = 0.0;
    double lastParam = 0.0;
    if (polygon->getParamAtPoint(above.first, firstParam) != Acad::eOk ||
        polygon->getParamAtPoint(above.last, lastParam) != Acad::eOk)
        return false;
    AcGeDoubleArray params;
    params.append(std::min(firstParam, lastParam));
    params.append(std::max(firstParam, lastParam));
    AcDbVoidPtrArray pieces;
    if (polygon->getSplitCurves(params, pieces) != Acad::eOk) {
        deleteCurves(pieces);
        return false;
    }
    if (pieces.length() != 2) {
        leaveFaultMarks(polygon, pieces);
        deleteCurves(pieces);
        return false;
    }
    for (int at = 0; at < 2; ++at) {
        if (NESurface::cast(static_cast<AcRxObject*>(pieces[at])) == nullptr) {
            acutPrintf(ACRX_T("\nGetSplitCurves ne donne pas le bon resultat"));
            deleteCurves(pieces);
            return false;
        }
    }
    for (int at = 0; at < 2; ++at) {
        out[at].reset(NESurface::cast(static_cast<AcRxObject*>(pieces[at])));
        rebuild(out[at].get(), kWorkingMergeTolerance);
        closeStraight(out[at].get());
    }
    return true;
}

}  // namespace

bool cutAreaByDirection(const NESurface* surface, double partAreaSqUnits, double directionRad, NESurface*& rest,
                        NESurface*& part)
{
    rest = nullptr;
    part = nullptr;
    std::unique_ptr<NESurface> polygon = closedCopy(surface);
    AcDbExtents extents;
    if (!polygon || polygon->getGeomExtents(extents) != Acad::eOk)
        return false;
    WorkingFrame frame;
    frame.shift = centreOf(extents).asVector();
    frame.turnRad = directionRad;
    frame.normal = surface->normal();
    frame.toFrame(polygon.get());

    const double wholeArea = areaOf(surface);
    AcDbXline line;
    AreaAbove above;
    if (!searchCutLine(polygon.get(), wholeArea, partAreaSqUnits, line, above))
        return false;
    std::unique_ptr<NESurface> pieces[2];
    if (!splitAtCut(polygon.get(), above, pieces))
        return false;

    const double firstArea = areaOf(pieces[0].get());
    const double secondArea = areaOf(pieces[1].get());
    const bool firstCrosses = isSelfIntersecting(pieces[0].get());
    const bool secondCrosses = isSelfIntersecting(pieces[1].get());
    const double mismatch = std::fabs(firstArea + secondArea - wholeArea);
    if (firstCrosses || secondCrosses || mismatch > kAreaTolerance) {
        for (bool crosses : {firstCrosses, secondCrosses}) {
            if (crosses)
                acutPrintf(ACRX_T("\nEchec Self Intersection"));
        }
        if (mismatch > kAreaTolerance)
            acutPrintf(ACRX_T("\nErreur de précision :(%f-%f-%f=%f)>%f"), wholeArea, firstArea, secondArea, mismatch,
                       kAreaTolerance);
        return false;
    }
    // The part goes second; of two pieces that both have the part's area, the upper one.
    const bool tie = isPartArea(firstArea, partAreaSqUnits) && isPartArea(secondArea, partAreaSqUnits);
    if (tie ? isUpper(pieces[0].get(), pieces[1].get()) : isPartArea(firstArea, partAreaSqUnits))
        std::swap(pieces[0], pieces[1]);
    for (auto& piece : pieces)
        frame.toDrawing(piece.get());
    rest = pieces[0].release();
    part = pieces[1].release();
    return true;
}

}  // namespace kelvora::division
