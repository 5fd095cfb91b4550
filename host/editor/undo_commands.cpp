// The undo commands U, REDO and UNDO (a count, BEgin/End groups, Mark/Back).
#include <string>
#include <vector>

#include "acedads.h"
#include "acutads.h"
#include "dbapserv.h"
#include "kelvora/host_commands.h"
#include "kelvora/undo.h"
#include "session_state.h"

namespace kelvora {

namespace {

constexpr std::size_t kAnswerSize = 256;

// Groups opened by UNDO BEgin and not ended yet, and the marks of UNDO Mark (as step counts).
int g_openGroups = 0;
std::vector<int>& marks()
{
    static std::vector<int> list;
    return list;
}

AcDbDatabase* working()
{
    return acdbHostApplicationServices()->workingDatabase();
}

// U and UNDO first end a group left open, as the commercial host does.
void endOpenGroups(AcDbDatabase* db)
{
    for (; g_openGroups > 0; --g_openGroups)
        endUndoGroup(db);
}

std::wstring stepName(const std::wstring& name)
{
    return name.empty() ? L"GROUP" : name;
}

// Undoes up to `count` steps, printing their names; false when there was nothing to undo.
bool undoSteps(AcDbDatabase* db, int count)
{
    std::wstring names;
    int done = 0;
    for (; done < count; ++done) {
        if (undoStepCount(db) == 0)
            break;
        std::wstring name = stepName(nextUndoStepName(db));
        if (undo(1, db) != 1)
            break;
        names += (names.empty() ? L"" : L" ") + name;
    }
    if (!names.empty())
        acutPrintf(L"\n%s", names.c_str());
    if (done < count)
        acutPrintf(L"\nEverything has been undone");
    auto& m = marks();
    while (!m.empty() && m.back() > undoStepCount(db))
        m.pop_back();
    return done > 0;
}

void uCommand()
{
    AcDbDatabase* db = working();
    if (db == nullptr)
        return;
    endOpenGroups(db);
    undoSteps(db, 1);
}

void redoCommand()
{
    AcDbDatabase* db = working();
    if (db == nullptr)
        return;
    endOpenGroups(db);
    if (redoStepCount(db) == 0) {
        acutPrintf(L"\nNothing to redo.");
        return;
    }
    redo(1, db);
}

void askAndIgnore(const ACHAR* prompt)
{
    ACHAR answer[kAnswerSize] = L"";
    acedGetString(0, prompt, answer);
}

void undoCommand()
{
    AcDbDatabase* db = working();
    if (db == nullptr)
        return;
    acedInitGet(RSG_NONEG | RSG_NOZERO, L"Auto Control BEgin End Mark Back");
    int count = 1;
    int status = acedGetInt(L"\nEnter the number of operations to undo or [Auto/Control/BEgin/End/Mark/Back] <1>: ",
                            &count);
    if (status == RTKWORD) {
        ACHAR keyword[kAnswerSize] = L"";
        acedGetInput(keyword);
        std::wstring_view word = keyword;
        if (word == L"BEgin") {
            beginUndoGroup(db);
            ++g_openGroups;
        } else if (word == L"End") {
            if (g_openGroups > 0) {
                endUndoGroup(db);
                --g_openGroups;
            }
        } else if (word == L"Mark") {
            endOpenGroups(db);
            marks().push_back(undoStepCount(db));
        } else if (word == L"Back") {
            endOpenGroups(db);
            int target = marks().empty() ? 0 : marks().back();
            if (!marks().empty())
                marks().pop_back();
            undoSteps(db, undoStepCount(db) - target);
        } else if (word == L"Auto") {
            askAndIgnore(L"\nEnter UNDO Auto mode [ON/OFF] <On>: ");
        } else if (word == L"Control") {
            askAndIgnore(L"\nEnter an UNDO control option [All/None/One/Combine/Layer] <All>: ");
        }
        return;
    }
    if (status == RTNONE)
        count = 1;
    else if (status != RTNORM)
        return;
    endOpenGroups(db);
    undoSteps(db, count);
}

}  // namespace

void resetUndoCommandState()
{
    g_openGroups = 0;
    marks().clear();
}

}  // namespace kelvora

KELVORA_HOST_COMMAND_FLAGS(U, kelvora::uCommand, ACRX_CMD_NO_UNDO_MARKER);
KELVORA_HOST_COMMAND_FLAGS(REDO, kelvora::redoCommand, ACRX_CMD_NO_UNDO_MARKER);
KELVORA_HOST_COMMAND_FLAGS(UNDO, kelvora::undoCommand, ACRX_CMD_NO_UNDO_MARKER);
