// Deep cloning's id map: AcDbIdPair, AcDbIdMapping and AcDbIdMappingIter.
#pragma once

#include <unordered_map>
#include <vector>

#include "acadstrc.h"
#include "acdb.h"
#include "dbid.h"
#include "rxboiler.h"

class AcDbDatabase;

// One entry of an id map: the original (key) and its clone (value). isCloned: the value is a clone
// made by this operation (not an existing object the key merely maps to); isPrimary: the object was
// asked for, not cloned along with its owner; isOwnerXlated: the clone's owner is already right.
class AcDbIdPair {
public:
    AcDbIdPair() = default;
    AcDbIdPair(AcDbObjectId key, AcDbObjectId value, bool isCloned, bool isPrimary = false,
               bool isOwnerXlated = true)
        : m_key(key), m_value(value), m_cloned(isCloned), m_primary(isPrimary), m_ownerXlated(isOwnerXlated)
    {
    }

    AcDbObjectId key() const { return m_key; }
    AcDbObjectId value() const { return m_value; }
    bool isCloned() const { return m_cloned; }
    bool isPrimary() const { return m_primary; }
    bool isOwnerXlated() const { return m_ownerXlated; }
    void setKey(AcDbObjectId key) { m_key = key; }
    void setValue(AcDbObjectId value) { m_value = value; }
    void setIsCloned(bool isCloned) { m_cloned = isCloned; }
    void setIsPrimary(bool isPrimary) { m_primary = isPrimary; }
    void setIsOwnerXlated(bool isOwnerXlated) { m_ownerXlated = isOwnerXlated; }

private:
    AcDbObjectId m_key;
    AcDbObjectId m_value;
    bool m_cloned = false;
    bool m_primary = false;
    bool m_ownerXlated = true;
};

// The map of a clone operation, key to pair, kept in the order pairs were assigned (iteration follows
// it, so a clone operation is deterministic). One pair per key: assign answers eAlreadyInDb for a key
// already there (change() replaces a pair).
//
// What the host's deep clone does (AcDbObject::deepClone, AcDbDatabase::deepCloneObjects):
// - the object is filed out through a kDeepCloneFiler and into a new object of its class; the clone is
//   added to the owner's database, owned by the owner (a block table record appends an entity);
// - the extension dictionary, its entries, and every object the object names by a hard or soft
//   ownership id in its own filing, are cloned along (not primary) with the clone as owner;
// - sub-entities filed inline (polyline vertices, block reference attributes) come with the copy as
//   in clone(); they get new ids and no pair;
// - afterwards every clone is filed out and in through a kIdXlateFiler whose ids are translated:
//   an id that is a key of a cloned pair becomes its value; any other id stays as it is.
// wblockClone (and AcDbDatabase::wblockCloneObjects) works the same, within one database or into
// another. Into another database, before the translation, each symbol table record of the source that
// a clone names (layer, linetype, text style, dimension style, registered application, block...) is
// given a pair: the record of the same name in the destination's table of that class when there is one
// (kDrcIgnore, whatever the map's duplicateRecordCloning says), else a clone of it added to that table
// (a block definition with its entities, cloned the same way). Any other id of the source database that
// has no pair (an object neither cloned nor a record) becomes null in the clone, as it would name
// nothing there. Layouts, groups and other named-object dictionary entries are not brought along.
class AcDbIdMapping : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbIdMapping);
    AcDbIdMapping() = default;

    // eInvalidInput for a null key; eAlreadyInDb when the key has a pair.
    virtual Acad::ErrorStatus assign(const AcDbIdPair& pair);
    // Fills pair (found by its key) and answers true; false when the key has no pair.
    virtual bool compute(AcDbIdPair& pair) const;
    // Replaces the pair of pair.key(); false when there is none.
    virtual bool change(const AcDbIdPair& pair);
    // Removes the pair of key; false when there is none.
    virtual bool del(AcDbObjectId key);

    Acad::ErrorStatus destDb(AcDbDatabase*& db) const;
    Acad::ErrorStatus setDestDb(AcDbDatabase* db);
    Acad::ErrorStatus origDb(AcDbDatabase*& db) const;
    AcDb::DeepCloneType deepCloneContext() const { return m_context; }
    AcDb::DuplicateRecordCloning duplicateRecordCloning() const { return m_drc; }

    // Host-own: set by the operation that uses the map (deepCloneObjects sets kDcObjects).
    void setOrigDb(AcDbDatabase* db) { m_origDb = db; }
    void setDeepCloneContext(AcDb::DeepCloneType context) { m_context = context; }
    void setDuplicateRecordCloning(AcDb::DuplicateRecordCloning drc) { m_drc = drc; }
    // Host-own: the number of pairs, and the pair at a position of the assignment order.
    int numPairs() const { return static_cast<int>(m_pairs.size()); }
    const AcDbIdPair& pairAt(int index) const { return m_pairs[static_cast<size_t>(index)]; }

private:
    std::vector<AcDbIdPair> m_pairs;
    std::unordered_map<AcDbStub*, size_t> m_index;
    AcDbDatabase* m_destDb = nullptr;
    AcDbDatabase* m_origDb = nullptr;
    AcDb::DeepCloneType m_context = AcDb::kDcCopy;
    AcDb::DuplicateRecordCloning m_drc = AcDb::kDrcIgnore;
};

// Walks the pairs of a map in assignment order. The map must outlive the iterator and not lose pairs
// while it is walked (pairs assigned meanwhile are walked too).
class AcDbIdMappingIter : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbIdMappingIter);
    explicit AcDbIdMappingIter(const AcDbIdMapping& map) : m_map(&map) {}

    virtual Acad::ErrorStatus iterateOn(const AcDbIdMapping& map);
    virtual void start();
    virtual bool getMap(AcDbIdPair& pair);
    virtual bool next();
    virtual bool done();

private:
    const AcDbIdMapping* m_map;
    int m_position = 0;
};

// Host-own: translates the ids inside every cloned value of the map (the step deepCloneObjects takes
// after cloning, unless deferred): each clone is filed out and back in through a kIdXlateFiler that
// maps keys to values (any pair with a value; see above for ids of another database). Erased clones
// are skipped; an open one is left untranslated (eWasOpenForWrite).
Acad::ErrorStatus acdbTranslateIdMap(AcDbIdMapping& idMap);
