// AcDbLinetypeTableRecord: a linetype's description and dash pattern, and its filing.
#include "acutads.h"
#include "dbsymtb.h"
#include "kelvora/diagnostics.h"
#include "kelvora/host_class.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/wide_text.h"
#include "record_filing.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbLinetypeTableRecord, AcDbSymbolTableRecord, ACRX_T("LTYPE"))

AcDbLinetypeTableRecord::AcDbLinetypeTableRecord() = default;

AcDbLinetypeTableRecord::~AcDbLinetypeTableRecord()
{
    for (Dash& d : m_dashes)
        acutRelRb(d.keptGroups);
}

Acad::ErrorStatus AcDbLinetypeTableRecord::comments(ACHAR*& pString) const
{
    assertReadEnabled();
    pString = kelvora::newWideString(m_comments);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::comments(const ACHAR*& pString) const
{
    assertReadEnabled();
    pString = m_comments.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::setComments(const ACHAR* pString)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_comments = pString != nullptr ? pString : L"";
    return Acad::eOk;
}

double AcDbLinetypeTableRecord::patternLength() const
{
    assertReadEnabled();
    return m_patternLength;
}

void AcDbLinetypeTableRecord::setPatternLength(double patternLength)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    m_patternLength = patternLength;
}

int AcDbLinetypeTableRecord::numDashes() const
{
    assertReadEnabled();
    return static_cast<int>(m_dashes.size());
}

void AcDbLinetypeTableRecord::setNumDashes(int count)
{
    if (count < 0) {
        kelvora::reportMisuse("AcDbLinetypeTableRecord::setNumDashes with a negative count");
        return;
    }
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    while (static_cast<int>(m_dashes.size()) > count) {
        acutRelRb(m_dashes.back().keptGroups);
        m_dashes.pop_back();
    }
    m_dashes.resize(static_cast<size_t>(count));
}

double AcDbLinetypeTableRecord::dashLengthAt(int index) const
{
    assertReadEnabled();
    if (index < 0 || index >= static_cast<int>(m_dashes.size())) {
        kelvora::reportMisuse("AcDbLinetypeTableRecord::dashLengthAt index out of range");
        return 0.0;
    }
    return m_dashes[static_cast<size_t>(index)].length;
}

void AcDbLinetypeTableRecord::setDashLengthAt(int index, double value)
{
    if (index < 0 || index >= static_cast<int>(m_dashes.size())) {
        kelvora::reportMisuse("AcDbLinetypeTableRecord::setDashLengthAt index out of range");
        return;
    }
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    m_dashes[static_cast<size_t>(index)].length = value;
}

bool AcDbLinetypeTableRecord::isScaledToFit() const
{
    assertReadEnabled();
    return m_scaledToFit;
}

void AcDbLinetypeTableRecord::setIsScaledToFit(bool scaledToFit)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    m_scaledToFit = scaledToFit;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(m_comments.c_str());
    pFiler->writeDouble(m_patternLength);
    pFiler->writeBoolean(m_scaledToFit);
    pFiler->writeInt32(static_cast<Adesk::Int32>(m_dashes.size()));
    for (const Dash& d : m_dashes) {
        pFiler->writeDouble(d.length);
        kelvora::writeResbufList(pFiler, d.keptGroups);
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    std::wstring comments;
    double length = 0;
    bool scaled = false;
    Adesk::Int32 count = 0;
    if ((es = kelvora::readWString(pFiler, comments)) != Acad::eOk || (es = pFiler->readDouble(&length)) != Acad::eOk ||
        (es = pFiler->readBoolean(&scaled)) != Acad::eOk || (es = pFiler->readInt32(&count)) != Acad::eOk)
        return es;
    if (count < 0)
        return Acad::eFilerError;
    std::vector<Dash> dashes;
    for (Adesk::Int32 i = 0; i < count && es == Acad::eOk; ++i) {
        Dash d;
        if ((es = pFiler->readDouble(&d.length)) == Acad::eOk)
            es = kelvora::readResbufList(pFiler, d.keptGroups);
        dashes.push_back(d);
    }
    if (es != Acad::eOk) {
        for (Dash& d : dashes)
            acutRelRb(d.keptGroups);
        return es;
    }
    for (Dash& d : m_dashes)
        acutRelRb(d.keptGroups);
    m_dashes = dashes;
    m_comments = comments;
    m_patternLength = length;
    m_scaledToFit = scaled;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, ACRX_T("AcDbLinetypeTableRecord"));
    kelvora::writeNameAndFlags(pFiler, this, recordFlags());
    pFiler->writeString(AcDb::kDxfDescription, m_comments.c_str());
    // Alignment code: always 65 ('A').
    pFiler->writeInt16(AcDb::kDxfLinetypeAlign, 65);
    pFiler->writeInt16(AcDb::kDxfLinetypePDC, static_cast<Adesk::Int16>(m_dashes.size()));
    pFiler->writeDouble(AcDb::kDxfReal, m_patternLength);
    for (const Dash& d : m_dashes) {
        pFiler->writeDouble(AcDb::kDxfDashLength, d.length);
        kelvora::writeResbufsToDxf(pFiler, d.keptGroups);
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLinetypeTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->atSubclassData(ACRX_T("AcDbLinetypeTableRecord"));
    std::vector<Dash> dashes;
    resbuf* kept = nullptr;
    es = kelvora::readRecordGroups(pFiler, this, kept, [&](const kelvora::RecordDxfItem& item) {
        const ads_u_val& v = item.rb.resval;
        switch (item.rb.restype) {
        case AcDb::kDxfInt16:
        case AcDb::kDxfLinetypeAlign:
        case AcDb::kDxfLinetypePDC:
            return true;  // the count follows from the dashes read
        case AcDb::kDxfDescription:
            m_comments = item.text();
            return true;
        case AcDb::kDxfReal:
            m_patternLength = v.rreal;
            return true;
        case AcDb::kDxfDashLength: {
            Dash d;
            d.length = v.rreal;
            dashes.push_back(d);
            return true;
        }
        default:
            // The groups of a complex dash belong to the dash before them.
            if (!dashes.empty()) {
                kelvora::appendToList(dashes.back().keptGroups, item.rb);
                return true;
            }
            return false;
        }
    });
    acutRelRb(kept);
    if (es != Acad::eOk) {
        for (Dash& d : dashes)
            acutRelRb(d.keptGroups);
        return es;
    }
    for (Dash& d : m_dashes)
        acutRelRb(d.keptGroups);
    m_dashes = dashes;
    return Acad::eOk;
}
