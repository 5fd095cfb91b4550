// Deep cloning: the id map, AcDbObject::deepClone and wblockClone, AcDbDatabase::deepCloneObjects and id translation.
#include "dbidmap.h"

#include <algorithm>
#include <string>
#include <vector>

#include "kelvora/host_class.h"
#include "kelvora/memory_filer.h"
#include "object_access.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbIdMapping, AcRxObject, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcDbIdMappingIter, AcRxObject, nullptr)

using kelvora::ObjectAccess;

namespace {

// Files a clone's source out, remembering the objects it names by ownership ids: they are cloned with it.
class CloneOutFiler : public kelvora::MemoryDwgFiler {
public:
    CloneOutFiler(AcDb::FilerType type, AcDbDatabase* db) : MemoryDwgFiler(type, db) {}

    Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& id) override
    {
        note(id);
        return MemoryDwgFiler::writeHardOwnershipId(id);
    }
    Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& id) override
    {
        note(id);
        return MemoryDwgFiler::writeSoftOwnershipId(id);
    }

    std::vector<AcDbObjectId> owned;

private:
    void note(AcDbObjectId id)
    {
        if (!id.isNull() && !id.isErased() && std::find(owned.begin(), owned.end(), id) == owned.end())
            owned.push_back(id);
    }
};

// Files a clone out and back in, reading every id through the map: a key with a pair becomes its value;
// an id of another database than the clone's, without a pair, becomes null (it means nothing there).
class XlateFiler : public kelvora::MemoryDwgFiler {
public:
    XlateFiler(const AcDbIdMapping& map, AcDbDatabase* db) : MemoryDwgFiler(AcDb::kIdXlateFiler, db), m_map(map) {}

    Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* pId) override { return xlate(MemoryDwgFiler::readHardOwnershipId(pId), pId); }
    Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* pId) override { return xlate(MemoryDwgFiler::readSoftOwnershipId(pId), pId); }
    Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* pId) override { return xlate(MemoryDwgFiler::readHardPointerId(pId), pId); }
    Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* pId) override { return xlate(MemoryDwgFiler::readSoftPointerId(pId), pId); }

private:
    Acad::ErrorStatus xlate(Acad::ErrorStatus es, AcDbObjectId* pId) const
    {
        if (es != Acad::eOk || pId == nullptr || pId->isNull())
            return es;
        AcDbIdPair pair(*pId, AcDbObjectId(), false);
        if (m_map.compute(pair) && !pair.value().isNull())
            *pId = pair.value();
        else if (pId->database() != database())
            pId->setNull();
        return es;
    }

    const AcDbIdMapping& m_map;
};

// Files an object out only to list the ids it names.
class IdCollector : public kelvora::MemoryDwgFiler {
public:
    explicit IdCollector(AcDbDatabase* db) : MemoryDwgFiler(AcDb::kIdXlateFiler, db) {}

    Acad::ErrorStatus writeHardOwnershipId(const AcDbHardOwnershipId& id) override { return note(id); }
    Acad::ErrorStatus writeSoftOwnershipId(const AcDbSoftOwnershipId& id) override { return note(id); }
    Acad::ErrorStatus writeHardPointerId(const AcDbHardPointerId& id) override { return note(id); }
    Acad::ErrorStatus writeSoftPointerId(const AcDbSoftPointerId& id) override { return note(id); }

    std::vector<AcDbObjectId> ids;

private:
    Acad::ErrorStatus note(AcDbObjectId id)
    {
        if (!id.isNull())
            ids.push_back(id);
        return Acad::eOk;
    }
};

// The id of an object the map already holds a clone of (null when none).
AcDbObjectId clonedValue(const AcDbIdMapping& idMap, AcDbObjectId key)
{
    AcDbIdPair pair(key, AcDbObjectId(), false);
    return idMap.compute(pair) && pair.isCloned() ? pair.value() : AcDbObjectId();
}

// Clones one owned object (opened for read for the time of the call) under owner; answers the clone's id.
AcDbObjectId cloneOwned(AcDbObjectId id, AcDbObject* owner, AcDbIdMapping& idMap, bool wblock)
{
    AcDbObjectId done = clonedValue(idMap, id);
    if (!done.isNull())
        return done;
    AcDbObject* src = nullptr;
    if (acdbOpenAcDbObject(src, id, AcDb::kForRead) != Acad::eOk)
        return AcDbObjectId();
    AcDbObject* clone = nullptr;
    if (wblock)
        src->wblockClone(owner, clone, idMap, false);
    else
        src->deepClone(owner, clone, idMap, false);
    src->close();
    return clone != nullptr ? clone->objectId() : clonedValue(idMap, id);
}

// The clone of src, owned by owner, in owner's database; see dbidmap.h.
Acad::ErrorStatus cloneInto(const AcDbObject* src, AcDbObject* owner, AcDbObject*& pClone, AcDbIdMapping& idMap,
                            bool isPrimary, bool wblock)
{
    pClone = nullptr;
    if (owner == nullptr)
        return Acad::eNullObjectPointer;
    AcDbDatabase* db = owner->database();
    if (src->database() == nullptr || db == nullptr)
        return Acad::eNoDatabase;
    if (db != src->database() && !wblock)
        return Acad::eWrongDatabase;
    if (!clonedValue(idMap, src->objectId()).isNull())
        return Acad::eOk;  // cloned already: the pair is in the map
    src->assertReadEnabled();
    AcRxClass* cls = src->isA();
    AcDbObject* copy = AcDbObject::cast(cls != nullptr ? cls->create() : nullptr);
    if (copy == nullptr)
        return Acad::eNotImplementedYet;
    CloneOutFiler filer(wblock ? AcDb::kWblockCloneFiler : AcDb::kDeepCloneFiler, db);
    Acad::ErrorStatus es = src->dwgOut(&filer);
    if (es == Acad::eOk) {
        filer.rewind();
        es = copy->dwgIn(&filer);
    }
    AcDbObjectId cloneId;
    if (es == Acad::eOk) {
        auto* btr = AcDbBlockTableRecord::cast(owner);
        auto* ent = AcDbEntity::cast(copy);
        auto* table = AcDbSymbolTable::cast(owner);
        auto* record = AcDbSymbolTableRecord::cast(copy);
        if (btr != nullptr && ent != nullptr) {
            es = btr->appendAcDbEntity(cloneId, ent);
        } else if (table != nullptr && record != nullptr) {
            es = table->add(cloneId, record);
        } else {
            es = db->addAcDbObject(cloneId, copy);
            if (es == Acad::eOk)
                ObjectAccess::setOwner(copy, owner->objectId());
        }
    }
    if (es != Acad::eOk) {
        delete copy;
        return es;
    }
    idMap.assign(AcDbIdPair(src->objectId(), cloneId, true, isPrimary, true));

    // What the object owns comes along: its extension dictionary, a dictionary's entries, and the
    // objects it names by ownership ids (translated to their clones afterwards).
    const AcDbObjectId dictId = src->extensionDictionary();
    if (!dictId.isNull())
        ObjectAccess::setExtDict(copy, cloneOwned(dictId, copy, idMap, wblock));
    if (const auto* dict = AcDbDictionary::cast(src)) {
        auto* dictCopy = AcDbDictionary::cast(copy);
        for (const AcDbDictionary::Entry& e : dict->entries()) {
            if (e.id.isErased())
                continue;
            AcDbObjectId entryClone = cloneOwned(e.id, copy, idMap, wblock);
            if (!entryClone.isNull())
                ObjectAccess::entries(dictCopy).push_back({e.key, entryClone});
        }
    }
    for (const AcDbObjectId& ownedId : filer.owned)
        cloneOwned(ownedId, copy, idMap, wblock);

    kelvora::notifyReactors(
        src, [src, copy](AcDbObjectReactor* r) { r->copied(src, copy); },
        [src, copy](AcDbObject* r) { r->copied(src, copy); });
    copy->close();
    pClone = copy;
    return Acad::eOk;
}

// The table of dest of the same class as the table srcTableId (null when none).
AcDbObjectId tableLike(AcDbObjectId srcTableId, AcDbDatabase* dest)
{
    const AcDbObject* srcTable = kelvora::objectOf(srcTableId);
    if (srcTable == nullptr)
        return AcDbObjectId();
    for (AcDbObjectId t : {dest->blockTableId(), dest->layerTableId(), dest->textStyleTableId(),
                           dest->linetypeTableId(), dest->viewTableId(), dest->UCSTableId(),
                           dest->viewportTableId(), dest->regAppTableId(), dest->dimStyleTableId()}) {
        const AcDbObject* table = kelvora::objectOf(t);
        if (table != nullptr && table->isA() == srcTable->isA())
            return t;
    }
    return AcDbObjectId();
}

// A block definition cloned into another database brings its entities.
void cloneBlockEntities(AcDbObjectId srcBlockId, AcDbObjectId destBlockId, AcDbIdMapping& idMap)
{
    AcDbBlockTableRecord* dest = nullptr;
    if (acdbOpenObject(dest, destBlockId, AcDb::kForWrite) != Acad::eOk)
        return;
    std::vector<AcDbObjectId> entities;
    if (const auto* src = AcDbBlockTableRecord::cast(kelvora::objectOf(srcBlockId)))
        entities = ObjectAccess::entities(const_cast<AcDbBlockTableRecord*>(src));
    for (const AcDbObjectId& id : entities) {
        AcDbObject* ent = nullptr;
        if (acdbOpenAcDbObject(ent, id, AcDb::kForRead) != Acad::eOk)
            continue;
        AcDbObject* made = nullptr;
        ent->wblockClone(dest, made, idMap, false);
        ent->close();
    }
    dest->close();
}

// A symbol table record of another database named by a clone: the record of the same name in the
// clone's database (duplicate records are not cloned: kDrcIgnore), or a clone of it added to the table
// of the same class there (a block definition with its entities).
void resolveRecord(AcDbObjectId id, AcDbDatabase* dest, AcDbIdMapping& idMap)
{
    const AcDbObject* obj = kelvora::objectOf(id);
    if (AcDbSymbolTableRecord::cast(obj) == nullptr)
        return;
    const AcDbObjectId destTable = tableLike(obj->ownerId(), dest);
    if (destTable.isNull())
        return;
    const std::wstring name = kelvora::recordNameOf(id);
    const AcDbObjectId existing = kelvora::findRecord(destTable, name.c_str());
    if (!existing.isNull()) {
        idMap.assign(AcDbIdPair(id, existing, false));
        return;
    }
    AcDbObject* table = nullptr;
    if (acdbOpenAcDbObject(table, destTable, AcDb::kForWrite) != Acad::eOk)
        return;
    AcDbObject* src = nullptr;
    AcDbObject* made = nullptr;
    if (acdbOpenAcDbObject(src, id, AcDb::kForRead) == Acad::eOk) {
        src->wblockClone(table, made, idMap, false);
        src->close();
    }
    table->close();
    if (made != nullptr && AcDbBlockTableRecord::cast(made) != nullptr)
        cloneBlockEntities(id, made->objectId(), idMap);
}

// Files a closed clone (whatever its layer) as undo does, without recording it again.
class CloneAccess {
public:
    explicit CloneAccess(AcDbObject* obj) : m_obj(obj) { ObjectAccess::beginUndoAccess(obj); }
    ~CloneAccess() { ObjectAccess::endUndoAccess(m_obj); }
    CloneAccess(const CloneAccess&) = delete;
    CloneAccess& operator=(const CloneAccess&) = delete;

private:
    AcDbObject* m_obj;
};

// Gives pairs to the ids of other databases that clones name (records), before translation. The map
// grows meanwhile: records and block entities cloned here are looked at in turn.
void resolveForeignIds(AcDbIdMapping& idMap)
{
    for (int i = 0; i < idMap.numPairs(); ++i) {
        const AcDbIdPair pair = idMap.pairAt(i);
        AcDbObject* clone = kelvora::objectOf(pair.value());
        if (!pair.isCloned() || clone == nullptr || pair.key().database() == clone->database() ||
            ObjectAccess::isOpen(clone))
            continue;
        AcDbDatabase* dest = clone->database();
        IdCollector collector(dest);
        {
            CloneAccess access(clone);
            clone->dwgOut(&collector);
        }
        for (const AcDbObjectId& id : collector.ids) {
            AcDbIdPair known(id, AcDbObjectId(), false);
            if (id.database() != dest && id.database() != nullptr && !idMap.compute(known))
                resolveRecord(id, dest, idMap);
        }
    }
}


// Clones each object under `owner`, open for write for the whole run, with `cloneOne`, then
// translates the references unless that is deferred. An object that fails does not stop the others;
// the first failure is answered.
template <class CloneOne>
Acad::ErrorStatus cloneEach(const AcDbObjectIdArray& objectIds, AcDbObjectId owner, AcDbIdMapping& idMap,
                            bool deferXlation, CloneOne cloneOne)
{
    AcDbObject* ownerObj = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(ownerObj, owner, AcDb::kForWrite);
    if (es != Acad::eOk)
        return es;
    Acad::ErrorStatus result = Acad::eOk;
    for (const AcDbObjectId& id : objectIds) {
        AcDbObject* src = nullptr;
        es = acdbOpenAcDbObject(src, id, AcDb::kForRead);
        if (es == Acad::eOk) {
            AcDbObject* clone = nullptr;
            es = cloneOne(src, ownerObj, clone);
            src->close();
        }
        if (es != Acad::eOk && result == Acad::eOk)
            result = es;
    }
    ownerObj->close();
    if (!deferXlation) {
        es = acdbTranslateIdMap(idMap);
        if (es != Acad::eOk && result == Acad::eOk)
            result = es;
    }
    return result;
}

}  // namespace

// ----- AcDbIdMapping ------------------------------------------------------------------------------

Acad::ErrorStatus AcDbIdMapping::assign(const AcDbIdPair& pair)
{
    if (pair.key().isNull())
        return Acad::eInvalidInput;
    AcDbStub* key = pair.key();
    if (m_index.count(key) != 0)
        return Acad::eAlreadyInDb;
    m_index[key] = m_pairs.size();
    m_pairs.push_back(pair);
    return Acad::eOk;
}

bool AcDbIdMapping::compute(AcDbIdPair& pair) const
{
    AcDbStub* key = pair.key();
    auto it = m_index.find(key);
    if (key == nullptr || it == m_index.end())
        return false;
    pair = m_pairs[it->second];
    return true;
}

bool AcDbIdMapping::change(const AcDbIdPair& pair)
{
    auto it = m_index.find(static_cast<AcDbStub*>(pair.key()));
    if (it == m_index.end())
        return false;
    m_pairs[it->second] = pair;
    return true;
}

bool AcDbIdMapping::del(AcDbObjectId key)
{
    auto it = m_index.find(static_cast<AcDbStub*>(key));
    if (it == m_index.end())
        return false;
    const size_t at = it->second;
    m_index.erase(it);
    m_pairs.erase(m_pairs.begin() + static_cast<std::ptrdiff_t>(at));
    for (auto& entry : m_index)
        if (entry.second > at)
            --entry.second;
    return true;
}

Acad::ErrorStatus AcDbIdMapping::destDb(AcDbDatabase*& db) const
{
    db = m_destDb;
    return db != nullptr ? Acad::eOk : Acad::eNoDatabase;
}

Acad::ErrorStatus AcDbIdMapping::setDestDb(AcDbDatabase* db)
{
    if (db == nullptr)
        return Acad::eNullObjectPointer;
    m_destDb = db;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbIdMapping::origDb(AcDbDatabase*& db) const
{
    db = m_origDb;
    return db != nullptr ? Acad::eOk : Acad::eNoDatabase;
}

// ----- AcDbIdMappingIter --------------------------------------------------------------------------

Acad::ErrorStatus AcDbIdMappingIter::iterateOn(const AcDbIdMapping& map)
{
    m_map = &map;
    m_position = 0;
    return Acad::eOk;
}

void AcDbIdMappingIter::start()
{
    m_position = 0;
}

bool AcDbIdMappingIter::getMap(AcDbIdPair& pair)
{
    if (done())
        return false;
    pair = m_map->pairAt(m_position);
    return true;
}

bool AcDbIdMappingIter::next()
{
    if (done())
        return false;
    ++m_position;
    return !done();
}

bool AcDbIdMappingIter::done()
{
    return m_position >= m_map->numPairs();
}

// ----- Cloning ------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbObject::deepClone(AcDbObject* pOwnerObject, AcDbObject*& pClonedObject, AcDbIdMapping& idMap,
                                        Adesk::Boolean isPrimary) const
{
    return cloneInto(this, pOwnerObject, pClonedObject, idMap, isPrimary, false);
}

Acad::ErrorStatus AcDbObject::wblockClone(AcRxObject* pOwnerObject, AcDbObject*& pClonedObject, AcDbIdMapping& idMap,
                                          Adesk::Boolean isPrimary) const
{
    pClonedObject = nullptr;
    AcDbObject* owner = AcDbObject::cast(pOwnerObject);
    if (owner == nullptr)
        return pOwnerObject == nullptr ? Acad::eNullObjectPointer : Acad::eWrongObjectType;
    return cloneInto(this, owner, pClonedObject, idMap, isPrimary, true);
}

Acad::ErrorStatus acdbTranslateIdMap(AcDbIdMapping& idMap)
{
    resolveForeignIds(idMap);
    Acad::ErrorStatus result = Acad::eOk;
    for (int i = 0; i < idMap.numPairs(); ++i) {
        const AcDbIdPair pair = idMap.pairAt(i);
        AcDbObject* clone = kelvora::objectOf(pair.value());
        if (!pair.isCloned() || clone == nullptr || pair.value().isErased())
            continue;
        if (ObjectAccess::isOpen(clone)) {
            result = Acad::eWasOpenForWrite;
            continue;
        }
        // Filed as undo files a closed object: whatever its layer, and without recording the clone again
        // (it is new in this step).
        XlateFiler filer(idMap, clone->database());
        Acad::ErrorStatus es = Acad::eOk;
        {
            CloneAccess access(clone);
            es = clone->dwgOut(&filer);
            if (es == Acad::eOk) {
                filer.rewind();
                es = clone->dwgIn(&filer);
            }
        }
        if (es != Acad::eOk && result == Acad::eOk)
            result = es;
    }
    return result;
}

Acad::ErrorStatus AcDbDatabase::wblockCloneObjects(AcDbObjectIdArray& objectIds, AcDbObjectId& owner,
                                                   AcDbIdMapping& idMap, AcDb::DuplicateRecordCloning drc,
                                                   bool deferXlation)
{
    if (owner.isNull())
        return Acad::eNullObjectId;
    AcDbDatabase* dest = owner.database();
    for (const AcDbObjectId& id : objectIds)
        if (id.isNull() || id.database() != this)
            return id.isNull() ? Acad::eNullObjectId : Acad::eWrongDatabase;
    idMap.setDestDb(dest);
    idMap.setOrigDb(this);
    idMap.setDeepCloneContext(AcDb::kDcWblkObjects);
    idMap.setDuplicateRecordCloning(drc);
    return cloneEach(objectIds, owner, idMap, deferXlation,
                     [&](AcDbObject* src, AcDbObject* ownerObj, AcDbObject*& clone) {
                         return src->wblockClone(ownerObj, clone, idMap, true);
                     });
}

Acad::ErrorStatus AcDbDatabase::deepCloneObjects(AcDbObjectIdArray& objectIds, AcDbObjectId& owner,
                                                 AcDbIdMapping& idMap, bool deferXlation)
{
    if (owner.isNull())
        return Acad::eNullObjectId;
    if (owner.database() != this)
        return Acad::eWrongDatabase;
    for (const AcDbObjectId& id : objectIds)
        if (id.isNull() || id.database() != this)
            return id.isNull() ? Acad::eNullObjectId : Acad::eWrongDatabase;
    idMap.setDestDb(this);
    idMap.setOrigDb(this);
    idMap.setDeepCloneContext(AcDb::kDcObjects);
    return cloneEach(objectIds, owner, idMap, deferXlation,
                     [&](AcDbObject* src, AcDbObject* ownerObj, AcDbObject*& clone) {
                         return src->deepClone(ownerObj, clone, idMap, true);
                     });
}
