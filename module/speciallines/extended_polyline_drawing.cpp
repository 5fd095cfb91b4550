// eXtendedPolyline drawing, proxy graphics, explode and insertion snap: decorations along the line.
#include <limits>
#include <memory>

#include "acgi.h"
#include "dbents.h"
#include "dbhelpers/outline_drawing.h"
#include "speciallines/decoration_drawing.h"
#include "speciallines/extended_polyline.h"

using namespace kelvora::speciallines;

Adesk::Boolean eXtendedPolyline::drawSpecialLine(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr)
        return Adesk::kTrue;
    const bool dragging = mode->isDragging();
    const bool drawBase =
        m_lineMode == kLineWhole ? mode->regenType() == kAcGiStandardDisplay : dragging;
    if (drawBase && !AcDbPolyline::worldDraw(mode))
        return Adesk::kFalse;
    // A dragged special line shows the plain polyline only.
    if (dragging)
        return Adesk::kTrue;
    const Placement placement = placementOf(*this);
    for (const DecorationFrame& frame : decorationFrames(*this, placement))
        drawDecoration(*this, frame, placement.decoration, mode);
    if (m_lineMode == kLineInterrupted) {
        const AcGeVector3d lineNormal = normal();
        for (const LinePiece& piece : interruptedLinePieces(*this, placement, m_gap))
            drawPiece(piece, lineNormal, mode);
    }
    return Adesk::kTrue;
}

void eXtendedPolyline::saveAs(AcGiWorldDraw* mode, AcDb::SaveType st)
{
    assertReadEnabled();
    drawSpecialLine(mode);
    if (st == AcDb::kR14Save && m_lineMode == kLineWhole)
        kelvora::dbhelpers::drawOutlineSegments(*this, mode);
}

Acad::ErrorStatus eXtendedPolyline::explodeSpecialLine(AcDbVoidPtrArray& entitySet) const
{
    assertReadEnabled();
    if (m_lineMode == kLineWhole) {
        // The copy is open where a closed line closes: its first vertex repeats at the end.
        auto* copy = new AcDbPolyline();
        const unsigned count = numVerts();
        for (unsigned i = 0; i < count; ++i) {
            AcGePoint2d point;
            double bulge = 0.0;
            getPointAt(i, point);
            getBulgeAt(i, bulge);
            copy->addVertexAt(i, point, bulge);
        }
        if (isClosed() && count > 0) {
            AcGePoint2d first;
            getPointAt(0, first);
            copy->addVertexAt(count, first);
        }
        copy->setNormal(normal());
        entitySet.append(copy);
    }
    const Placement placement = placementOf(*this);
    for (const DecorationFrame& frame : decorationFrames(*this, placement))
        explodeDecoration(*this, frame, placement.decoration, entitySet);
    if (m_lineMode == kLineInterrupted) {
        for (const LinePiece& piece : interruptedLinePieces(*this, placement, m_gap))
            entitySet.append(explodePiece(*this, piece));
    }
    return Acad::eOk;
}

Acad::ErrorStatus eXtendedPolyline::customSnap(AcDb::OsnapMode osnapMode, Adesk::Int32 gsSelectionMark,
                                               const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                               const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                               AcDbIntArray& geomIds) const
{
    if (osnapMode != AcDb::kOsModeIns)
        return AcDbPolyline::getOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints,
                                            geomIds);
    assertReadEnabled();
    const Placement placement = placementOf(*this);
    double nearest = std::numeric_limits<double>::infinity();
    AcGePoint3d best;
    for (const DecorationFrame& frame : decorationFrames(*this, placement)) {
        const double distance = frame.point.distanceTo(pickPoint);
        if (distance < nearest) {
            nearest = distance;
            best = frame.point;
        }
    }
    if (nearest < std::numeric_limits<double>::infinity())
        snapPoints.append(best);
    return Acad::eOk;
}
