// STRETCH: the stretch points of the selected entities that lie inside the selection's windows move by a displacement.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "../object_selection.h"
#include "../picking.h"
#include "../selection_sets.h"
#include "../text_encoding.h"
#include "acedads.h"
#include "command_support.h"
#include "dbobjptr.h"
#include "drawing_commands.h"
#include "kelvora/script_syntax.h"
#include "kelvora/system_variables.h"

namespace kelvora::commands {

namespace {

// What STRETCH selected, and the windows ("C" or "W") that say which points move.
struct StretchSelection {
    std::vector<AcDbObjectId> ids;
    std::vector<Box2d> windows;
};

std::optional<Box2d> windowFromText(std::wstring_view corners)
{
    corners = trimBlanks(corners);
    size_t gap = corners.find_first_of(L" \t");
    if (gap == std::wstring_view::npos)
        return std::nullopt;
    ScriptPoint last = systemVariables().point(L"LASTPOINT", ScriptPoint{});
    auto first = parsePoint(corners.substr(0, gap), last);
    auto second = parsePoint(trimBlanks(corners.substr(gap)), first.value_or(last));
    if (!first || !second)
        return std::nullopt;
    return Box2d::corners(AcGePoint2d(first->x, first->y), AcGePoint2d(second->x, second->y));
}

std::optional<Box2d> askWindow()
{
    ads_point first = {0, 0, 0}, second = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify first corner: ", first) != RTNORM)
        return std::nullopt;
    if (acedGetCorner(first, L"\nSpecify opposite corner: ", second) != RTNORM)
        return std::nullopt;
    return Box2d::corners(AcGePoint2d(first[X], first[Y]), AcGePoint2d(second[X], second[Y]));
}

// The object selection of STRETCH. It reads the same selector lines as every command, but keeps
// the windows: a window line is read here, every other selector goes to the editor's selection.
// False when cancelled.
bool selectForStretch(AcDbDatabase* db, StretchSelection& out)
{
    say(L"\nSelect objects to stretch by crossing-window or crossing-polygon...");
    bool removing = false;
    while (true) {
        std::optional<std::wstring> answer = askString(removing ? L"\nRemove objects: " : L"\nSelect objects: ", true);
        if (!answer)
            return false;
        std::wstring_view text = trimBlanks(*answer);
        if (text.empty())
            break;
        size_t gap = text.find_first_of(L" \t");
        std::wstring_view word = text.substr(0, gap);
        bool window = equalNoCase(word, L"W") || equalNoCase(word, L"WINDOW");
        bool crossing = equalNoCase(word, L"C") || equalNoCase(word, L"CROSSING");
        std::vector<AcDbObjectId> found;
        if (window || crossing) {
            std::optional<Box2d> box = gap == std::wstring_view::npos ? askWindow() : windowFromText(text.substr(gap));
            if (!box && gap == std::wstring_view::npos)
                return false;
            if (!box) {
                say(L"\n*Invalid selection*");
                continue;
            }
            found = entitiesInBox(db, *box, crossing);
            if (!removing)
                out.windows.push_back(*box);
        } else {
            std::optional<SelectorResult> selected = applySelector(db, text);
            if (!selected) {
                say(L"\n*Invalid selection*");
                continue;
            }
            if (selected->kind == SelectorResult::Kind::Cancel)
                return false;
            if (selected->kind != SelectorResult::Kind::Found) {
                removing = selected->kind == SelectorResult::Kind::Remove;
                continue;
            }
            found = selected->ids;
        }
        size_t changed = 0;
        for (AcDbObjectId id : found) {
            auto at = std::find(out.ids.begin(), out.ids.end(), id);
            if (removing && at != out.ids.end()) {
                out.ids.erase(at);
                ++changed;
            } else if (!removing && at == out.ids.end()) {
                out.ids.push_back(id);
                ++changed;
            }
        }
        say(std::to_wstring(changed) + (removing ? L" removed" : L" found"));
    }
    if (!out.ids.empty())
        setPreviousSelection(out.ids);
    return true;
}

bool insideAny(const std::vector<Box2d>& windows, const AcGePoint3d& point)
{
    return std::any_of(windows.begin(), windows.end(),
                       [&](const Box2d& box) { return box.contains(AcGePoint2d(point.x, point.y)); });
}

// An entity with every stretch point inside moves whole; one with some inside has those moved;
// one with none stays. False when the entity refused.
bool stretchEntity(AcDbObjectId id, const std::vector<Box2d>& windows, const AcGeVector3d& offset)
{
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
    if (entity.openStatus() != Acad::eOk)
        return false;
    AcGePoint3dArray points;
    if (entity->getStretchPoints(points) != Acad::eOk || points.isEmpty()) {
        // Without stretch points, an entity wholly inside a window still moves with it.
        AcDbExtents extents;
        if (entity->getGeomExtents(extents) != Acad::eOk)
            return true;
        if (insideAny(windows, extents.minPoint()) && insideAny(windows, extents.maxPoint()))
            return entity->transformBy(AcGeMatrix3d::translation(offset)) == Acad::eOk;
        return true;
    }
    AcDbIntArray inside;
    for (int i = 0; i < points.length(); ++i)
        if (insideAny(windows, points[i]))
            inside.append(i);
    if (inside.isEmpty())
        return true;
    if (inside.length() == points.length())
        return entity->transformBy(AcGeMatrix3d::translation(offset)) == Acad::eOk;
    return entity->moveStretchPointsAt(inside, offset) == Acad::eOk;
}

}  // namespace

void stretchCommand()
{
    AcDbDatabase* db = drawing();
    if (db == nullptr)
        return;
    StretchSelection selection;
    if (!selectForStretch(db, selection))
        return;
    std::vector<AcDbObjectId> ids = editableOnly(selection.ids);
    if (ids.empty())
        return;
    if (selection.windows.empty()) {
        say(L"\nNo window: select the points to stretch with a crossing window.");
        return;
    }
    std::optional<AcGeVector3d> displacement = askDisplacement();
    if (!displacement)
        return;
    int refused = 0;
    for (AcDbObjectId id : ids)
        refused += stretchEntity(id, selection.windows, *displacement) ? 0 : 1;
    if (refused > 0)
        say(L"\n" + std::to_wstring(refused) + L" could not be stretched.");
}

}  // namespace kelvora::commands
