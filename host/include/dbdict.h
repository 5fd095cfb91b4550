// AcDbDictionary: a named collection of database objects (the named object dictionary, extension dictionaries, groups).
#pragma once

#include <string>
#include <vector>

#include "dbmain.h"

class AcDbDictionaryIterator;

// Keys are compared without regard to case; an entry owns its object (the object's owner is the
// dictionary). Iteration is sorted by key (kDictSorted) or in the order of insertion (kDictCollated).
class AcDbDictionary : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDictionary);
    AcDbDictionary();
    ~AcDbDictionary() override;

    // eKeyNotFound when absent (erased entries are not found).
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObject*& entryObj, AcDb::OpenMode mode) const;
    Acad::ErrorStatus getAt(const ACHAR* entryName, AcDbObjectId& entryObj) const;
    // The key of the entry holding objId, new[] (free with acutDelString); eKeyNotFound when absent.
    Acad::ErrorStatus nameAt(AcDbObjectId objId, ACHAR*& name) const;
    bool has(const ACHAR* entryName) const;
    bool has(AcDbObjectId objId) const;
    Adesk::UInt32 numEntries() const;

    // Removes the entry; the object stays (with no owner). The dictionary must be open for write.
    Acad::ErrorStatus remove(const ACHAR* key);
    Acad::ErrorStatus remove(const ACHAR* key, AcDbObjectId& returnId);
    Acad::ErrorStatus remove(AcDbObjectId objId);
    bool setName(const ACHAR* oldName, const ACHAR* newName);

    // Puts newValue under srchKey: a new object joins the dictionary's database (left open for write);
    // an object of the database is re-owned. An entry of that key already there is replaced and its
    // object erased. The dictionary must be open for write and in a database; eInvalidKey for an
    // empty key.
    Acad::ErrorStatus setAt(const ACHAR* srchKey, AcDbObject* newValue, AcDbObjectId& retObjId);

    bool isTreatElementsAsHard() const { return m_hardOwnership; }
    void setTreatElementsAsHard(bool doIt);
    AcDb::DuplicateRecordCloning mergeStyle() const override { return m_mergeStyle; }
    void setMergeStyle(AcDb::DuplicateRecordCloning style);

    // The caller deletes the iterator.
    AcDbDictionaryIterator* newIterator(AcRx::DictIterType type = AcRx::kDictSorted) const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    // Host-own: the entries in insertion order.
    struct Entry {
        std::wstring key;
        AcDbObjectId id;
    };
    const std::vector<Entry>& entries() const { return m_entries; }

private:
    friend class kelvora::ObjectAccess;
    int findKey(const ACHAR* key) const;
    std::vector<Entry> m_entries;
    bool m_hardOwnership = false;
    AcDb::DuplicateRecordCloning m_mergeStyle = AcDb::kDrcIgnore;
};

// Walks a snapshot of the entries taken when the iterator was made.
class AcDbDictionaryIterator {
public:
    virtual ~AcDbDictionaryIterator() = default;

    const ACHAR* name() const;
    Acad::ErrorStatus getObject(AcDbObject*& pObject, AcDb::OpenMode openMode);
    AcDbObjectId objectId() const;
    bool done() const;
    bool next();
    bool setPosition(AcDbObjectId objId);

private:
    friend class AcDbDictionary;
    AcDbDictionaryIterator() = default;
    std::vector<AcDbDictionary::Entry> m_entries;
    size_t m_index = 0;
};
