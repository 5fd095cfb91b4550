// NESurface <-> SurfaceDlg: the label settings shown in the dialog and stored back from it.
#include "dbapserv.h"
#include "dbsymtb.h"
#include "surfaces/ne_surface.h"
#include "surfaces/surface_dlg.h"

namespace {

constexpr int kFormatSquareMetres = 0;
constexpr int kFormatHectaresAres = 1;
constexpr int kFormatHectares = 2;

}  // namespace

void NESurface::fillSurfaceDialog(SurfaceDlg& dialog) const
{
    AcDbTextStyleTableRecord* style = nullptr;
    if (acdbOpenObject(style, m_textStyleId, AcDb::kForRead) == Acad::eOk) {
        const ACHAR* name = nullptr;
        if (style->getName(name) == Acad::eOk)
            dialog.m_textStyleName = name;
        style->close();
    }
    dialog.m_areaFormat = kFormatSquareMetres;
    if ((m_labelFlags & kAreaHectaresAres) != 0)
        dialog.m_areaFormat = kFormatHectaresAres;
    if ((m_labelFlags & kAreaHectares) != 0)
        dialog.m_areaFormat = kFormatHectares;
    dialog.m_showLot = (m_labelFlags & kShowLot) != 0 ? 1 : 0;
    dialog.m_showArea = (m_labelFlags & kShowArea) != 0 ? 1 : 0;
    dialog.m_showPerimeter = (m_labelFlags & kShowPerimeter) != 0 ? 1 : 0;
    dialog.m_lotText = m_strings[kLotText].c_str();
    dialog.m_perimeterPrefix = m_strings[kPerimeterPrefix].c_str();
    dialog.m_areaPrefix = m_strings[kAreaPrefix].c_str();
    dialog.m_perimeterUnit = m_strings[kPerimeterUnit].c_str();
    dialog.m_areaUnit = m_strings[kAreaUnit].c_str();
    dialog.m_textHeight = m_textHeight;
}

void NESurface::readSurfaceDialog(const SurfaceDlg& dialog)
{
    assertWriteEnabled();
    m_textHeight = dialog.m_textHeight;
    m_strings[kLotText] = static_cast<LPCTSTR>(dialog.m_lotText);
    m_strings[kPerimeterPrefix] = static_cast<LPCTSTR>(dialog.m_perimeterPrefix);
    m_strings[kAreaPrefix] = static_cast<LPCTSTR>(dialog.m_areaPrefix);
    m_strings[kPerimeterUnit] = static_cast<LPCTSTR>(dialog.m_perimeterUnit);
    m_strings[kAreaUnit] = static_cast<LPCTSTR>(dialog.m_areaUnit);
    Adesk::UInt16 flags = 0;
    if (dialog.m_showLot != 0)
        flags |= kShowLot;
    if (dialog.m_showArea > 0)
        flags |= kShowArea;
    if (dialog.m_showPerimeter > 0)
        flags |= kShowPerimeter;
    if (dialog.m_areaFormat == kFormatHectaresAres)
        flags |= kAreaHectaresAres;
    else if (dialog.m_areaFormat == kFormatHectares)
        flags |= kAreaHectares;
    m_labelFlags = flags;
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    AcDbDatabase* db = services != nullptr ? services->workingDatabase() : nullptr;
    AcDbTextStyleTable* table = nullptr;
    if (db != nullptr && db->getSymbolTable(table, AcDb::kForRead) == Acad::eOk) {
        AcDbObjectId found;
        m_textStyleId =
            table->getAt(static_cast<LPCTSTR>(dialog.m_textStyleName), found) == Acad::eOk ? found : db->textstyle();
        table->close();
    }
}
