// The typed symbol tables: each table's look-up, addition and iterator for its own record class.
#include "dbsymtb.h"
#include "kelvora/host_class.h"

#define KELVORA_TABLE_IMPL(TABLE, RECORD, ITERATOR)                                                          \
    KELVORA_HOST_DEFINE_MEMBERS(TABLE, AcDbSymbolTable, nullptr)                                             \
    TABLE::TABLE() = default;                                                                                \
    Acad::ErrorStatus TABLE::getAt(const ACHAR* entryName, RECORD*& pRec, AcDb::OpenMode openMode,           \
                                   bool openErasedRec) const                                                 \
    {                                                                                                        \
        pRec = nullptr;                                                                                      \
        AcDbObjectId id;                                                                                     \
        Acad::ErrorStatus es = AcDbSymbolTable::getAt(entryName, id, openErasedRec);                         \
        if (es != Acad::eOk)                                                                                 \
            return es;                                                                                       \
        return acdbOpenObject(pRec, id, openMode, openErasedRec);                                            \
    }                                                                                                        \
    Acad::ErrorStatus TABLE::getAt(const ACHAR* entryName, AcDbObjectId& recordId, bool getErasedRecord) const \
    {                                                                                                        \
        return AcDbSymbolTable::getAt(entryName, recordId, getErasedRecord);                                 \
    }                                                                                                        \
    Acad::ErrorStatus TABLE::newIterator(ITERATOR*& pIterator, bool atBeginning, bool skipDeleted) const     \
    {                                                                                                        \
        assertReadEnabled();                                                                                 \
        pIterator = new ITERATOR(objectId());                                                                \
        pIterator->start(atBeginning, skipDeleted);                                                          \
        return Acad::eOk;                                                                                    \
    }                                                                                                        \
    Acad::ErrorStatus TABLE::add(RECORD* pRecord)                                                            \
    {                                                                                                        \
        return AcDbSymbolTable::add(pRecord);                                                                \
    }                                                                                                        \
    Acad::ErrorStatus TABLE::add(AcDbObjectId& recordId, RECORD* pRecord)                                    \
    {                                                                                                        \
        return AcDbSymbolTable::add(recordId, pRecord);                                                      \
    }                                                                                                        \
    AcRxClass* TABLE::recordClass() const                                                                    \
    {                                                                                                        \
        return RECORD::desc();                                                                               \
    }                                                                                                        \
    Acad::ErrorStatus ITERATOR::getRecord(RECORD*& pRecord, AcDb::OpenMode openMode, bool openErasedRec) const \
    {                                                                                                        \
        pRecord = nullptr;                                                                                   \
        AcDbObjectId id;                                                                                     \
        Acad::ErrorStatus es = getRecordId(id);                                                              \
        if (es != Acad::eOk)                                                                                 \
            return es;                                                                                       \
        return acdbOpenObject(pRecord, id, openMode, openErasedRec);                                         \
    }

KELVORA_TABLE_IMPL(AcDbBlockTable, AcDbBlockTableRecord, AcDbBlockTableIterator)
KELVORA_TABLE_IMPL(AcDbLayerTable, AcDbLayerTableRecord, AcDbLayerTableIterator)
KELVORA_TABLE_IMPL(AcDbTextStyleTable, AcDbTextStyleTableRecord, AcDbTextStyleTableIterator)
KELVORA_TABLE_IMPL(AcDbLinetypeTable, AcDbLinetypeTableRecord, AcDbLinetypeTableIterator)
KELVORA_TABLE_IMPL(AcDbRegAppTable, AcDbRegAppTableRecord, AcDbRegAppTableIterator)
KELVORA_TABLE_IMPL(AcDbViewTable, AcDbViewTableRecord, AcDbViewTableIterator)
KELVORA_TABLE_IMPL(AcDbUCSTable, AcDbUCSTableRecord, AcDbUCSTableIterator)
KELVORA_TABLE_IMPL(AcDbViewportTable, AcDbViewportTableRecord, AcDbViewportTableIterator)
KELVORA_TABLE_IMPL(AcDbDimStyleTable, AcDbDimStyleTableRecord, AcDbDimStyleTableIterator)
