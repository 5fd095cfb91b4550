// Picks in the view: the entity nearest a point within the aperture, by handle, the last one made, and window selections.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "dbmain.h"
#include "kelvora/script_syntax.h"
#include "pick_geometry.h"

namespace kelvora {

struct PickResult {
    AcDbObjectId entity;        // the top-level entity (model space)
    AcDbObjectId nested;        // what was drawn inside it (an entity of a block): null when none
    AcGeMatrix3d nestedToWorld; // the transform that drew the nested entity
    AcGePoint3d point;          // the pick point
};

// The displayed entity whose drawn graphics pass nearest `point` and within the pick aperture
// (PICKBOX pixels of the view, in x and in y); later in drawing order wins a tie.
std::optional<PickResult> pickAtPoint(AcDbDatabase* db, const AcGePoint3d& point);

// The entity of an id as a pick: at `point` when given, otherwise at its drawn point nearest the
// view's centre. Nothing for an erased entity or an object that is not an entity.
std::optional<PickResult> pickEntity(AcDbObjectId id, const std::optional<AcGePoint3d>& point);

// The last entity made: the last entity of model space that is not erased; null when none.
AcDbObjectId lastEntity(AcDbDatabase* db);

// Displayed entities wholly inside the box (window) or touching it (crossing), in drawing order.
std::vector<AcDbObjectId> entitiesInBox(AcDbDatabase* db, const Box2d& box, bool crossing);

// A line answering an entity pick: a point, "#HANDLE", "#HANDLE@x,y[,z]" or "#L".
struct PickAnswer {
    enum class Kind { Point, Handle, Last };
    Kind kind = Kind::Point;
    AcGePoint3d point;
    bool hasPoint = false;  // Handle: a point was given after "@"
    AcDbHandle handle;
};
std::optional<PickAnswer> parsePickAnswer(std::wstring_view text, const ScriptPoint& lastPoint);

// What a parsed answer picks in the drawing; nothing for a miss (or a handle of no entity).
std::optional<PickResult> resolvePick(AcDbDatabase* db, const PickAnswer& answer);

}  // namespace kelvora
