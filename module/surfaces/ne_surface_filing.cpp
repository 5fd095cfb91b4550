// NESurface filing: its label settings after the polyline's fields, in DWG (two item orders) and DXF ("NSPOLY").
#include <cstdio>
#include <string>

#include "dbapserv.h"
#include "dbfiler.h"
#include "dbsymtb.h"
#include "surfaces/ne_surface.h"

namespace {

const ACHAR* const kSubclassMarker = ACRX_T("NSPOLY");
const std::wstring kPairSeparator = L"||";
// Only the three show bits survive a DXF read; the area-format bits are DWG-only.
constexpr Adesk::UInt16 kDxfLabelFlagsMask = 0x7;

void splitPair(const std::wstring& text, std::wstring& first, std::wstring& second)
{
    const size_t at = text.find(kPairSeparator);
    if (at == std::wstring::npos) {
        first = text;
        second.clear();
        return;
    }
    first = text.substr(0, at);
    second = text.substr(at + kPairSeparator.size());
}

AcDbDatabase* workingDatabase()
{
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    return services != nullptr ? services->workingDatabase() : nullptr;
}

}  // namespace

Acad::ErrorStatus NESurface::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbPolyline::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    if ((es = pFiler->writeInt16(m_reservedCode)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeVector3d(m_labelDirection)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeInt16(static_cast<Adesk::Int16>(m_labelFlags))) != Acad::eOk)
        return es;
    if ((es = pFiler->writePoint3d(m_lotPoint)) != Acad::eOk)
        return es;
    if ((es = pFiler->writePoint3d(m_areaPoint)) != Acad::eOk)
        return es;
    if ((es = pFiler->writePoint3d(m_perimeterPoint)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeDouble(m_textHeight)) != Acad::eOk)
        return es;
    for (const std::wstring& text : m_strings) {
        if ((es = pFiler->writeString(text.c_str())) != Acad::eOk)
            return es;
    }
    return pFiler->writeHardPointerId(AcDbHardPointerId(m_textStyleId));
}

Acad::ErrorStatus NESurface::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    const Adesk::Int64 start = pFiler->tell();
    Acad::ErrorStatus es = AcDbPolyline::dwgInFields(pFiler);
    if (es == Acad::eOk) {
        es = pFiler->readInt16(&m_reservedCode);
    } else {
        // The older layout files the reserved code before the polyline's fields.
        pFiler->seek(start, 0);
        pFiler->readInt16(&m_reservedCode);
        if ((es = AcDbPolyline::dwgInFields(pFiler)) != Acad::eOk)
            return es;
    }
    if ((es = pFiler->readVector3d(&m_labelDirection)) != Acad::eOk)
        return es;
    Adesk::Int16 flags = 0;
    if ((es = pFiler->readInt16(&flags)) != Acad::eOk)
        return es;
    m_labelFlags = static_cast<Adesk::UInt16>(flags);
    if ((es = pFiler->readPoint3d(&m_lotPoint)) != Acad::eOk)
        return es;
    if ((es = pFiler->readPoint3d(&m_areaPoint)) != Acad::eOk)
        return es;
    if ((es = pFiler->readPoint3d(&m_perimeterPoint)) != Acad::eOk)
        return es;
    if ((es = pFiler->readDouble(&m_textHeight)) != Acad::eOk)
        return es;
    for (std::wstring& text : m_strings) {
        ACHAR* read = nullptr;
        if ((es = pFiler->readString(&read)) != Acad::eOk)
            return es;
        if (read != nullptr) {
            text = read;
            delete[] read;
        }
    }
    AcDbHardPointerId style;
    if ((es = pFiler->readHardPointerId(&style)) != Acad::eOk)
        return es;
    m_textStyleId = style;
    // The label points read are where the user left them: keep them.
    m_labelsPlaced = 1;
    return Acad::eOk;
}

Acad::ErrorStatus NESurface::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbPolyline::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, kSubclassMarker);
    pFiler->writeString(AcDb::kDxfText, m_strings[kLotText].c_str());
    AcDbTextStyleTableRecord* style = nullptr;
    if (acdbOpenObject(style, m_textStyleId, AcDb::kForRead) == Acad::eOk) {
        const ACHAR* name = nullptr;
        if (style->getName(name) == Acad::eOk && name != nullptr)
            pFiler->writeString(AcDb::kDxfAttributeTag, name);
        style->close();
    }
    const std::wstring area = m_strings[kAreaPrefix] + kPairSeparator + m_strings[kAreaUnit];
    const std::wstring perimeter = m_strings[kPerimeterPrefix] + kPairSeparator + m_strings[kPerimeterUnit];
    pFiler->writeString(AcDb::kDxfAttributePrompt, area.c_str());
    pFiler->writeString(static_cast<AcDb::DxfCode>(4), perimeter.c_str());
    pFiler->writeDouble(AcDb::kDxfTxtSize, m_textHeight);
    pFiler->writeDouble(AcDb::kDxfAngle, AcGeVector3d::kXAxis.angleTo(m_labelDirection, normal()));
    pFiler->writePoint3d(AcDb::kDxfXCoord, m_lotPoint);
    pFiler->writePoint3d(static_cast<AcDb::DxfCode>(11), m_areaPoint);
    pFiler->writePoint3d(static_cast<AcDb::DxfCode>(12), m_perimeterPoint);
    return pFiler->writeInt16(static_cast<AcDb::DxfCode>(270), static_cast<Adesk::Int16>(m_labelFlags));
}

Acad::ErrorStatus NESurface::dxfInFields(AcDbDxfFiler* pFiler)
{
    assertWriteEnabled();
    if (AcDbPolyline::dxfInFields(pFiler) != Acad::eOk)
        return pFiler->filerStatus();
    if (!pFiler->atSubclassData(kSubclassMarker))
        return pFiler->filerStatus();
    bool placeAfresh = false;
    resbuf item{};
    for (;;) {
        const Acad::ErrorStatus es = pFiler->readItem(&item);
        if (es != Acad::eOk) {
            if (es != Acad::eEndOfFile && es != Acad::eEndOfObject)
                return Acad::eInvalidResBuf;
            break;
        }
        const short code = item.restype;
        const bool isString = code >= 1 && code <= 4;
        const std::wstring text = isString && item.resval.rstring != nullptr ? item.resval.rstring : L"";
        if (isString) {
            delete[] item.resval.rstring;
            item.resval.rstring = nullptr;
        }
        bool mine = true;
        switch (code) {
        case 1:
            m_strings[kLotText] = text;
            break;
        case 2: {
            AcDbDatabase* db = workingDatabase();
            AcDbTextStyleTable* table = nullptr;
            if (db != nullptr && db->getSymbolTable(table, AcDb::kForRead) == Acad::eOk) {
                AcDbObjectId found;
                m_textStyleId = table->getAt(text.c_str(), found) == Acad::eOk ? found : db->textstyle();
                table->close();
            }
            break;
        }
        case 3:
            splitPair(text, m_strings[kAreaPrefix], m_strings[kAreaUnit]);
            break;
        case 4:
            splitPair(text, m_strings[kPerimeterPrefix], m_strings[kPerimeterUnit]);
            break;
        case 10:
            m_lotPoint.set(item.resval.rpoint[0], item.resval.rpoint[1], item.resval.rpoint[2]);
            break;
        case 11:
            m_areaPoint.set(item.resval.rpoint[0], item.resval.rpoint[1], item.resval.rpoint[2]);
            break;
        case 12:
            m_perimeterPoint.set(item.resval.rpoint[0], item.resval.rpoint[1], item.resval.rpoint[2]);
            break;
        case 40:
            m_textHeight = item.resval.rreal;
            break;
        case 50:
            m_labelDirection = AcGeVector3d::kXAxis;
            m_labelDirection.rotateBy(item.resval.rreal, normal());
            break;
        case 270:
            m_labelFlags = static_cast<Adesk::UInt16>(item.resval.rint) & kDxfLabelFlagsMask;
            break;
        case 271:
            placeAfresh = true;
            break;
        default:
            mine = false;
            break;
        }
        if (!mine) {
            pFiler->pushBackItem();
            break;
        }
    }
    // Read label points stay where the user left them, unless the data asks to place them afresh.
    m_labelsPlaced = placeAfresh ? 0 : 1;
    return Acad::eOk;
}
