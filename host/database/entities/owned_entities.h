// The sub-entities an entity owns (polyline vertices, block reference attributes) and their sequence end.
#pragma once

#include <functional>
#include <vector>

#include "dbents.h"

namespace kelvora {

// Sub-entities in order. While the owner is in no database they are kept here as objects (pending);
// once it is, they are objects of its database, owned by it, known by their ids. The owner moves the
// pending ones into its database when it is closed, or when it first lists or opens them.
class OwnedEntities {
public:
    struct Entry {
        AcDbObjectId id;
        AcDbEntity* pending = nullptr;
    };

    OwnedEntities() = default;
    ~OwnedEntities();
    OwnedEntities(const OwnedEntities&) = delete;
    OwnedEntities& operator=(const OwnedEntities&) = delete;

    const std::vector<Entry>& entries() const { return m_entries; }
    size_t size() const { return m_entries.size(); }

    // Inserts at position `at` (size() appends). In a database the entity is added to it, owned by
    // owner, and left open for write (the caller closes it); id is then its id.
    Acad::ErrorStatus insert(AcDbObject* owner, size_t at, AcDbEntity* entity, AcDbObjectId& id);
    // The index of an entry (by id or pending pointer); -1 when absent.
    int indexOf(AcDbObjectId id) const;
    int indexOf(const AcDbEntity* entity) const;

    // Moves pending sub-entities (and a pending sequence end) into the owner's database.
    void flush(AcDbObject* owner);

    // The sequence end: made when the owner joins a database, or given by a reader (keeping its handle).
    Acad::ErrorStatus setSequenceEnd(AcDbObject* owner, AcDbSequenceEnd* seqEnd);
    AcDbObjectId sequenceEndId() const { return m_seqEndId; }

    AcDbObjectIterator* newIterator() const;
    // Erases (or restores) every sub-entity and the sequence end of a database owner.
    void eraseAll(bool erasing);

    // Applies fn to each sub-entity, opened in `mode` when it is in a database; stops at the first
    // error (the entity is closed again).
    Acad::ErrorStatus forEach(AcDb::OpenMode mode, const std::function<Acad::ErrorStatus(AcDbEntity*)>& fn) const;

    // DWG filing. A copy (copy, deep-clone and wblock filers) carries the sub-entities' own data, so
    // that the copy gets sub-entities of its own; every other filer carries their ids.
    Acad::ErrorStatus dwgOut(AcDbDwgFiler* filer) const;
    // make builds an empty sub-entity of the right class for a copy.
    Acad::ErrorStatus dwgIn(AcDbDwgFiler* filer, const std::function<AcDbEntity*()>& make);

private:
    void clearPending();

    std::vector<Entry> m_entries;
    AcDbObjectId m_seqEndId;
    AcDbSequenceEnd* m_pendingSeqEnd = nullptr;
};

}  // namespace kelvora
