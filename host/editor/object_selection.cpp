// Object selection lines: selectors, the interactive loop of acedSSGet, and the sets of ALL and of mode "X".
#include "object_selection.h"

#include <algorithm>
#include <string>

#include "acedads.h"
#include "dbsymtb.h"
#include "kelvora/command_line.h"
#include "kelvora/system_variables.h"
#include "picking.h"
#include "text_encoding.h"

namespace kelvora {

namespace {

constexpr std::wstring_view kSelectPrompt = L"\nSelect objects: ";
constexpr std::wstring_view kRemovePrompt = L"\nRemove objects: ";
constexpr std::wstring_view kInvalidSelection = L"\n*Invalid selection*";

bool isWord(std::wstring_view text, std::wstring_view shortForm, std::wstring_view longForm)
{
    return equalNoCase(text, shortForm) || equalNoCase(text, longForm);
}

bool layerFrozen(AcDbObjectId layerId)
{
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, layerId, AcDb::kForRead) != Acad::eOk)
        return false;
    bool frozen = layer->isFrozen();
    layer->close();
    return frozen;
}

void appendLive(AcDbObjectId spaceId, SelectionIds& ids, bool skipFrozen)
{
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, spaceId, AcDb::kForRead) != Acad::eOk)
        return;
    std::vector<AcDbObjectId> entities = space->entityIds();
    space->close();
    for (AcDbObjectId id : entities) {
        if (id.isErased())
            continue;
        if (skipFrozen) {
            AcDbEntity* entity = nullptr;
            if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) == Acad::eOk) {
                AcDbObjectId layer = entity->layerId();
                entity->close();
                if (layerFrozen(layer))
                    continue;
            }
        }
        ids.push_back(id);
    }
}

// "x1,y1 x2,y2": two points separated by blanks.
bool parseTwoPoints(std::wstring_view text, AcGePoint2d& a, AcGePoint2d& b)
{
    text = trimBlanks(text);
    std::size_t gap = text.find_first_of(L" \t");
    if (gap == std::wstring_view::npos)
        return false;
    ScriptPoint last = systemVariables().point(L"LASTPOINT", ScriptPoint{});
    auto first = parsePoint(text.substr(0, gap), last);
    auto second = parsePoint(trimBlanks(text.substr(gap)), first.value_or(last));
    if (!first || !second)
        return false;
    a = AcGePoint2d(first->x, first->y);
    b = AcGePoint2d(second->x, second->y);
    return true;
}

// The two corners of a window asked one a line.
bool askCorners(AcGePoint2d& a, AcGePoint2d& b)
{
    ads_point first{0.0, 0.0, 0.0};
    ads_point second{0.0, 0.0, 0.0};
    if (acedGetPoint(nullptr, L"\nSpecify first corner: ", first) != RTNORM)
        return false;
    if (acedGetCorner(first, L"\nSpecify opposite corner: ", second) != RTNORM)
        return false;
    a = AcGePoint2d(first[X], first[Y]);
    b = AcGePoint2d(second[X], second[Y]);
    return true;
}

std::wstring foundText(std::size_t found, std::size_t duplicates)
{
    std::wstring text = std::to_wstring(found) + L" found";
    if (duplicates > 0)
        text += L" (" + std::to_wstring(duplicates) + L" duplicate)";
    return text;
}

}  // namespace

SelectionIds allSelectable(AcDbDatabase* db)
{
    SelectionIds ids;
    if (db != nullptr)
        appendLive(db->modelSpaceId(), ids, true);
    return ids;
}

SelectionIds everyEntity(AcDbDatabase* db)
{
    SelectionIds ids;
    if (db == nullptr)
        return ids;
    appendLive(db->modelSpaceId(), ids, false);
    appendLive(db->paperSpaceId(), ids, false);
    return ids;
}

std::optional<SelectorResult> applySelector(AcDbDatabase* db, std::wstring_view line)
{
    std::wstring_view text = trimBlanks(line);
    SelectorResult result;
    std::size_t gap = text.find_first_of(L" \t");
    std::wstring_view word = text.substr(0, gap);
    bool window = isWord(word, L"W", L"WINDOW");
    bool crossing = isWord(word, L"C", L"CROSSING");
    if (window || crossing) {
        AcGePoint2d a;
        AcGePoint2d b;
        bool ok = gap == std::wstring_view::npos ? askCorners(a, b) : parseTwoPoints(text.substr(gap), a, b);
        if (!ok) {
            if (gap == std::wstring_view::npos) {
                result.kind = SelectorResult::Kind::Cancel;
                return result;
            }
            return std::nullopt;
        }
        result.ids = entitiesInBox(db, Box2d::corners(a, b), crossing);
        return result;
    }
    if (gap != std::wstring_view::npos)
        return std::nullopt;
    if (isWord(text, L"ALL", L"ALL")) {
        result.ids = allSelectable(db);
        return result;
    }
    if (isWord(text, L"L", L"LAST")) {
        AcDbObjectId last = lastEntity(db);
        if (!last.isNull())
            result.ids.push_back(last);
        return result;
    }
    if (isWord(text, L"P", L"PREVIOUS")) {
        for (AcDbObjectId id : previousSelection()) {
            if (!id.isErased())
                result.ids.push_back(id);
        }
        return result;
    }
    if (isWord(text, L"R", L"REMOVE")) {
        result.kind = SelectorResult::Kind::Remove;
        return result;
    }
    if (isWord(text, L"A", L"ADD")) {
        result.kind = SelectorResult::Kind::Add;
        return result;
    }
    auto answer = parsePickAnswer(text, systemVariables().point(L"LASTPOINT", ScriptPoint{}));
    if (!answer)
        return std::nullopt;
    if (auto pick = resolvePick(db, *answer))
        result.ids.push_back(pick->entity);
    return result;
}

int selectInteractively(AcDbDatabase* db, const SelectionFilter* filter, bool single, SelectionIds& out)
{
    CommandLine* line = CommandLine::current();
    if (line == nullptr || db == nullptr)
        return RTERROR;
    bool removing = false;
    while (true) {
        CommandLine::Answer answer = line->ask(removing ? kRemovePrompt : kSelectPrompt);
        if (answer.kind == CommandLine::Answer::Kind::Cancel)
            return RTCAN;
        if (trimBlanks(answer.text).empty())
            return RTNORM;
        std::optional<SelectorResult> selected = applySelector(db, answer.text);
        if (!selected) {
            line->message(kInvalidSelection);
            continue;
        }
        switch (selected->kind) {
        case SelectorResult::Kind::Cancel:
            return RTCAN;
        case SelectorResult::Kind::Remove:
            removing = true;
            continue;
        case SelectorResult::Kind::Add:
            removing = false;
            continue;
        case SelectorResult::Kind::Found:
            break;
        }
        SelectionIds found;
        for (AcDbObjectId id : selected->ids) {
            if ((filter == nullptr || filter->matches(id)) && std::find(found.begin(), found.end(), id) == found.end())
                found.push_back(id);
        }
        if (removing) {
            std::size_t removed = 0;
            for (AcDbObjectId id : found)
                removed += static_cast<std::size_t>(std::erase(out, id));
            line->message(std::to_wstring(removed) + L" removed");
            continue;
        }
        std::size_t duplicates = 0;
        for (AcDbObjectId id : found) {
            if (std::find(out.begin(), out.end(), id) != out.end())
                ++duplicates;
            else
                out.push_back(id);
        }
        line->message(foundText(found.size(), duplicates));
        if (single && !found.empty())
            return RTNORM;
    }
}

}  // namespace kelvora
