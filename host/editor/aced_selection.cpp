// acedEntSel, acedNEntSel, acedNEntSelP and acedSSGet: picks and selection sets answered from the command line.
#include <cstring>
#include <string>

#include "acedads.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbents.h"
#include "kelvora/command_line.h"
#include "kelvora/system_variables.h"
#include "object_selection.h"
#include "picking.h"
#include "text_encoding.h"

namespace kelvora {

namespace {

constexpr std::wstring_view kSelectObject = L"\nSelect object: ";
constexpr std::wstring_view kInvalidSelection = L"\n*Invalid selection*";
// ERRNO after a pick, as the commercial host sets it: a pick of empty space, and Enter.
constexpr long long kErrnoPickMissed = 7;
constexpr long long kErrnoPickNull = 52;

void setErrno(long long value)
{
    systemVariables().set(L"ERRNO", value);
}

AcDbDatabase* workingDatabase()
{
    return acdbHostApplicationServices()->workingDatabase();
}

// The keywords of acedInitGet apply to this pick, then are used up, as with every prompt.
KeywordList takeKeywords(CommandLine& line)
{
    PromptState& state = line.promptState();
    KeywordList keywords;
    if (state.initGetPending)
        keywords = std::move(state.initGetKeywords);
    state.initGetPending = false;
    state.initGetFlags = 0;
    state.initGetKeywords = {};
    state.lastKeyword.reset();
    return keywords;
}

struct PickOutcome {
    int status = RTERROR;
    PickResult pick;
};

// Asks for one entity pick until the answer is a pick, a keyword, Enter or a cancel.
PickOutcome askForPick(const ACHAR* prompt)
{
    PickOutcome outcome;
    CommandLine* line = CommandLine::current();
    AcDbDatabase* db = workingDatabase();
    if (line == nullptr || db == nullptr)
        return outcome;
    KeywordList keywords = takeKeywords(*line);
    std::wstring_view promptText = prompt != nullptr ? std::wstring_view(prompt) : kSelectObject;
    while (true) {
        CommandLine::Answer answer = line->ask(promptText);
        if (answer.kind == CommandLine::Answer::Kind::Cancel) {
            outcome.status = RTCAN;
            return outcome;
        }
        std::wstring_view text = trimBlanks(answer.text);
        if (text.empty()) {
            setErrno(kErrnoPickNull);
            outcome.status = RTERROR;
            return outcome;
        }
        if (const Keyword* keyword = keywords.match(text)) {
            line->promptState().lastKeyword = keyword->global;
            outcome.status = RTKWORD;
            return outcome;
        }
        auto parsed = parsePickAnswer(text, systemVariables().point(L"LASTPOINT", ScriptPoint{}));
        if (!parsed) {
            line->message(kInvalidSelection);
            continue;
        }
        auto pick = resolvePick(db, *parsed);
        if (!pick) {
            setErrno(kErrnoPickMissed);
            outcome.status = RTERROR;
            return outcome;
        }
        setErrno(0);
        outcome.status = RTNORM;
        outcome.pick = *pick;
        return outcome;
    }
}

void storePoint(const AcGePoint3d& p, ads_point out)
{
    if (out == nullptr)
        return;
    out[X] = p.x;
    out[Y] = p.y;
    out[Z] = p.z;
}

// An old-style polyline is picked as the vertex that starts the segment nearest the pick.
AcDbObjectId vertexNear(AcDbObjectId polylineId, const AcGePoint3d& point)
{
    AcDb2dPolyline* polyline = nullptr;
    if (acdbOpenObject(polyline, polylineId, AcDb::kForRead) != Acad::eOk)
        return {};
    AcGePoint3d onCurve;
    double param = 0.0;
    AcDbObjectId vertex;
    if (polyline->getClosestPointTo(point, onCurve) == Acad::eOk &&
        polyline->getParamAtPoint(onCurve, param) == Acad::eOk) {
        long wanted = param > 0.0 ? static_cast<long>(param) : 0;
        AcDbObjectIterator* it = polyline->vertexIterator();
        long index = 0;
        for (; it != nullptr && !it->done(); it->step()) {
            vertex = it->objectId();
            if (index++ == wanted)
                break;
        }
        delete it;
    }
    polyline->close();
    return vertex;
}

struct NestedPick {
    AcDbObjectId entity;
    AcGeMatrix3d toWorld;
    AcDbObjectId container;  // null when the entity is not inside a block
};

NestedPick nestedOf(const PickResult& pick)
{
    NestedPick nested{pick.entity, AcGeMatrix3d::kIdentity, {}};
    if (!pick.nested.isNull() && pick.nested != pick.entity) {
        nested.entity = pick.nested;
        nested.toWorld = pick.nestedToWorld;
        nested.container = pick.entity;
        return nested;
    }
    AcDbObject* object = nullptr;
    if (acdbOpenAcDbObject(object, pick.entity, AcDb::kForRead) == Acad::eOk) {
        bool old = AcDb2dPolyline::cast(object) != nullptr;
        object->close();
        if (old) {
            AcDbObjectId vertex = vertexNear(pick.entity, pick.point);
            if (!vertex.isNull())
                nested.entity = vertex;
        }
    }
    return nested;
}

resbuf* containerList(const NestedPick& nested)
{
    if (nested.container.isNull())
        return nullptr;
    resbuf* rb = acutNewRb(RTENAME);
    if (rb != nullptr && adsNameOf(rb->resval.rlname, nested.container) != Acad::eOk) {
        acutRelRb(rb);
        return nullptr;
    }
    return rb;
}

int nestedPick(const ACHAR* prompt, const ads_point given, ads_name entity, ads_point pickPoint, NestedPick& nested,
               resbuf** containers)
{
    if (containers != nullptr)
        *containers = nullptr;
    PickOutcome outcome;
    if (given != nullptr) {
        auto pick = pickAtPoint(workingDatabase(), AcGePoint3d(given[X], given[Y], given[Z]));
        if (!pick) {
            setErrno(kErrnoPickMissed);
            return RTERROR;
        }
        outcome.status = RTNORM;
        outcome.pick = *pick;
    } else {
        outcome = askForPick(prompt);
    }
    if (outcome.status != RTNORM)
        return outcome.status;
    nested = nestedOf(outcome.pick);
    if (entity == nullptr || adsNameOf(entity, nested.entity) != Acad::eOk)
        return RTERROR;
    storePoint(outcome.pick.point, pickPoint);
    if (containers != nullptr)
        *containers = containerList(nested);
    return RTNORM;
}

bool isMode(std::wstring_view mode, std::wstring_view name)
{
    return equalNoCase(mode, name);
}

SelectionIds filtered(const SelectionIds& ids, const SelectionFilter& filter)
{
    SelectionIds kept;
    for (AcDbObjectId id : ids) {
        if (!id.isErased() && filter.matches(id))
            kept.push_back(id);
    }
    return kept;
}

}  // namespace

}  // namespace kelvora

using namespace kelvora;

int acedEntSel(const ACHAR* prompt, ads_name entity, ads_point pickPoint)
{
    PickOutcome outcome = askForPick(prompt);
    if (outcome.status != RTNORM)
        return outcome.status;
    if (entity == nullptr || adsNameOf(entity, outcome.pick.entity) != Acad::eOk)
        return RTERROR;
    storePoint(outcome.pick.point, pickPoint);
    return RTNORM;
}

int acedNEntSelP(const ACHAR* prompt, ads_name entity, ads_point pickPoint, int pickFlag, ads_matrix xform,
                 resbuf** containers)
{
    NestedPick nested;
    int status = nestedPick(prompt, pickFlag != 0 ? pickPoint : nullptr, entity, pickPoint, nested, containers);
    if (status == RTNORM && xform != nullptr) {
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j)
                xform[i][j] = nested.toWorld(i, j);
        }
    }
    return status;
}

int acedNEntSel(const ACHAR* prompt, ads_name entity, ads_point pickPoint, ads_point xform[4], resbuf** containers)
{
    NestedPick nested;
    int status = nestedPick(prompt, nullptr, entity, pickPoint, nested, containers);
    if (status == RTNORM && xform != nullptr) {
        // Rows of the 4x3 form are the columns of the transform: three axes, then the translation.
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 3; ++j)
                xform[i][j] = nested.toWorld(j, i);
        }
    }
    return status;
}

int acedSSGet(const ACHAR* mode, const void* point1, const void* point2, const resbuf* filter, ads_name selection)
{
    AcDbDatabase* db = workingDatabase();
    if (selection == nullptr || db == nullptr)
        return RTERROR;
    std::unique_ptr<SelectionFilter> compiled = SelectionFilter::compile(filter);
    if (compiled == nullptr)
        return RTERROR;
    std::wstring_view m = mode != nullptr ? trimBlanks(mode) : std::wstring_view();
    if (!m.empty() && m.front() == L'_')
        m.remove_prefix(1);
    const auto* p1 = static_cast<const ads_real*>(point1);
    const auto* p2 = static_cast<const ads_real*>(point2);
    SelectionIds ids;
    bool previousChanges = true;
    if (m.empty() || isMode(m, L".")) {
        if (p1 != nullptr) {
            if (auto pick = pickAtPoint(db, AcGePoint3d(p1[X], p1[Y], p1[Z])))
                ids = filtered({pick->entity}, *compiled);
        } else if (!m.empty()) {
            return RTERROR;
        } else if (int status = selectInteractively(db, compiled.get(), false, ids); status != RTNORM) {
            return status;
        }
    } else if (m.front() == L':') {
        // ":S" single, ":E" everything in the aperture, ":N" nested: one selection line at most.
        if (int status = selectInteractively(db, compiled.get(), true, ids); status != RTNORM)
            return status;
    } else if (isMode(m, L"X")) {
        ids = filtered(everyEntity(db), *compiled);
        previousChanges = false;
    } else if (isMode(m, L"A")) {
        ids = filtered(allSelectable(db), *compiled);
        previousChanges = false;
    } else if (isMode(m, L"L")) {
        AcDbObjectId last = lastEntity(db);
        if (!last.isNull())
            ids = filtered({last}, *compiled);
        previousChanges = false;
    } else if (isMode(m, L"P")) {
        ids = filtered(previousSelection(), *compiled);
        previousChanges = false;
    } else if (isMode(m, L"I")) {
        ids = filtered(pickFirstSelection(), *compiled);
        previousChanges = false;
    } else if (isMode(m, L"W") || isMode(m, L"C")) {
        if (p1 == nullptr || p2 == nullptr)
            return RTERROR;
        Box2d box = Box2d::corners(AcGePoint2d(p1[X], p1[Y]), AcGePoint2d(p2[X], p2[Y]));
        ids = filtered(entitiesInBox(db, box, isMode(m, L"C")), *compiled);
    } else {
        return RTERROR;  // fence and polygon modes are not offered
    }
    if (ids.empty())
        return RTERROR;
    if (previousChanges)
        setPreviousSelection(ids);
    newSelectionSet(std::move(ids), selection);
    return RTNORM;
}
