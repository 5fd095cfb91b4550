// nPolyLineTalutee filing: the stroke settings and limits after the polyline's fields, in DWG (two layouts) and DXF ("NTALUS").
#include "acutads.h"
#include "dbfiler.h"
#include "dbhelpers/resbuf_value.h"
#include "slopes/slope_entity.h"

namespace {

const ACHAR* const kSubclassMarker = ACRX_T("NTALUS");

constexpr AcDb::DxfCode kLongColorCode = static_cast<AcDb::DxfCode>(270);
constexpr AcDb::DxfCode kShortColorCode = static_cast<AcDb::DxfCode>(271);
constexpr AcDb::DxfCode kBothSidesCode = static_cast<AcDb::DxfCode>(272);
constexpr AcDb::DxfCode kDisplayFlagsCode = static_cast<AcDb::DxfCode>(273);
constexpr AcDb::DxfCode kIntervalCountCode = static_cast<AcDb::DxfCode>(274);
constexpr AcDb::DxfCode kSpacingCode = static_cast<AcDb::DxfCode>(40);
constexpr AcDb::DxfCode kLongLengthCode = static_cast<AcDb::DxfCode>(41);
constexpr AcDb::DxfCode kRatioCode = static_cast<AcDb::DxfCode>(42);
constexpr AcDb::DxfCode kLimitCode = AcDb::kDxfSoftPointerId;

}  // namespace

Acad::ErrorStatus nPolyLineTalutee::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbPolyline::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    if ((es = pFiler->writeUInt16(m_reservedCode)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeDouble(m_strokeSpacing)) != Acad::eOk)
        return es;
    // The count is filed in 16 bits; a longer list keeps only its count modulo 65536.
    const auto count = static_cast<Adesk::UInt16>(m_limitIds.length());
    if ((es = pFiler->writeUInt16(count)) != Acad::eOk)
        return es;
    for (int i = 0; i < m_limitIds.length(); ++i) {
        if ((es = pFiler->writeSoftPointerId(AcDbSoftPointerId(m_limitIds[i]))) != Acad::eOk)
            return es;
    }
    if ((es = pFiler->writeDouble(m_strokeRatio)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeDouble(m_longStrokeLength)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeInt16(m_displayFlags)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeUInt16(m_intervalCount)) != Acad::eOk)
        return es;
    if ((es = pFiler->writeInt16(m_shortStrokeColor)) != Acad::eOk)
        return es;
    return pFiler->writeInt16(m_longStrokeColor);
}

Acad::ErrorStatus nPolyLineTalutee::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    const Adesk::Int64 start = pFiler->tell();
    Acad::ErrorStatus es = AcDbPolyline::dwgInFields(pFiler);
    if (es == Acad::eOk) {
        es = pFiler->readUInt16(&m_reservedCode);
    } else {
        // The older layout files the reserved code before the polyline's fields.
        pFiler->seek(start, 0);
        pFiler->readUInt16(&m_reservedCode);
        es = AcDbPolyline::dwgInFields(pFiler);
    }
    if (es != Acad::eOk)
        return es;
    if ((es = pFiler->readDouble(&m_strokeSpacing)) != Acad::eOk)
        return es;
    Adesk::UInt16 count = 0;
    if ((es = pFiler->readUInt16(&count)) != Acad::eOk)
        return es;
    m_limitIds.setLogicalLength(0);
    for (Adesk::UInt16 i = 0; i < count; ++i) {
        AcDbSoftPointerId id;
        if ((es = pFiler->readSoftPointerId(&id)) != Acad::eOk)
            return es;
        m_limitIds.append(id);
    }
    if ((es = pFiler->readDouble(&m_strokeRatio)) != Acad::eOk)
        return es;
    if ((es = pFiler->readDouble(&m_longStrokeLength)) != Acad::eOk)
        return es;
    if ((es = pFiler->readInt16(&m_displayFlags)) != Acad::eOk)
        return es;
    if ((es = pFiler->readUInt16(&m_intervalCount)) != Acad::eOk)
        return es;
    if ((es = pFiler->readInt16(&m_shortStrokeColor)) != Acad::eOk)
        return es;
    return pFiler->readInt16(&m_longStrokeColor);
}

Acad::ErrorStatus nPolyLineTalutee::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    const Acad::ErrorStatus es = AcDbPolyline::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, kSubclassMarker);
    pFiler->writeInt16(kLongColorCode, m_longStrokeColor);
    pFiler->writeInt16(kShortColorCode, m_shortStrokeColor);
    pFiler->writeUInt16(kBothSidesCode, m_bothSides);
    pFiler->writeInt16(kDisplayFlagsCode, m_displayFlags);
    pFiler->writeUInt16(kIntervalCountCode, m_intervalCount);
    pFiler->writeDouble(kSpacingCode, m_strokeSpacing);
    pFiler->writeDouble(kLongLengthCode, m_longStrokeLength);
    pFiler->writeDouble(kRatioCode, m_strokeRatio);
    for (int i = 0; i < m_limitIds.length(); ++i)
        pFiler->writeObjectId(kLimitCode, m_limitIds[i]);
    return Acad::eOk;
}

Acad::ErrorStatus nPolyLineTalutee::dxfInFields(AcDbDxfFiler* pFiler)
{
    assertWriteEnabled();
    m_limitIds.setLogicalLength(0);
    if (AcDbPolyline::dxfInFields(pFiler) != Acad::eOk || !pFiler->atSubclassData(kSubclassMarker))
        return pFiler->filerStatus();
    resbuf item{};
    for (;;) {
        const Acad::ErrorStatus es = pFiler->readResBuf(&item);
        if (es != Acad::eOk) {
            // Running out of items (the end of the stream, or of the object's own groups) ends the
            // data normally; any other failure is a damaged item.
            return es == Acad::eEndOfFile || es == Acad::eEndOfObject ? Acad::eOk : Acad::eInvalidResBuf;
        }
        bool mine = true;
        switch (item.restype) {
        case kLongColorCode:
            m_longStrokeColor = item.resval.rint;
            break;
        case kShortColorCode:
            m_shortStrokeColor = item.resval.rint;
            break;
        case kBothSidesCode:
            m_bothSides = static_cast<Adesk::UInt16>(item.resval.rint);
            break;
        case kDisplayFlagsCode:
            m_displayFlags = item.resval.rint;
            break;
        case kIntervalCountCode:
            m_intervalCount = static_cast<Adesk::UInt16>(item.resval.rint);
            break;
        case kSpacingCode:
            m_strokeSpacing = item.resval.rreal;
            break;
        case kLongLengthCode:
            m_longStrokeLength = item.resval.rreal;
            break;
        case kRatioCode:
            m_strokeRatio = item.resval.rreal;
            break;
        case kLimitCode: {
            AcDbObjectId id;
            if (acdbGetObjectId(id, item.resval.rlname) == Acad::eOk)
                m_limitIds.append(id);
            break;
        }
        default:
            mine = false;
            break;
        }
        releaseResbufValue(item);
        if (!mine) {
            pFiler->pushBackItem();
            return Acad::eOk;
        }
    }
}
