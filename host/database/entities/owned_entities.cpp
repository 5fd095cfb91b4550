// Owned sub-entities: kept in memory until their owner joins a database, then added to it; iterator, erase, filing.
#include "owned_entities.h"

#include "kelvora/host_class.h"

KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcDbObjectIterator, AcRxObject, nullptr);

namespace {

bool isCopyFiler(AcDb::FilerType type)
{
    return type == AcDb::kCopyFiler || type == AcDb::kDeepCloneFiler || type == AcDb::kWblockCloneFiler;
}

// Counts read from a filer only size reservations up to this; the items themselves must follow.
constexpr Adesk::Int32 kMaxReserve = 1 << 16;

}  // namespace

// ----- AcDbObjectIterator ----------------------------------------------------------------------------

void AcDbObjectIterator::append(AcDbObjectId id, AcDbEntity* pEnt)
{
    m_items.push_back({id, pEnt});
}

bool AcDbObjectIterator::erasedAt(int index) const
{
    const Item& item = m_items[static_cast<size_t>(index)];
    return !item.id.isNull() && item.id.isErased();
}

void AcDbObjectIterator::start(bool atEnd)
{
    const int n = static_cast<int>(m_items.size());
    m_index = atEnd ? n - 1 : 0;
    // Erased sub-entities are passed over, as step() does by default.
    if (atEnd) {
        while (m_index >= 0 && erasedAt(m_index))
            --m_index;
    } else {
        while (m_index < n && erasedAt(m_index))
            ++m_index;
    }
}

bool AcDbObjectIterator::done() const
{
    return m_index < 0 || m_index >= static_cast<int>(m_items.size());
}

void AcDbObjectIterator::step(bool backwards, bool skipErasedEntities)
{
    const int n = static_cast<int>(m_items.size());
    do {
        m_index += backwards ? -1 : 1;
    } while (skipErasedEntities && m_index >= 0 && m_index < n && erasedAt(m_index));
}

AcDbObjectId AcDbObjectIterator::objectId() const
{
    return done() ? AcDbObjectId() : m_items[static_cast<size_t>(m_index)].id;
}

AcDbEntity* AcDbObjectIterator::entity()
{
    return done() ? nullptr : m_items[static_cast<size_t>(m_index)].entity;
}

void AcDbObjectIterator::setPosition(AcDbObjectId pObj)
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].id == pObj) {
            m_index = static_cast<int>(i);
            return;
        }
    }
}

// ----- OwnedEntities ---------------------------------------------------------------------------------

namespace kelvora {

OwnedEntities::~OwnedEntities()
{
    clearPending();
}

void OwnedEntities::clearPending()
{
    for (Entry& e : m_entries) {
        delete e.pending;
        e.pending = nullptr;
    }
    delete m_pendingSeqEnd;
    m_pendingSeqEnd = nullptr;
}

Acad::ErrorStatus OwnedEntities::insert(AcDbObject* owner, size_t at, AcDbEntity* entity, AcDbObjectId& id)
{
    if (entity == nullptr)
        return Acad::eNullEntityPointer;
    if (!entity->objectId().isNull())
        return Acad::eAlreadyInDb;
    if (at > m_entries.size())
        return Acad::eInvalidIndex;
    AcDbDatabase* db = owner->database();
    Entry entry;
    if (db != nullptr && !owner->objectId().isNull()) {
        flush(owner);
        Acad::ErrorStatus es = db->addAcDbObject(entry.id, entity);
        if (es != Acad::eOk)
            return es;
        entity->setOwnerId(owner->objectId());
        id = entry.id;
    } else {
        entry.pending = entity;
        id = AcDbObjectId();
    }
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(at), entry);
    return Acad::eOk;
}

int OwnedEntities::indexOf(AcDbObjectId id) const
{
    if (id.isNull())
        return -1;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].id == id)
            return static_cast<int>(i);
    return -1;
}

int OwnedEntities::indexOf(const AcDbEntity* entity) const
{
    if (entity == nullptr)
        return -1;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].pending == entity || (!m_entries[i].id.isNull() && m_entries[i].id == entity->objectId()))
            return static_cast<int>(i);
    return -1;
}

void OwnedEntities::flush(AcDbObject* owner)
{
    AcDbDatabase* db = owner->database();
    if (db == nullptr || owner->objectId().isNull())
        return;
    for (Entry& e : m_entries) {
        if (e.pending == nullptr)
            continue;
        AcDbEntity* entity = e.pending;
        if (db->addAcDbObject(e.id, entity) != Acad::eOk)
            continue;  // stays pending; the owner deletes it with itself
        e.pending = nullptr;
        entity->setOwnerId(owner->objectId());
        entity->close();
    }
    if (m_seqEndId.isNull()) {
        AcDbSequenceEnd* seqEnd = m_pendingSeqEnd != nullptr ? m_pendingSeqEnd : new AcDbSequenceEnd();
        m_pendingSeqEnd = nullptr;
        if (const AcDbEntity* ownerEntity = AcDbEntity::cast(owner))
            seqEnd->setPropertiesFrom(ownerEntity);
        if (db->addAcDbObject(m_seqEndId, seqEnd) == Acad::eOk) {
            seqEnd->setOwnerId(owner->objectId());
            seqEnd->close();
        } else {
            delete seqEnd;
        }
    }
}

Acad::ErrorStatus OwnedEntities::setSequenceEnd(AcDbObject* owner, AcDbSequenceEnd* seqEnd)
{
    if (seqEnd == nullptr)
        return Acad::eNullEntityPointer;
    if (!seqEnd->objectId().isNull())
        return Acad::eAlreadyInDb;
    if (!m_seqEndId.isNull())
        return Acad::eAlreadyInDb;
    delete m_pendingSeqEnd;
    m_pendingSeqEnd = seqEnd;
    flush(owner);
    return Acad::eOk;
}

AcDbObjectIterator* OwnedEntities::newIterator() const
{
    auto* it = new AcDbObjectIterator();
    for (const Entry& e : m_entries)
        it->append(e.id, e.pending);
    it->start();
    return it;
}

void OwnedEntities::eraseAll(bool erasing)
{
    auto eraseOne = [&](AcDbObjectId id) {
        AcDbObject* obj = nullptr;
        if (id.isNull() || acdbOpenAcDbObject(obj, id, AcDb::kForWrite, true) != Acad::eOk)
            return;
        if (static_cast<bool>(obj->isErased()) != erasing)
            obj->erase(erasing);
        obj->close();
    };
    for (const Entry& e : m_entries)
        eraseOne(e.id);
    eraseOne(m_seqEndId);
}

Acad::ErrorStatus OwnedEntities::forEach(AcDb::OpenMode mode,
                                         const std::function<Acad::ErrorStatus(AcDbEntity*)>& fn) const
{
    for (const Entry& e : m_entries) {
        if (e.pending != nullptr) {
            Acad::ErrorStatus es = fn(e.pending);
            if (es != Acad::eOk)
                return es;
            continue;
        }
        AcDbEntity* entity = nullptr;
        Acad::ErrorStatus es = acdbOpenAcDbEntity(entity, e.id, mode);
        if (es == Acad::eWasErased)
            continue;
        if (es != Acad::eOk)
            return es;
        es = fn(entity);
        entity->close();
        if (es != Acad::eOk)
            return es;
    }
    return Acad::eOk;
}

Acad::ErrorStatus OwnedEntities::dwgOut(AcDbDwgFiler* filer) const
{
    if (isCopyFiler(filer->filerType())) {
        filer->writeInt32(static_cast<Adesk::Int32>(m_entries.size()));
        return forEach(AcDb::kForRead, [&](AcDbEntity* entity) { return entity->dwgOutFields(filer); });
    }
    filer->writeInt32(static_cast<Adesk::Int32>(m_entries.size()));
    for (const Entry& e : m_entries)
        filer->writeHardOwnershipId(e.id);
    filer->writeHardOwnershipId(m_seqEndId);
    return filer->filerStatus();
}

Acad::ErrorStatus OwnedEntities::dwgIn(AcDbDwgFiler* filer, const std::function<AcDbEntity*()>& make)
{
    Adesk::Int32 count = 0;
    Acad::ErrorStatus es = filer->readInt32(&count);
    if (es != Acad::eOk)
        return es;
    if (count < 0)
        return Acad::eFilerError;
    std::vector<Entry> entries;
    entries.reserve(static_cast<size_t>(std::min(count, kMaxReserve)));
    auto dropMade = [&]() {
        for (Entry& e : entries)
            delete e.pending;
    };
    AcDbHardOwnershipId seqEnd;
    if (isCopyFiler(filer->filerType())) {
        for (Adesk::Int32 i = 0; i < count; ++i) {
            AcDbEntity* entity = make();
            if (entity == nullptr) {
                dropMade();
                return Acad::eOutOfMemory;
            }
            if ((es = entity->dwgInFields(filer)) != Acad::eOk) {
                delete entity;
                dropMade();
                return es;
            }
            entries.push_back({AcDbObjectId(), entity});
        }
    } else {
        for (Adesk::Int32 i = 0; i < count; ++i) {
            AcDbHardOwnershipId id;
            if ((es = filer->readHardOwnershipId(&id)) != Acad::eOk)
                return es;
            entries.push_back({id, nullptr});
        }
        if ((es = filer->readHardOwnershipId(&seqEnd)) != Acad::eOk)
            return es;
    }
    clearPending();
    m_entries.swap(entries);
    if (!isCopyFiler(filer->filerType()))
        m_seqEndId = seqEnd;
    return Acad::eOk;
}

}  // namespace kelvora
