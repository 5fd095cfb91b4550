// AcDbDictionary: named entries owning database objects, and the dictionary iterator.
#include <algorithm>
#include <cwchar>

#include "acutads.h"
#include "dbdict.h"
#include "filing_util.h"
#include "kelvora/host_class.h"
#include "kelvora/wide_text.h"
#include "object_access.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbDictionary, AcDbObject, ACRX_T("DICTIONARY"))

using kelvora::ObjectAccess;

namespace {

bool isCopyFiler(AcDb::FilerType t)
{
    return t == AcDb::kCopyFiler || t == AcDb::kDeepCloneFiler || t == AcDb::kWblockCloneFiler;
}

struct DxfItem {
    resbuf rb{};
    ~DxfItem() { kelvora::clearResbufValue(rb); }
    const wchar_t* text() const { return rb.resval.rstring != nullptr ? rb.resval.rstring : L""; }
};

}  // namespace

AcDbDictionary::AcDbDictionary() = default;
AcDbDictionary::~AcDbDictionary() = default;

int AcDbDictionary::findKey(const ACHAR* key) const
{
    if (key == nullptr)
        return -1;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (kelvora::namesEqual(m_entries[i].key, key) && !m_entries[i].id.isErased())
            return static_cast<int>(i);
    return -1;
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* entryName, AcDbObject*& entryObj, AcDb::OpenMode mode) const
{
    entryObj = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getAt(entryName, id);
    if (es != Acad::eOk)
        return es;
    return acdbOpenAcDbObject(entryObj, id, mode);
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* entryName, AcDbObjectId& entryObj) const
{
    assertReadEnabled();
    entryObj.setNull();
    if (entryName == nullptr)
        return Acad::eNullObjectPointer;
    int i = findKey(entryName);
    if (i < 0)
        return Acad::eKeyNotFound;
    entryObj = m_entries[static_cast<size_t>(i)].id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::nameAt(AcDbObjectId objId, ACHAR*& name) const
{
    assertReadEnabled();
    name = nullptr;
    for (const Entry& e : m_entries) {
        if (e.id == objId) {
            name = kelvora::newWideString(e.key);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

bool AcDbDictionary::has(const ACHAR* entryName) const
{
    assertReadEnabled();
    return findKey(entryName) >= 0;
}

bool AcDbDictionary::has(AcDbObjectId objId) const
{
    assertReadEnabled();
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&](const Entry& e) { return e.id == objId && !objId.isErased(); });
}

Adesk::UInt32 AcDbDictionary::numEntries() const
{
    assertReadEnabled();
    return static_cast<Adesk::UInt32>(
        std::count_if(m_entries.begin(), m_entries.end(), [](const Entry& e) { return !e.id.isErased(); }));
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key)
{
    AcDbObjectId id;
    return remove(key, id);
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key, AcDbObjectId& returnId)
{
    returnId.setNull();
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    int i = findKey(key);
    if (i < 0)
        return Acad::eKeyNotFound;
    assertWriteEnabled();
    returnId = m_entries[static_cast<size_t>(i)].id;
    m_entries.erase(m_entries.begin() + i);
    AcDbObject* obj = kelvora::objectOf(returnId);
    if (obj != nullptr && obj->ownerId() == objectId()) {
        // The object stays, with no owner; recorded for undo as a change of the object.
        kelvora::ObjectAccess::recordForUndo(obj);
        ObjectAccess::setOwner(obj, AcDbObjectId());
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(AcDbObjectId objId)
{
    for (const Entry& e : m_entries) {
        if (e.id == objId) {
            AcDbObjectId id;
            std::wstring key = e.key;
            return remove(key.c_str(), id);
        }
    }
    return Acad::eKeyNotFound;
}

bool AcDbDictionary::setName(const ACHAR* oldName, const ACHAR* newName)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return false;
    }
    if (newName == nullptr || *newName == L'\0')
        return false;
    int i = findKey(oldName);
    int j = findKey(newName);
    if (i < 0 || (j >= 0 && j != i))
        return false;
    assertWriteEnabled();
    m_entries[static_cast<size_t>(i)].key = newName;
    return true;
}

Acad::ErrorStatus AcDbDictionary::setAt(const ACHAR* srchKey, AcDbObject* newValue, AcDbObjectId& retObjId)
{
    retObjId.setNull();
    if (newValue == nullptr)
        return Acad::eNullObjectPointer;
    if (srchKey == nullptr || *srchKey == L'\0')
        return Acad::eInvalidKey;
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    AcDbDatabase* db = database();
    if (db == nullptr)
        return Acad::eNoDatabase;
    if (newValue->database() != nullptr && newValue->database() != db)
        return Acad::eWrongDatabase;
    assertWriteEnabled();
    AcDbObjectId id = newValue->objectId();
    if (id.isNull()) {
        Acad::ErrorStatus es = db->addAcDbObject(id, newValue);
        if (es != Acad::eOk)
            return es;
    } else {
        kelvora::ObjectAccess::recordForUndo(newValue);
    }
    ObjectAccess::setOwner(newValue, objectId());
    int i = findKey(srchKey);
    if (i >= 0) {
        AcDbObjectId old = m_entries[static_cast<size_t>(i)].id;
        m_entries[static_cast<size_t>(i)].id = id;
        if (old != id) {
            AcDbObject* oldObj = nullptr;
            if (acdbOpenAcDbObject(oldObj, old, AcDb::kForWrite) == Acad::eOk) {
                oldObj->erase();
                oldObj->close();
            }
        }
    } else {
        m_entries.push_back({srchKey, id});
    }
    retObjId = id;
    return Acad::eOk;
}

void AcDbDictionary::setTreatElementsAsHard(bool doIt)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    m_hardOwnership = doIt;
}

void AcDbDictionary::setMergeStyle(AcDb::DuplicateRecordCloning style)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    m_mergeStyle = style;
}

AcDbDictionaryIterator* AcDbDictionary::newIterator(AcRx::DictIterType type) const
{
    assertReadEnabled();
    auto* it = new AcDbDictionaryIterator();
    for (const Entry& e : m_entries)
        if (!e.id.isErased())
            it->m_entries.push_back(e);
    if (type == AcRx::kDictSorted)
        std::stable_sort(it->m_entries.begin(), it->m_entries.end(),
                         [](const Entry& a, const Entry& b) { return kelvora::nameLess(a.key, b.key); });
    return it;
}

Acad::ErrorStatus AcDbDictionary::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    // A copy of a dictionary owns no entries.
    const bool copy = isCopyFiler(pFiler->filerType());
    pFiler->writeInt32(copy ? 0 : static_cast<Adesk::Int32>(m_entries.size()));
    if (!copy) {
        for (const Entry& e : m_entries) {
            pFiler->writeString(e.key.c_str());
            pFiler->writeSoftOwnershipId(e.id);
        }
    }
    pFiler->writeBoolean(m_hardOwnership);
    pFiler->writeInt16(static_cast<Adesk::Int16>(m_mergeStyle));
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    Adesk::Int32 count = 0;
    if ((es = pFiler->readInt32(&count)) != Acad::eOk)
        return es;
    if (count < 0)
        return Acad::eFilerError;
    std::vector<Entry> entries;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        Entry e;
        AcDbSoftOwnershipId id;
        if ((es = kelvora::readWString(pFiler, e.key)) != Acad::eOk || (es = pFiler->readSoftOwnershipId(&id)) != Acad::eOk)
            return es;
        e.id = id;
        entries.push_back(e);
    }
    bool hard = false;
    Adesk::Int16 merge = 0;
    if ((es = pFiler->readBoolean(&hard)) != Acad::eOk || (es = pFiler->readInt16(&merge)) != Acad::eOk)
        return es;
    if (!isCopyFiler(pFiler->filerType()))
        m_entries = entries;
    m_hardOwnership = hard;
    m_mergeStyle = static_cast<AcDb::DuplicateRecordCloning>(merge);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, ACRX_T("AcDbDictionary"));
    if (m_hardOwnership || pFiler->includesDefaultValues())
        pFiler->writeInt16(AcDb::kDxfInt8, m_hardOwnership ? 1 : 0);
    pFiler->writeInt16(AcDb::kDxfRenderMode, static_cast<Adesk::Int16>(m_mergeStyle));
    for (const Entry& e : m_entries) {
        if (e.id.isErased())
            continue;
        pFiler->writeString(AcDb::kDxfAttributePrompt, e.key.c_str());
        pFiler->writeObjectId(m_hardOwnership ? AcDb::kDxfHardOwnershipId : AcDb::kDxfSoftOwnershipId, e.id);
    }
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbDictionary::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->atSubclassData(ACRX_T("AcDbDictionary"));
    std::wstring key;
    bool haveKey = false;
    while (true) {
        DxfItem item;
        es = pFiler->readResBuf(&item.rb);
        if (kelvora::isEndOfData(es))
            break;
        if (es != Acad::eOk)
            return es;
        switch (item.rb.restype) {
        case AcDb::kDxfInt8:
            m_hardOwnership = item.rb.resval.rint != 0;
            break;
        case AcDb::kDxfRenderMode:
            m_mergeStyle = static_cast<AcDb::DuplicateRecordCloning>(item.rb.resval.rint);
            break;
        case AcDb::kDxfAttributePrompt:
            key = item.text();
            haveKey = true;
            break;
        case AcDb::kDxfSoftOwnershipId:
        case AcDb::kDxfHardOwnershipId:
            if (haveKey) {
                AcDbObjectId id = kelvora::idFromResbuf(item.rb);
                if (!id.isNull())
                    m_entries.push_back({key, id});
                haveKey = false;
            }
            break;
        default:
            pFiler->pushBackItem();
            return Acad::eOk;
        }
    }
    return Acad::eOk;
}

// ----- Iterator -----------------------------------------------------------------------------------

const ACHAR* AcDbDictionaryIterator::name() const
{
    return done() ? nullptr : m_entries[m_index].key.c_str();
}

Acad::ErrorStatus AcDbDictionaryIterator::getObject(AcDbObject*& pObject, AcDb::OpenMode openMode)
{
    pObject = nullptr;
    if (done())
        return Acad::eInvalidIndex;
    return acdbOpenAcDbObject(pObject, m_entries[m_index].id, openMode);
}

AcDbObjectId AcDbDictionaryIterator::objectId() const
{
    return done() ? AcDbObjectId() : m_entries[m_index].id;
}

bool AcDbDictionaryIterator::done() const
{
    return m_index >= m_entries.size();
}

bool AcDbDictionaryIterator::next()
{
    if (m_index < m_entries.size())
        ++m_index;
    return !done();
}

bool AcDbDictionaryIterator::setPosition(AcDbObjectId objId)
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id == objId) {
            m_index = i;
            return true;
        }
    }
    return false;
}
