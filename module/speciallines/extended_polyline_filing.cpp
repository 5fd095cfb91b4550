// eXtendedPolyline filing: the decoration settings after the polyline's fields, in DWG and in DXF ("ZORVEL").
#include <string>

#include "acutads.h"
#include "dbapserv.h"
#include "dbfiler.h"
#include "dbhelpers/resbuf_value.h"
#include "dbsymtb.h"
#include "speciallines/extended_polyline.h"

namespace {

const ACHAR* const kSubclassMarker = ACRX_T("ZORVEL");

AcDbDatabase* workingDatabase()
{
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    return services != nullptr ? services->workingDatabase() : nullptr;
}

// The id of the named record of a symbol table of the working drawing; null when absent.
template <class TABLE>
AcDbObjectId lookUp(const std::wstring& name)
{
    AcDbObjectId found;
    AcDbDatabase* db = workingDatabase();
    TABLE* table = nullptr;
    if (db == nullptr || name.empty() || db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
        return found;
    if (table->getAt(name.c_str(), found) != Acad::eOk)
        found.setNull();
    table->close();
    return found;
}

}  // namespace

Acad::ErrorStatus eXtendedPolyline::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbPolyline::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    if ((es = pFiler->writeUInt32(m_reservedCode)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeDouble(m_spacing)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeDouble(m_gap)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeInt32(m_styleCode)) != Acad::eOk)
        return es;
    if (m_styleCode < 0 && (es = pFiler->writeHardPointerId(AcDbHardPointerId(m_symbolRefId))) != Acad::eOk)
        return es;
    if ((es = pFiler->writeUInt16(m_placement)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeDouble(m_symbolSize)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeString(symbolText())) != Acad::eOk)
        return es;
    return pFiler->writeUInt16(m_lineMode);
}

Acad::ErrorStatus eXtendedPolyline::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbPolyline::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    if ((es = pFiler->readUInt32(&m_reservedCode)) != Acad::eOk)
        return es;
    if ((es = pFiler->readDouble(&m_spacing)) != Acad::eOk)
        return es;
    if ((es = pFiler->readDouble(&m_gap)) != Acad::eOk)
        return es;
    if ((es = pFiler->readInt32(&m_styleCode)) != Acad::eOk)
        return es;
    if (m_styleCode < 0) {
        AcDbHardPointerId ref;
        if ((es = pFiler->readHardPointerId(&ref)) != Acad::eOk)
            return es;
        m_symbolRefId = ref;
    }
    if ((es = pFiler->readUInt16(&m_placement)) != Acad::eOk)
        return es;
    if ((es = pFiler->readDouble(&m_symbolSize)) != Acad::eOk)
        return es;
    ACHAR* text = nullptr;
    if ((es = pFiler->readString(&text)) != Acad::eOk)
        return es;
    // The filer allocates with new[], as the string allocator does: the entity takes it over.
    if (m_symbolText != nullptr)
        delete[] m_symbolText;
    m_symbolText = text;
    return pFiler->readUInt16(&m_lineMode);
}

Acad::ErrorStatus eXtendedPolyline::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    const Acad::ErrorStatus es = AcDbPolyline::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, kSubclassMarker);
    if (m_styleCode < 0) {
        AcDbSymbolTableRecord* record = nullptr;
        if (acdbOpenObject(record, m_symbolRefId, AcDb::kForRead) == Acad::eOk) {
            const ACHAR* name = nullptr;
            record->getName(name);
            pFiler->writeString(AcDb::kDxfText, name != nullptr ? name : ACRX_T(""));
            if (m_styleCode == kTextStyle)
                pFiler->writeString(AcDb::kDxfAttributeTag, symbolText());
            record->close();
        }
    }
    pFiler->writeDouble(static_cast<AcDb::DxfCode>(140), m_spacing);
    pFiler->writeDouble(static_cast<AcDb::DxfCode>(141), m_symbolSize);
    pFiler->writeDouble(static_cast<AcDb::DxfCode>(142), m_gap);
    pFiler->writeInt16(static_cast<AcDb::DxfCode>(170), static_cast<Adesk::Int16>(m_placement));
    pFiler->writeInt16(static_cast<AcDb::DxfCode>(171), static_cast<Adesk::Int16>(m_lineMode));
    pFiler->writeInt32(static_cast<AcDb::DxfCode>(99), m_styleCode);
    return Acad::eOk;
}

Acad::ErrorStatus eXtendedPolyline::dxfInFields(AcDbDxfFiler* pFiler)
{
    assertWriteEnabled();
    if (AcDbPolyline::dxfInFields(pFiler) != Acad::eOk)
        return pFiler->filerStatus();
    if (!pFiler->atSubclassData(kSubclassMarker))
        return pFiler->filerStatus();
    // Names are resolved after the loop: the style code (99) comes after them.
    std::wstring pendingName;
    std::wstring pendingText;
    bool readFailed = false;
    resbuf item{};
    for (;;) {
        const Acad::ErrorStatus es = pFiler->readItem(&item);
        if (es != Acad::eOk) {
            // The end of the object or of the stream is where an unlisted group would be: a normal end.
            readFailed = es != Acad::eEndOfObject && es != Acad::eEndOfFile;
            break;
        }
        const short code = item.restype;
        bool mine = true;
        switch (code) {
        case 1:
        case 2: {
            std::wstring& target = code == 1 ? pendingName : pendingText;
            target = item.resval.rstring != nullptr ? item.resval.rstring : L"";
            break;
        }
        case 99:
            m_styleCode = static_cast<Adesk::Int32>(item.resval.rlong);
            break;
        case 140:
            m_spacing = item.resval.rreal;
            break;
        case 141:
            m_symbolSize = item.resval.rreal;
            break;
        case 142:
            m_gap = item.resval.rreal;
            break;
        case 170:
            m_placement = static_cast<Adesk::UInt16>(item.resval.rint);
            break;
        case 171:
            m_lineMode = static_cast<Adesk::UInt16>(item.resval.rint);
            break;
        default:
            mine = false;
            break;
        }
        releaseResbufValue(item);
        if (!mine) {
            pFiler->pushBackItem();
            break;
        }
    }
    if (m_styleCode == kTextStyle) {
        m_symbolRefId = lookUp<AcDbTextStyleTable>(pendingName);
        if (m_symbolRefId.isNull())
            m_styleCode = 0;
        else
            setSymbolText(pendingText.c_str());
    } else if (m_styleCode == kBlockStyle) {
        m_symbolRefId = lookUp<AcDbBlockTable>(pendingName);
        if (m_symbolRefId.isNull())
            m_styleCode = 0;
    }
    return readFailed ? Acad::eInvalidResBuf : Acad::eOk;
}
