// Selection sets: their storage under ads names and the acedSS functions that read and change them.
#include "selection_sets.h"

#include <algorithm>
#include <map>

#include "acedads.h"
#include "dbmain.h"

namespace kelvora {

namespace {

// The second word of a selection set's ads name: entity names carry a database serial number
// there, which never grows this large, so the two kinds of names cannot be confused.
constexpr Adesk::LongPtr kSelectionSetTag = 0x53534554;  // "SSET"

struct Store {
    std::map<Adesk::LongPtr, SelectionIds> sets;
    Adesk::LongPtr next = 1;
    SelectionIds previous;
    SelectionIds pickFirst;
};

Store& store()
{
    static Store s;
    return s;
}

}  // namespace

void newSelectionSet(SelectionIds ids, ads_name name)
{
    Store& s = store();
    Adesk::LongPtr key = s.next++;
    s.sets[key] = std::move(ids);
    name[0] = key;
    name[1] = kSelectionSetTag;
}

SelectionIds* findSelectionSet(const ads_name name)
{
    if (name == nullptr || name[1] != kSelectionSetTag)
        return nullptr;
    auto it = store().sets.find(name[0]);
    return it != store().sets.end() ? &it->second : nullptr;
}

bool isSelectionSetName(const ads_name name)
{
    return findSelectionSet(name) != nullptr;
}

bool freeSelectionSet(const ads_name name)
{
    if (findSelectionSet(name) == nullptr)
        return false;
    store().sets.erase(name[0]);
    return true;
}

void setPreviousSelection(const SelectionIds& ids)
{
    store().previous = ids;
}

const SelectionIds& previousSelection()
{
    return store().previous;
}

void setPickFirstSelection(const SelectionIds& ids)
{
    store().pickFirst = ids;
}

const SelectionIds& pickFirstSelection()
{
    return store().pickFirst;
}

void resetSelectionSets()
{
    Store& s = store();
    s.sets.clear();
    s.previous.clear();
    s.pickFirst.clear();
}

Acad::ErrorStatus adsNameOf(ads_name name, AcDbObjectId id)
{
    ads_name made = {0, 0};
    Acad::ErrorStatus es = acdbGetAdsName(made, id);
    if (es == Acad::eOk) {
        name[0] = made[0];
        name[1] = made[1];
    }
    return es;
}

int liveSelectionSetCount()
{
    return static_cast<int>(store().sets.size());
}

}  // namespace kelvora

using namespace kelvora;

int acedSSFree(const ads_name selection)
{
    return freeSelectionSet(selection) ? RTNORM : RTERROR;
}

int acedSSLength(const ads_name selection, Adesk::Int32* length)
{
    SelectionIds* ids = findSelectionSet(selection);
    if (ids == nullptr || length == nullptr)
        return RTERROR;
    *length = static_cast<Adesk::Int32>(ids->size());
    return RTNORM;
}

int acedSSName(const ads_name selection, Adesk::Int32 index, ads_name entity)
{
    SelectionIds* ids = findSelectionSet(selection);
    if (ids == nullptr || entity == nullptr || index < 0 || static_cast<std::size_t>(index) >= ids->size())
        return RTERROR;
    return adsNameOf(entity, (*ids)[static_cast<std::size_t>(index)]) == Acad::eOk ? RTNORM : RTERROR;
}

int acedSSAdd(const ads_name entity, const ads_name selection, ads_name result)
{
    if (result == nullptr)
        return RTERROR;
    AcDbObjectId id;
    bool haveEntity = entity != nullptr && acdbGetObjectId(id, entity) == Acad::eOk;
    if (entity != nullptr && !haveEntity)
        return RTERROR;
    if (selection == nullptr) {
        newSelectionSet(haveEntity ? SelectionIds{id} : SelectionIds{}, result);
        return RTNORM;
    }
    SelectionIds* ids = findSelectionSet(selection);
    if (ids == nullptr)
        return RTERROR;
    if (haveEntity && std::find(ids->begin(), ids->end(), id) == ids->end())
        ids->push_back(id);
    result[0] = selection[0];
    result[1] = selection[1];
    return RTNORM;
}

int acedSSDel(const ads_name entity, const ads_name selection)
{
    SelectionIds* ids = findSelectionSet(selection);
    AcDbObjectId id;
    if (ids == nullptr || entity == nullptr || acdbGetObjectId(id, entity) != Acad::eOk)
        return RTERROR;
    auto it = std::find(ids->begin(), ids->end(), id);
    if (it == ids->end())
        return RTERROR;
    ids->erase(it);
    return RTNORM;
}

int acedSSMemb(const ads_name entity, const ads_name selection)
{
    SelectionIds* ids = findSelectionSet(selection);
    AcDbObjectId id;
    if (ids == nullptr || entity == nullptr || acdbGetObjectId(id, entity) != Acad::eOk)
        return RTERROR;
    return std::find(ids->begin(), ids->end(), id) != ids->end() ? RTNORM : RTERROR;
}

int acedSSGetFirst(resbuf** gripSet, resbuf** pickSet)
{
    if (gripSet != nullptr)
        *gripSet = nullptr;
    if (pickSet == nullptr)
        return RTNORM;
    *pickSet = nullptr;
    const SelectionIds& first = pickFirstSelection();
    if (first.empty())
        return RTNORM;
    resbuf* rb = acutNewRb(RTPICKS);
    if (rb == nullptr)
        return RTERROR;
    newSelectionSet(first, rb->resval.rlname);
    *pickSet = rb;
    return RTNORM;
}

int acedSSSetFirst(const ads_name pickSet, const ads_name)
{
    if (pickSet == nullptr) {
        setPickFirstSelection({});
        return RTNORM;
    }
    SelectionIds* ids = findSelectionSet(pickSet);
    if (ids == nullptr)
        return RTERROR;
    setPickFirstSelection(*ids);
    return RTNORM;
}
