// Finding and running commands: the host's command list, name resolution, one undo step per command, drawing after it.
#include "kelvora/host_commands.h"

#include <string>
#include <vector>

#include "adscodes.h"
#include "acutads.h"
#include "command_stack_impl.h"
#include "dbapserv.h"
#include "kelvora/applications.h"
#include "kelvora/drawing_display.h"
#include "kelvora/undo.h"
#include "object_selection.h"

namespace kelvora {

namespace {

struct ListedCommand {
    const ACHAR* name;
    AcRxFunctionPtr function;
    Adesk::Int32 flags;
};

std::vector<ListedCommand>& listedCommands()
{
    static std::vector<ListedCommand> commands;
    return commands;
}

// How many commands are running, one inside another (acedCmd from a command).
int g_depth = 0;

AcEdCommand* lookIn(HostCommandStack& stack, const ACHAR* group, const std::wstring& name, bool global)
{
    if (group != nullptr)
        return stack.lookupInGroup(group, name.c_str(), global);
    return static_cast<AcEdCommandStack&>(stack).lookupCmd(name.c_str(), global);
}

}  // namespace

Acad::ErrorStatus addHostCommand(const ACHAR* name, AcRxFunctionPtr function, Adesk::Int32 flags)
{
    AcEdCommandStack& stack = hostCommandStack();
    return stack.addCommand(kHostCommandGroup, name, name, flags, function);
}

HostCommandRegistrar::HostCommandRegistrar(const ACHAR* name, AcRxFunctionPtr function, Adesk::Int32 flags)
{
    listedCommands().push_back({name, function, flags});
}

void registerHostCommands()
{
    HostCommandStack& stack = hostCommandStack();
    for (const ListedCommand& command : listedCommands()) {
        if (stack.lookupInGroup(kHostCommandGroup, command.name, true) == nullptr)
            addHostCommand(command.name, command.function, command.flags);
    }
}

AcEdCommand* findCommand(const CommandName& name)
{
    if (name.name.empty())
        return nullptr;
    HostCommandStack& stack = hostCommandStack();
    const ACHAR* group = name.builtIn ? kHostCommandGroup : nullptr;
    const std::wstring underscored = L"_" + name.name;
    if (name.global) {
        if (AcEdCommand* c = lookIn(stack, group, name.name, true))
            return c;
        if (AcEdCommand* c = lookIn(stack, group, underscored, true))
            return c;
        return lookIn(stack, group, name.name, false);
    }
    if (AcEdCommand* c = lookIn(stack, group, name.name, false))
        return c;
    if (AcEdCommand* c = lookIn(stack, group, name.name, true))
        return c;
    return lookIn(stack, group, underscored, true);
}

bool runCommand(const CommandName& name)
{
    AcEdCommand* command = findCommand(name);
    if (command == nullptr)
        return false;
    // Copied first: a command may remove itself (ARX U of its own group) while it runs.
    AcRxFunctionPtr function = command->functionAddr();
    const Adesk::Int32 flags = command->commandFlags();
    void* app = command->commandApp();
    const std::wstring stepName = command->localName();
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    const bool undoStep = db != nullptr && (flags & ACRX_CMD_NO_UNDO_MARKER) == 0;
    ++g_depth;
    if (undoStep)
        beginCommandUndo(stepName.c_str(), db);
    if (function != nullptr) {
        RunningApplication running(app);
        function();
    }
    if (undoStep)
        endCommandUndo(db);
    --g_depth;
    if (g_depth == 0) {
        if (AcDbDatabase* working = acdbHostApplicationServices()->workingDatabase())
            drawingDisplay().redrawChanged(working);
    }
    return true;
}

int selectObjects(std::vector<AcDbObjectId>& ids)
{
    ids.clear();
    int status = selectInteractively(acdbHostApplicationServices()->workingDatabase(), nullptr, false, ids);
    if (status == RTNORM && !ids.empty())
        setPreviousSelection(ids);
    return status;
}

void reportLockedLayer(int count)
{
    if (count > 0)
        acutPrintf(L"\n%d was on a locked layer.", count);
}

}  // namespace kelvora
