// Selecting entities by a property's names, and picking one entity with a prompt.
#pragma once

#include <string>
#include <vector>

#include "adsdef.h"
#include "dbmain.h"

// Selects the entities whose property of the group code (0: entity type) is any of the names: the whole
// drawing, or what the user selects after "\nSelectionnez :". True when the selection succeeded.
bool selectByNames(const std::vector<std::wstring>& names, int groupCode, ads_name selection, bool interactive);

// Asks for one entity and opens it; null (after "***  Aucune sélection !" for no pick) when that fails.
AcDbEntity* pickEntity(AcDbObjectId& id, const ACHAR* prompt, AcDb::OpenMode mode);
