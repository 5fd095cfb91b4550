// nPolyLineTalutee drawing, proxy graphics and explode: the outline and the strokes of one or both sides.
#include "acgi.h"
#include "dbents.h"
#include "dbhelpers/model_space.h"
#include "dbhelpers/outline_drawing.h"
#include "slopes/slope_entity.h"
#include "slopes/slope_strokes.h"

using namespace kelvora::slopes;

namespace {

const ACHAR* const kShortStrokeLayer = ACRX_T("_Petits_traits_taluts");
const ACHAR* const kLongStrokeLayer = ACRX_T("_Grands_traits_taluts");
constexpr Adesk::UInt16 kShortStrokeLayerColor = 2;
constexpr Adesk::UInt16 kLongStrokeLayerColor = 1;

// One line per stroke of the side, on the long or short strokes' layer.
void explodeSide(const nPolyLineTalutee& slope, int side, AcDbVoidPtrArray& entitySet)
{
    AcGePoint3dArray base;
    AcGePoint3dArray end;
    computeStrokes(slope, side, base, end);
    StrokeCounter counter(slope.effectiveIntervalCount());
    for (int k = 0; k < base.length(); ++k) {
        auto* line = new AcDbLine(base[k], end[k]);
        line->setLayer(counter.isLong() ? kLongStrokeLayer : kShortStrokeLayer);
        entitySet.append(line);
        counter.advance();
    }
}

}  // namespace

Adesk::Boolean nPolyLineTalutee::drawSlope(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr)
        return Adesk::kTrue;
    if ((m_displayFlags & kHideOutline) == 0)
        AcDbPolyline::worldDraw(mode);
    drawStrokes(*this, kLeftSide, mode);
    if (m_bothSides != 0)
        drawStrokes(*this, kRightSide, mode);
    return Adesk::kTrue;
}

void nPolyLineTalutee::saveAs(AcGiWorldDraw* mode, AcDb::SaveType st)
{
    assertReadEnabled();
    AcDbPolyline::saveAs(mode, st);
    if (mode == nullptr)
        return;
    if (st == AcDb::kR14Save)
        kelvora::dbhelpers::drawOutlineSegments(*this, mode);
    drawStrokes(*this, kLeftSide, mode);
    if (m_bothSides != 0)
        drawStrokes(*this, kRightSide, mode);
}

Acad::ErrorStatus nPolyLineTalutee::explodeSlope(AcDbVoidPtrArray& entitySet) const
{
    assertReadEnabled();
    AcDbObjectId layerId;
    ensureLayer(kShortStrokeLayer, layerId, kShortStrokeLayerColor);
    ensureLayer(kLongStrokeLayer, layerId, kLongStrokeLayerColor);

    // The copy is open where a closed slope closes: its first vertex repeats at the end.
    const unsigned count = numVerts();
    auto* outline = new AcDbPolyline(count);
    for (unsigned i = 0; i < count; ++i) {
        AcGePoint2d point;
        double bulge = 0.0;
        getPointAt(i, point);
        getBulgeAt(i, bulge);
        outline->addVertexAt(i, point, bulge, -1.0, -1.0);
    }
    if (isClosed() && count > 0) {
        AcGePoint2d first;
        double bulge = 0.0;
        getPointAt(0, first);
        getBulgeAt(0, bulge);
        outline->addVertexAt(count, first, bulge, -1.0, -1.0);
    }
    outline->setNormal(normal());
    outline->setPropertiesFrom(this);
    entitySet.append(outline);

    explodeSide(*this, kLeftSide, entitySet);
    if (m_bothSides != 0)
        explodeSide(*this, kRightSide, entitySet);
    return Acad::eOk;
}
