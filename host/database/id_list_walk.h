// Walking a list of ids that may hold erased ones, forwards or backwards: what the host's iterators share.
#pragma once

#include <vector>

#include "dbid.h"

namespace kelvora {

using IdList = std::vector<AcDbObjectId>;

// The index a walk starts at (the first or last id, past erased ones when they are skipped); out of
// range when there is nothing to visit. A missing list has nothing.
int firstIdIndex(const IdList* ids, bool atBeginning, bool skipErased);
// The index after `index` in the walk's direction, past erased ones when they are skipped.
int nextIdIndex(const IdList* ids, int index, bool forward, bool skipErased);
// True when the index is outside the list (or there is no list): the walk is over.
bool idWalkDone(const IdList* ids, int index);

}  // namespace kelvora
