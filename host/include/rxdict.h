// AcRxDictionary: a keyed collection of run-time objects, and the system registry that holds the class dictionary.
#pragma once

#include <string>
#include <vector>

#include "rxboiler.h"
#include "rxiter.h"

// Keys are case-sensitive. An entry keeps its id (its insertion number) until it is removed.
// A dictionary made with deletesObjects = true deletes its objects when they are replaced,
// removed or when the dictionary is destroyed; the system registry and the class dictionary do not.
class AcRxDictionary : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxDictionary);

    explicit AcRxDictionary(bool deletesObjects = false);
    ~AcRxDictionary() override;
    AcRxDictionary(const AcRxDictionary&) = delete;
    AcRxDictionary& operator=(const AcRxDictionary&) = delete;

    AcRxObject* at(const ACHAR* key) const;
    AcRxObject* at(Adesk::UInt32 id) const;
    AcRxObject* operator[](const ACHAR* key) const { return at(key); }

    // Puts newValue under key and answers the object it replaced (null when the key was new).
    AcRxObject* atPut(const ACHAR* key, AcRxObject* newValue);
    AcRxObject* atPut(const ACHAR* key, AcRxObject* newValue, Adesk::UInt32& retId);
    AcRxObject* atIdPut(Adesk::UInt32 id, AcRxObject* newValue);
    bool resetKey(const ACHAR* oldKey, const ACHAR* newKey);

    // Removes the entry and answers its object (which the caller then owns, whatever deletesObjects says).
    AcRxObject* remove(const ACHAR* key);
    AcRxObject* remove(Adesk::UInt32 id);

    bool has(const ACHAR* entryName) const;
    bool has(Adesk::UInt32 id) const;
    Adesk::UInt32 idAt(const ACHAR* key) const;  // (Adesk::UInt32)-1 when absent
    const ACHAR* keyAt(Adesk::UInt32 id) const;   // null when absent
    Adesk::UInt32 numEntries() const;

    // The caller deletes the iterator.
    AcRxDictionaryIterator* newIterator(AcRx::DictIterType type = AcRx::kDictSorted) const;

    bool deletesObjects() const { return m_deletesObjects; }
    bool isCaseSensitive() const { return true; }
    bool isSorted() const { return true; }

private:
    struct Entry {
        std::wstring key;
        AcRxObject* object = nullptr;
        bool used = false;
    };
    int findKey(const ACHAR* key) const;
    std::vector<Entry> m_entries;  // index = id
    bool m_deletesObjects;
    friend class RxDictionaryIteratorImpl;
};

// The host's system registry: "ClassDictionary" (every registered class by C++ name) and, once the
// command line exists, "ACAD_REGISTERED_COMMANDS" (the command stack).
AcRxDictionary* acrxSysRegistry();
#define acrxClassDictionary (static_cast<AcRxDictionary*>(acrxSysRegistry()->at(ACRX_CLASS_DICTIONARY)))
