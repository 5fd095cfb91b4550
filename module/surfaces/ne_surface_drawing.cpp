// NESurface drawing: the outline, then the label lines placed once and drawn in the surface's text style.
#include "acgi.h"
#include "dbapserv.h"
#include "dbhelpers/outline_drawing.h"
#include "surfaces/ne_surface.h"

namespace {

// The area and perimeter lines stand 1.5 text heights under the line before them.
constexpr double kLineSpacingPerHeight = 1.5;

AcDbDatabase* workingDatabase()
{
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    return services != nullptr ? services->workingDatabase() : nullptr;
}

}  // namespace

void NESurface::placeLabels()
{
    AcDbExtents extents;
    AcDbPolyline::getGeomExtents(extents);
    m_labelDirection.normalize();
    const AcGeVector3d step = m_labelDirection.perpVector() * (-kLineSpacingPerHeight * m_textHeight);
    const AcGePoint3d lo = extents.minPoint();
    const AcGePoint3d hi = extents.maxPoint();
    m_lotPoint = AcGePoint3d((lo.x + hi.x) / 2.0, (lo.y + hi.y) / 2.0, (lo.z + hi.z) / 2.0);
    m_areaPoint = m_lotPoint + step;
    m_perimeterPoint = m_areaPoint + step;
}

void NESurface::drawLabels(AcGiWorldDraw* mode)
{
    // Drawing may change an object opened for read: the label points, once, and a lost style.
    if (m_labelsPlaced == 0) {
        placeLabels();
        m_labelsPlaced = 1;
    }
    AcDbObject* style = nullptr;
    if (acdbOpenAcDbObject(style, m_textStyleId, AcDb::kForRead) != Acad::eOk) {
        if (AcDbDatabase* db = database() != nullptr ? database() : workingDatabase())
            m_textStyleId = db->textstyle();
    } else {
        style->close();
    }
    AcGiTextStyle textStyle;
    fromAcDbTextStyle(textStyle, m_textStyleId);
    textStyle.setTextSize(m_textHeight);
    const AcGeVector3d textNormal = normal();
    auto draw = [&](const AcGePoint3d& at, const std::wstring& text) {
        mode->geometry().text(at, textNormal, m_labelDirection, text.c_str(), -1, Adesk::kFalse, textStyle);
    };
    if ((m_labelFlags & kShowLot) != 0)
        draw(m_lotPoint, m_strings[kLotText]);
    if ((m_labelFlags & kShowArea) != 0) {
        std::wstring text;
        formatAreaText(text);
        draw(m_areaPoint, text);
    }
    if ((m_labelFlags & kShowPerimeter) != 0)
        draw(m_perimeterPoint, perimeterText());
}

Adesk::Boolean NESurface::drawSurface(AcGiWorldDraw* mode)
{
    if (mode == nullptr)
        return Adesk::kTrue;
    if (mode->regenAbort())
        return Adesk::kTrue;
    assertReadEnabled();
    AcDbPolyline::worldDraw(mode);
    if (mode->isDragging())
        return Adesk::kTrue;
    drawLabels(mode);
    return Adesk::kTrue;
}

void NESurface::saveAs(AcGiWorldDraw* mode, AcDb::SaveType st)
{
    assertReadEnabled();
    if (st == AcDb::kR14Save)
        kelvora::dbhelpers::drawOutlineSegments(*this, mode);
    AcDbPolyline::saveAs(mode, st);
    if (mode != nullptr)
        drawLabels(mode);
}
