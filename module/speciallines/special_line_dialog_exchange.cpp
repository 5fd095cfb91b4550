// Filling XPOLYDIAL from a special line and applying its values back, looking names up in the drawing.
#include "speciallines/special_line_dialog_exchange.h"

#include "dbapserv.h"
#include "dbsymtb.h"
#include "speciallines/extended_polyline.h"
#include "speciallines/xpoly_dialog.h"

namespace kelvora::speciallines {

namespace {

AcDbDatabase* workingDatabase()
{
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    return services != nullptr ? services->workingDatabase() : nullptr;
}

// The name of a symbol table record; false when it does not open.
bool recordName(AcDbObjectId id, CString& name)
{
    AcDbSymbolTableRecord* record = nullptr;
    if (acdbOpenObject(record, id, AcDb::kForRead) != Acad::eOk)
        return false;
    const ACHAR* text = nullptr;
    record->getName(text);
    name = CString(text != nullptr ? text : L"");
    record->close();
    return true;
}

template <class TABLE>
AcDbObjectId lookUp(const CString& name)
{
    AcDbObjectId found;
    AcDbDatabase* db = workingDatabase();
    TABLE* table = nullptr;
    if (db == nullptr || name.IsEmpty() || db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
        return found;
    if (table->getAt(name.GetString(), found) != Acad::eOk)
        found.setNull();
    table->close();
    return found;
}

}  // namespace

void fillDialog(const eXtendedPolyline& line, XPOLYDIAL& dialog)
{
    dialog.m_spacing = line.spacing();
    dialog.m_gap = line.gap();
    dialog.m_size = line.symbolSize();
    dialog.m_placement = line.placement();
    dialog.m_lineMode = line.lineMode();
    const Adesk::Int32 code = line.styleCode();
    if (code >= 0) {
        dialog.m_kind = XPOLYDIAL::kKindStandard;
        dialog.m_styleIndex = code;
    } else if (code == eXtendedPolyline::kTextStyle) {
        if (recordName(line.symbolRefId(), dialog.m_textStyleName)) {
            dialog.m_kind = XPOLYDIAL::kKindText;
            dialog.m_text = CString(line.symbolText());
        }
    } else if (code == eXtendedPolyline::kBlockStyle) {
        if (recordName(line.symbolRefId(), dialog.m_blockName))
            dialog.m_kind = XPOLYDIAL::kKindBlock;
    }
}

void applyDialog(eXtendedPolyline& line, const XPOLYDIAL& dialog)
{
    line.setSpacing(dialog.m_spacing);
    line.setGap(dialog.m_gap);
    line.setSymbolSize(dialog.m_size);
    line.setLineMode(static_cast<Adesk::UInt16>(dialog.m_lineMode));
    line.setPlacement(static_cast<Adesk::UInt16>(dialog.m_placement));
    if (dialog.m_kind == XPOLYDIAL::kKindStandard) {
        line.setStyleCode(dialog.m_styleIndex);
    } else if (dialog.m_kind == XPOLYDIAL::kKindText) {
        const AcDbObjectId style = lookUp<AcDbTextStyleTable>(dialog.m_textStyleName);
        if (style.isNull()) {
            line.setStyleCode(0);
        } else {
            line.setSymbolRefId(style);
            line.setSymbolText(dialog.m_text.GetString());
            line.setStyleCode(eXtendedPolyline::kTextStyle);
        }
    } else if (dialog.m_kind == XPOLYDIAL::kKindBlock) {
        const AcDbObjectId block = lookUp<AcDbBlockTable>(dialog.m_blockName);
        if (block.isNull()) {
            line.setStyleCode(0);
        } else {
            line.setSymbolRefId(block);
            line.setStyleCode(eXtendedPolyline::kBlockStyle);
        }
    }
}

}  // namespace kelvora::speciallines
