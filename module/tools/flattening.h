// Replacing custom objects by the plain host entities their own explode makes.
#pragma once

#include "adsdef.h"

namespace kelvora::tools {

// For each member of the selection, in order: the entities its explode gives are appended to model
// space and the member is erased. Answers how many members were replaced; a member that cannot be
// opened for write (on a locked layer) is left in place and not counted.
int flattenSelection(const ads_name selection);

}  // namespace kelvora::tools
