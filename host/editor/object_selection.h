// Object selection at the command line: one selector a line until Enter, as acedSSGet's interactive mode reads it.
#pragma once

#include <optional>
#include <string_view>

#include "dbmain.h"
#include "selection_filter.h"
#include "selection_sets.h"

namespace kelvora {

// What one selector line names: "W x1,y1 x2,y2", "C x1,y1 x2,y2" (or "W"/"C" alone, then the two
// corners asked), "ALL", "L", "P", "#HANDLE", "#HANDLE@x,y", "#L", a point (a pick), and the mode
// switches "R" (remove what follows) and "A" (add again). Nothing for a line that is none of these.
struct SelectorResult {
    enum class Kind { Found, Remove, Add, Cancel };
    Kind kind = Kind::Found;
    SelectionIds ids;
};
std::optional<SelectorResult> applySelector(AcDbDatabase* db, std::wstring_view line);

// Reads selector lines ("\nSelect objects: ", "\nRemove objects: " in remove mode) until an empty
// line, adding what each finds (and passes the filter, when there is one) in the order found;
// after each it prints "N found" ("N found (M duplicate)", "N removed"). With `single`, the
// first selector that finds something ends it. RTNORM (the set may be empty) or RTCAN.
int selectInteractively(AcDbDatabase* db, const SelectionFilter* filter, bool single, SelectionIds& out);

// The entities the ALL selector and mode "A" take: model space, not erased, on a thawed layer.
SelectionIds allSelectable(AcDbDatabase* db);
// Mode "X": every entity of model space then paper space that is not erased.
SelectionIds everyEntity(AcDbDatabase* db);

}  // namespace kelvora
