// Walking a list of ids that may hold erased ones, forwards or backwards.
#include "id_list_walk.h"

namespace kelvora {

namespace {

bool erasedAt(const IdList& ids, int index)
{
    return index >= 0 && index < static_cast<int>(ids.size()) && ids[static_cast<size_t>(index)].isErased();
}

}  // namespace

int firstIdIndex(const IdList* ids, bool atBeginning, bool skipErased)
{
    const int n = ids != nullptr ? static_cast<int>(ids->size()) : 0;
    int index = atBeginning ? 0 : n - 1;
    if (skipErased && ids != nullptr)
        while (erasedAt(*ids, index))
            index += atBeginning ? 1 : -1;
    return index;
}

int nextIdIndex(const IdList* ids, int index, bool forward, bool skipErased)
{
    if (ids == nullptr)
        return index;
    do {
        index += forward ? 1 : -1;
    } while (skipErased && erasedAt(*ids, index));
    return index;
}

bool idWalkDone(const IdList* ids, int index)
{
    return ids == nullptr || index < 0 || index >= static_cast<int>(ids->size());
}

}  // namespace kelvora
