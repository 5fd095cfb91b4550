// AcRxDictionary: keyed run-time objects with stable ids, and its iterator.
#include <algorithm>
#include <cwchar>

#include "kelvora/host_class.h"
#include "rxdict.h"

KELVORA_HOST_DEFINE_MEMBERS(AcRxDictionary, AcRxObject, nullptr)

namespace {
constexpr Adesk::UInt32 kNoId = static_cast<Adesk::UInt32>(-1);
}

class RxDictionaryIteratorImpl : public AcRxDictionaryIterator {
public:
    RxDictionaryIteratorImpl(const AcRxDictionary& dict, AcRx::DictIterType type)
    {
        for (size_t i = 0; i < dict.m_entries.size(); ++i)
            if (dict.m_entries[i].used)
                m_items.push_back({dict.m_entries[i].key, dict.m_entries[i].object, static_cast<Adesk::UInt32>(i)});
        if (type == AcRx::kDictSorted)
            std::stable_sort(m_items.begin(), m_items.end(),
                             [](const Item& a, const Item& b) { return a.key < b.key; });
    }
    bool done() const override { return m_index >= m_items.size(); }
    bool next() override
    {
        if (m_index < m_items.size())
            ++m_index;
        return !done();
    }
    AcRxObject* object() const override { return done() ? nullptr : m_items[m_index].object; }
    const ACHAR* key() const override { return done() ? nullptr : m_items[m_index].key.c_str(); }
    Adesk::UInt32 id() const override { return done() ? kNoId : m_items[m_index].id; }

private:
    struct Item {
        std::wstring key;
        AcRxObject* object;
        Adesk::UInt32 id;
    };
    std::vector<Item> m_items;
    size_t m_index = 0;
};

AcRxDictionary::AcRxDictionary(bool deletesObjects) : m_deletesObjects(deletesObjects) {}

AcRxDictionary::~AcRxDictionary()
{
    if (m_deletesObjects)
        for (Entry& e : m_entries)
            if (e.used)
                delete e.object;
}

int AcRxDictionary::findKey(const ACHAR* key) const
{
    if (key == nullptr)
        return -1;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].used && m_entries[i].key == key)
            return static_cast<int>(i);
    return -1;
}

AcRxObject* AcRxDictionary::at(const ACHAR* key) const
{
    int i = findKey(key);
    return i < 0 ? nullptr : m_entries[static_cast<size_t>(i)].object;
}

AcRxObject* AcRxDictionary::at(Adesk::UInt32 id) const
{
    return has(id) ? m_entries[id].object : nullptr;
}

AcRxObject* AcRxDictionary::atPut(const ACHAR* key, AcRxObject* newValue)
{
    Adesk::UInt32 id = 0;
    return atPut(key, newValue, id);
}

AcRxObject* AcRxDictionary::atPut(const ACHAR* key, AcRxObject* newValue, Adesk::UInt32& retId)
{
    retId = kNoId;
    if (key == nullptr)
        return nullptr;
    int i = findKey(key);
    if (i >= 0) {
        Entry& e = m_entries[static_cast<size_t>(i)];
        AcRxObject* previous = e.object;
        e.object = newValue;
        retId = static_cast<Adesk::UInt32>(i);
        if (m_deletesObjects && previous != newValue) {
            delete previous;
            return nullptr;
        }
        return previous;
    }
    m_entries.push_back({key, newValue, true});
    retId = static_cast<Adesk::UInt32>(m_entries.size() - 1);
    return nullptr;
}

AcRxObject* AcRxDictionary::atIdPut(Adesk::UInt32 id, AcRxObject* newValue)
{
    if (!has(id))
        return nullptr;
    AcRxObject* previous = m_entries[id].object;
    m_entries[id].object = newValue;
    if (m_deletesObjects && previous != newValue) {
        delete previous;
        return nullptr;
    }
    return previous;
}

bool AcRxDictionary::resetKey(const ACHAR* oldKey, const ACHAR* newKey)
{
    int i = findKey(oldKey);
    if (i < 0 || newKey == nullptr || findKey(newKey) >= 0)
        return false;
    m_entries[static_cast<size_t>(i)].key = newKey;
    return true;
}

AcRxObject* AcRxDictionary::remove(const ACHAR* key)
{
    int i = findKey(key);
    return i < 0 ? nullptr : remove(static_cast<Adesk::UInt32>(i));
}

AcRxObject* AcRxDictionary::remove(Adesk::UInt32 id)
{
    if (!has(id))
        return nullptr;
    Entry& e = m_entries[id];
    AcRxObject* previous = e.object;
    e.used = false;
    e.object = nullptr;
    e.key.clear();
    return previous;
}

bool AcRxDictionary::has(const ACHAR* entryName) const
{
    return findKey(entryName) >= 0;
}

bool AcRxDictionary::has(Adesk::UInt32 id) const
{
    return id < m_entries.size() && m_entries[id].used;
}

Adesk::UInt32 AcRxDictionary::idAt(const ACHAR* key) const
{
    int i = findKey(key);
    return i < 0 ? kNoId : static_cast<Adesk::UInt32>(i);
}

const ACHAR* AcRxDictionary::keyAt(Adesk::UInt32 id) const
{
    return has(id) ? m_entries[id].key.c_str() : nullptr;
}

Adesk::UInt32 AcRxDictionary::numEntries() const
{
    return static_cast<Adesk::UInt32>(
        std::count_if(m_entries.begin(), m_entries.end(), [](const Entry& e) { return e.used; }));
}

AcRxDictionaryIterator* AcRxDictionary::newIterator(AcRx::DictIterType type) const
{
    return new RxDictionaryIteratorImpl(*this, type);
}
