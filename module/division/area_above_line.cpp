// The area of a polygon that lies above a horizontal line, for the directional search.
#include "division/area_above_line.h"

#include <cmath>
#include <limits>

#include "dbmain.h"
#include "division/division_tolerances.h"
#include "division/surface_pieces.h"
#include "gedblar.h"

namespace kelvora::division {

namespace {

// A piece that runs along the line encloses nothing; its computed area is rounding only.
constexpr double kNothingEnclosed = 1e-12;

AcDbPolyline* pieceAt(AcDbVoidPtrArray& pieces, int at)
{
    return AcDbPolyline::cast(static_cast<AcRxObject*>(pieces[at]));
}

double topOf(const AcDbPolyline* piece)
{
    AcDbExtents extents;
    if (piece->getGeomExtents(extents) != Acad::eOk)
        return -std::numeric_limits<double>::infinity();
    return extents.maxPoint().y;
}

// Appends `tail` to `head`: the joint takes the tail's first bulge, then the tail's other vertices.
void join(AcDbPolyline* head, const AcDbPolyline* tail)
{
    if (head->numVerts() == 0 || tail->numVerts() == 0)
        return;
    double bulge = 0.0;
    tail->getBulgeAt(0, bulge);
    head->setBulgeAt(head->numVerts() - 1, bulge);
    for (unsigned int k = 1; k < tail->numVerts(); ++k)
        appendVertexFrom(head, tail, k);
}

// The piece (other than `skip`) whose first (atStart) or last vertex lies at the point, or -1.
int pieceMeeting(AcDbVoidPtrArray& pieces, int skip, const AcGePoint3d& point, bool atStart)
{
    for (int at = 0; at < pieces.length(); ++at) {
        AcDbPolyline* piece = pieceAt(pieces, at);
        AcGePoint3d first;
        AcGePoint3d last;
        if (at == skip || piece == nullptr || !endPoints(piece, first, last))
            continue;
        if ((atStart ? first : last).distanceTo(point) <= kPointTolerance)
            return at;
    }
    return -1;
}

}  // namespace

bool areaAboveLine(const AcDbPolyline* polygon, const AcDbXline* line, AreaAbove& above)
{
    above = AreaAbove{};
    AcGePoint3dArray crossings;
    if (polygon->intersectWith(line, AcDb::kOnBothOperands, crossings) != Acad::eOk)
        return false;
    if (crossings.length() < 2) {
        above.areaSqUnits = areaOf(polygon);
        return true;
    }
    AcGeDoubleArray params;
    for (int at = 0; at < crossings.length(); ++at) {
        double param = 0.0;
        if (polygon->getParamAtPoint(crossings[at], param) != Acad::eOk)
            return false;
        params.append(param);
    }
    AcDbVoidPtrArray pieces;
    if (polygon->getSplitCurves(params, pieces) != Acad::eOk) {
        deleteCurves(pieces);
        return false;
    }
    int top = -1;
    double topY = -std::numeric_limits<double>::infinity();
    for (int at = 0; at < pieces.length(); ++at) {
        const AcDbPolyline* piece = pieceAt(pieces, at);
        if (piece == nullptr || areaOf(piece) <= kNothingEnclosed)
            continue;
        const double y = topOf(piece);
        if (top < 0 || y > topY) {
            top = at;
            topY = y;
        }
    }
    if (top >= 0) {
        AcDbPolyline* piece = pieceAt(pieces, top);
        AcGePoint3d first;
        AcGePoint3d last;
        endPoints(piece, first, last);
        const double lineY = line->basePoint().y;
        // A split that also cut at the polygon's vertex 0 leaves the region above in two pieces.
        if (std::fabs(last.y - lineY) > kPointTolerance) {
            const int next = pieceMeeting(pieces, top, last, true);
            if (next >= 0)
                join(piece, pieceAt(pieces, next));
        } else if (std::fabs(first.y - lineY) > kPointTolerance) {
            const int before = pieceMeeting(pieces, top, first, false);
            if (before >= 0) {
                join(pieceAt(pieces, before), piece);
                top = before;
                piece = pieceAt(pieces, top);
            }
        }
        endPoints(piece, above.first, above.last);
        above.areaSqUnits = areaOf(piece);
        above.cut = true;
    }
    deleteCurves(pieces);
    return true;
}

}  // namespace kelvora::division
