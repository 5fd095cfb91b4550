// Symbol tables: look-up by name, addition of records, iteration, and the common record data.
#include <cwchar>

#include "acutads.h"
#include "dbsymtb.h"
#include "filing_util.h"
#include "kelvora/diagnostics.h"
#include "kelvora/host_class.h"
#include "kelvora/wide_text.h"
#include "id_list_walk.h"
#include "object_access.h"

KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcDbSymbolTable, AcDbObject, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcDbSymbolTableRecord, AcDbObject, nullptr)

using kelvora::ObjectAccess;

namespace {

bool isCopyFiler(AcDb::FilerType t)
{
    return t == AcDb::kCopyFiler || t == AcDb::kDeepCloneFiler || t == AcDb::kWblockCloneFiler;
}

// Characters a symbol name may not hold.
bool hasForbiddenCharacter(const wchar_t* name)
{
    for (const wchar_t* p = name; *p != L'\0'; ++p) {
        if (*p == L'*' && p == name)
            continue;
        if (std::wcschr(L"<>/\\\":;?*|,=`", *p) != nullptr)
            return true;
    }
    return false;
}

}  // namespace

// ----- AcDbSymbolTable ----------------------------------------------------------------------------

AcDbSymbolTable::~AcDbSymbolTable() = default;

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* entryName, AcDbSymbolTableRecord*& pRec,
                                         AcDb::OpenMode openMode, bool openErasedRec) const
{
    pRec = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(entryName, id, openErasedRec);
    if (es != Acad::eOk)
        return es;
    return acdbOpenObject(pRec, id, openMode, openErasedRec);
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* entryName, AcDbObjectId& recordId, bool getErasedRecord) const
{
    assertReadEnabled();
    recordId.setNull();
    if (entryName == nullptr)
        return Acad::eNullObjectPointer;
    AcDbObjectId id = kelvora::findRecord(objectId().isNull() ? AcDbObjectId() : objectId(), entryName, getErasedRecord);
    if (objectId().isNull()) {
        // A table outside a database: search its own list.
        for (const AcDbObjectId& rid : m_records)
            if (kelvora::namesEqual(kelvora::recordNameOf(rid), entryName) && (getErasedRecord || !rid.isErased()))
                id = rid;
    }
    if (id.isNull())
        return Acad::eKeyNotFound;
    recordId = id;
    return Acad::eOk;
}

bool AcDbSymbolTable::has(const ACHAR* name) const
{
    AcDbObjectId id;
    return getAt(name, id) == Acad::eOk;
}

bool AcDbSymbolTable::has(AcDbObjectId id) const
{
    assertReadEnabled();
    if (id.isNull() || id.isErased())
        return false;
    for (const AcDbObjectId& rid : m_records)
        if (rid == id)
            return true;
    return false;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(AcDbSymbolTableIterator*& pIterator, bool atBeginning,
                                               bool skipDeleted) const
{
    assertReadEnabled();
    pIterator = new AcDbSymbolTableIterator(objectId());
    pIterator->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* pRecord)
{
    AcDbObjectId id;
    return add(id, pRecord);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& recordId, AcDbSymbolTableRecord* pRecord)
{
    recordId.setNull();
    if (pRecord == nullptr)
        return Acad::eNullObjectPointer;
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    AcDbDatabase* db = database();
    if (db == nullptr)
        return Acad::eNoDatabase;
    if (pRecord->database() != nullptr)
        return Acad::eAlreadyInDb;
    AcRxClass* expected = recordClass();
    if (expected != nullptr && !pRecord->isKindOf(expected))
        return Acad::eWrongObjectType;
    const std::wstring& name = ObjectAccess::recordName(pRecord);
    if (name.empty())
        return Acad::eInvalidSymbolTableName;
    if (!kelvora::findRecord(objectId(), name.c_str()).isNull())
        return Acad::eDuplicateRecordName;
    assertWriteEnabled();
    AcDbObjectId id;
    Acad::ErrorStatus es = db->addAcDbObject(id, pRecord);
    if (es != Acad::eOk)
        return es;
    ObjectAccess::setOwner(pRecord, objectId());
    m_records.push_back(id);
    recordId = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    // A copy of a table owns no records.
    const bool copy = isCopyFiler(pFiler->filerType());
    pFiler->writeInt32(copy ? 0 : static_cast<Adesk::Int32>(m_records.size()));
    if (!copy)
        for (const AcDbObjectId& id : m_records)
            pFiler->writeSoftOwnershipId(id);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    Adesk::Int32 count = 0;
    if ((es = pFiler->readInt32(&count)) != Acad::eOk)
        return es;
    if (count < 0)
        return Acad::eFilerError;
    std::vector<AcDbObjectId> records;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        AcDbSoftOwnershipId id;
        if ((es = pFiler->readSoftOwnershipId(&id)) != Acad::eOk)
            return es;
        records.push_back(id);
    }
    if (!isCopyFiler(pFiler->filerType())) {
        m_records = records;
        m_byName.clear();
        m_namesIndexed = 0;
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, ACRX_T("AcDbSymbolTable"));
    Adesk::Int16 count = 0;
    for (const AcDbObjectId& id : m_records)
        if (!id.isErased())
            ++count;
    pFiler->writeInt16(AcDb::kDxfInt16, count);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTable::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->atSubclassData(ACRX_T("AcDbSymbolTable"));
    // The count (70) is informative: the records join the table as they are added.
    resbuf rb{};
    es = pFiler->readResBuf(&rb);
    if (es == Acad::eOk) {
        if (rb.restype != AcDb::kDxfInt16)
            pFiler->pushBackItem();
        kelvora::clearResbufValue(rb);
    }
    return Acad::eOk;
}

// ----- Iterator -----------------------------------------------------------------------------------

namespace {

const std::vector<AcDbObjectId>* tableRecords(AcDbObjectId tableId)
{
    auto* table = AcDbSymbolTable::cast(kelvora::objectOf(tableId));
    return table != nullptr ? &ObjectAccess::records(table) : nullptr;
}

}  // namespace

void AcDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted)
{
    m_index = kelvora::firstIdIndex(tableRecords(m_tableId), atBeginning, skipDeleted);
}

bool AcDbSymbolTableIterator::done() const
{
    return kelvora::idWalkDone(tableRecords(m_tableId), m_index);
}

void AcDbSymbolTableIterator::step(bool forward, bool skipDeleted)
{
    m_index = kelvora::nextIdIndex(tableRecords(m_tableId), m_index, forward, skipDeleted);
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecordId(AcDbObjectId& id) const
{
    id.setNull();
    if (done())
        return Acad::eInvalidIndex;
    id = (*tableRecords(m_tableId))[static_cast<size_t>(m_index)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableIterator::getRecord(AcDbSymbolTableRecord*& pRecord, AcDb::OpenMode openMode,
                                                     bool openErasedRec) const
{
    pRecord = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getRecordId(id);
    if (es != Acad::eOk)
        return es;
    return acdbOpenObject(pRecord, id, openMode, openErasedRec);
}

Acad::ErrorStatus AcDbSymbolTableIterator::seek(AcDbObjectId id)
{
    const auto* records = tableRecords(m_tableId);
    if (records == nullptr)
        return Acad::eInvalidInput;
    for (size_t i = 0; i < records->size(); ++i) {
        if ((*records)[i] == id) {
            m_index = static_cast<int>(i);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbSymbolTableIterator::seek(const AcDbSymbolTableRecord* pRecord)
{
    if (pRecord == nullptr)
        return Acad::eNullObjectPointer;
    return seek(pRecord->objectId());
}

// ----- AcDbSymbolTableRecord ----------------------------------------------------------------------

AcDbSymbolTableRecord::AcDbSymbolTableRecord() = default;
AcDbSymbolTableRecord::~AcDbSymbolTableRecord() = default;

Acad::ErrorStatus AcDbSymbolTableRecord::getName(ACHAR*& pName) const
{
    assertReadEnabled();
    pName = kelvora::newWideString(m_name);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const ACHAR*& pName) const
{
    assertReadEnabled();
    pName = m_name.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const ACHAR* pName)
{
    if (pName == nullptr)
        return Acad::eNullObjectPointer;
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (*pName == L'\0' || hasForbiddenCharacter(pName))
        return Acad::eInvalidSymbolTableName;
    if (!ownerId().isNull()) {
        AcDbObjectId other = kelvora::findRecord(ownerId(), pName);
        if (!other.isNull() && other != objectId())
            return Acad::eDuplicateRecordName;
    }
    assertWriteEnabled();
    kelvora::ObjectAccess::setRecordName(this, pName);
    return Acad::eOk;
}

bool AcDbSymbolTableRecord::isDependent() const
{
    assertReadEnabled();
    return (m_flags & 16) != 0;
}

bool AcDbSymbolTableRecord::isResolved() const
{
    assertReadEnabled();
    return (m_flags & 32) != 0;
}

bool AcDbSymbolTableRecord::isRenamable() const
{
    assertReadEnabled();
    return !isDependent() && !m_name.empty() && m_name[0] != L'*';
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(m_name.c_str());
    pFiler->writeInt16(m_flags);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    std::wstring name;
    Adesk::Int16 flags = 0;
    if ((es = kelvora::readWString(pFiler, name)) != Acad::eOk || (es = pFiler->readInt16(&flags)) != Acad::eOk)
        return es;
    kelvora::ObjectAccess::setRecordName(this, name);
    m_flags = flags;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, ACRX_T("AcDbSymbolTableRecord"));
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->atSubclassData(ACRX_T("AcDbSymbolTableRecord"));
    return Acad::eOk;
}
