// The plain symbol table records (registered applications, views, UCSs, viewports, dimension styles): name, flags and their DXF groups as read.
#include "acutads.h"
#include "dbsymtb.h"
#include "kelvora/host_class.h"
#include "record_filing.h"

#define KELVORA_PLAIN_RECORD_IMPL(RECORD, DXF_NAME, MARKER)                                          \
    KELVORA_HOST_DEFINE_MEMBERS(RECORD, AcDbSymbolTableRecord, DXF_NAME)                             \
    RECORD::RECORD() = default;                                                                      \
    RECORD::~RECORD() { acutRelRb(m_keptGroups); }                                                   \
    Acad::ErrorStatus RECORD::dwgOutFields(AcDbDwgFiler* pFiler) const                               \
    {                                                                                                \
        Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(pFiler);                          \
        if (es != Acad::eOk)                                                                         \
            return es;                                                                               \
        return kelvora::writeResbufList(pFiler, m_keptGroups);                                       \
    }                                                                                                \
    Acad::ErrorStatus RECORD::dwgInFields(AcDbDwgFiler* pFiler)                                      \
    {                                                                                                \
        Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(pFiler);                           \
        if (es != Acad::eOk)                                                                         \
            return es;                                                                               \
        return kelvora::readResbufList(pFiler, m_keptGroups);                                        \
    }                                                                                                \
    Acad::ErrorStatus RECORD::dxfOutFields(AcDbDxfFiler* pFiler) const                               \
    {                                                                                                \
        Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);                          \
        if (es != Acad::eOk)                                                                         \
            return es;                                                                               \
        pFiler->writeString(AcDb::kDxfSubclass, MARKER);                                             \
        kelvora::writeNameAndFlags(pFiler, this, recordFlags());                                     \
        kelvora::writeResbufsToDxf(pFiler, m_keptGroups);                                            \
        return pFiler->filerStatus();                                                                \
    }                                                                                                \
    Acad::ErrorStatus RECORD::dxfInFields(AcDbDxfFiler* pFiler)                                      \
    {                                                                                                \
        Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);                           \
        if (es != Acad::eOk)                                                                         \
            return es;                                                                               \
        pFiler->atSubclassData(MARKER);                                                              \
        resbuf* kept = nullptr;                                                                      \
        es = kelvora::readRecordGroups(pFiler, this, kept,                                           \
                                       [](const kelvora::RecordDxfItem&) { return false; });         \
        if (es != Acad::eOk) {                                                                       \
            acutRelRb(kept);                                                                         \
            return es;                                                                               \
        }                                                                                            \
        acutRelRb(m_keptGroups);                                                                     \
        m_keptGroups = kept;                                                                         \
        return Acad::eOk;                                                                            \
    }

KELVORA_PLAIN_RECORD_IMPL(AcDbRegAppTableRecord, ACRX_T("APPID"), ACRX_T("AcDbRegAppTableRecord"))
KELVORA_PLAIN_RECORD_IMPL(AcDbViewTableRecord, ACRX_T("VIEW"), ACRX_T("AcDbViewTableRecord"))
KELVORA_PLAIN_RECORD_IMPL(AcDbUCSTableRecord, ACRX_T("UCS"), ACRX_T("AcDbUCSTableRecord"))
KELVORA_PLAIN_RECORD_IMPL(AcDbViewportTableRecord, ACRX_T("VPORT"), ACRX_T("AcDbViewportTableRecord"))
KELVORA_PLAIN_RECORD_IMPL(AcDbDimStyleTableRecord, ACRX_T("DIMSTYLE"), ACRX_T("AcDbDimStyleTableRecord"))
