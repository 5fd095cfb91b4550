// Selection sets under their ads names, the previous selection and the pick-first set.
#pragma once

#include <vector>

#include "acadstrc.h"
#include "adsdef.h"
#include "dbid.h"

namespace kelvora {

using SelectionIds = std::vector<AcDbObjectId>;

// Makes a set holding `ids` and gives its name. A set lives until acedSSFree (or resetSelectionSets).
void newSelectionSet(SelectionIds ids, ads_name name);
// The set of a name; null for a name that is not a live set.
SelectionIds* findSelectionSet(const ads_name name);
bool isSelectionSetName(const ads_name name);
bool freeSelectionSet(const ads_name name);

// "P": the entities of the last object selection a command made.
void setPreviousSelection(const SelectionIds& ids);
const SelectionIds& previousSelection();

// The pick-first set (acedSSSetFirst / acedSSGetFirst, mode "I").
void setPickFirstSelection(const SelectionIds& ids);
const SelectionIds& pickFirstSelection();

// The ads name of an entity into a name passed as a function argument (a pointer).
Acad::ErrorStatus adsNameOf(ads_name name, AcDbObjectId id);

// Frees every set and forgets the previous and pick-first selections (a new drawing).
void resetSelectionSets();
int liveSelectionSetCount();

}  // namespace kelvora
