// The host's own commands (group "ACAD"), how to add one, and how the command prompt finds and runs commands.
#pragma once

#include <vector>

#include "accmd.h"
#include "dbid.h"
#include "kelvora/command_loop.h"

class AcDbDatabase;

// Adding a host command
// ---------------------
// A host command is a function without arguments, like an application's: it asks through the
// prompt functions (acedads.h: acedGetPoint, acedSSGet, acedEntSel ...), prints with acutPrintf and
// changes the working database (acdbHostApplicationServices()->workingDatabase()). In its .cpp,
// at namespace scope:
//
//     namespace {
//     void lineCommand() { ... }
//     }
//     KELVORA_HOST_COMMAND(LINE, lineCommand);
//
// That registers LINE (global and local name) in group "ACAD" when the program starts
// (registerHostCommands). The command loop then runs it for "LINE", "line", "_LINE", "_.LINE":
// as one undo step, with the running application unset, and, once it returns, draws every entity
// it added or changed (so picks of the next command see them). Nothing else is needed: no undo
// group, no redraw, no "Command:" prompt.
//
// Conventions the host's commands follow:
// - Object selection: acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) reads "Select objects: "
//   lines (see selectObjects below for the same into a vector), then acedSSFree.
// - An entity on a locked layer refuses acdbOpenAcDbEntity(..., kForWrite) with eOnLockedLayer:
//   count those and call reportLockedLayer(count) once at the end ("\nN was on a locked layer.").
// - Reals shown to the user go through acdbRToS(value, -1, -1, ...) (LUNITS and LUPREC).
// - A command ended by ^C keeps what it already did (LINE keeps its segments).

namespace kelvora {

inline constexpr const ACHAR* kHostCommandGroup = ACRX_T("ACAD");

// Adds a command to group "ACAD" with `name` as both global and local name.
Acad::ErrorStatus addHostCommand(const ACHAR* name, AcRxFunctionPtr function, Adesk::Int32 flags = ACRX_CMD_MODAL);

// Puts a command on the list registerHostCommands adds (see KELVORA_HOST_COMMAND).
class HostCommandRegistrar {
public:
    HostCommandRegistrar(const ACHAR* name, AcRxFunctionPtr function, Adesk::Int32 flags = ACRX_CMD_MODAL);
};

// Adds every listed host command that the stack does not hold yet (safe to call again).
void registerHostCommands();

// The command a command-prompt name runs: the "." form looks in group "ACAD" only; "_NAME" looks
// at global names ("NAME", then "_NAME", as some applications register them), then local names;
// "NAME" at local names, then global names. Groups are searched from the top of the stack down.
AcEdCommand* findCommand(const CommandName& name);

// Runs a command as the command prompt does (undo step, running application, drawing what
// changed); false when no command has that name.
bool runCommand(const CommandName& name);

// The dispatcher the program gives runCommandLoop.
class HostCommandDispatcher final : public CommandDispatcher {
public:
    bool run(const CommandName& command) override { return runCommand(command); }
};

// Object selection for commands: "Select objects: " lines until Enter, into `ids` (in the order
// found). RTNORM (possibly with nothing selected) or RTCAN. The selection becomes "Previous".
int selectObjects(std::vector<AcDbObjectId>& ids);

// "\nN was on a locked layer." when count > 0.
void reportLockedLayer(int count);

}  // namespace kelvora

#define KELVORA_HOST_COMMAND(NAME, FUNCTION)                                                          \
    static const ::kelvora::HostCommandRegistrar kelvoraHostCommand##NAME(ACRX_T(#NAME), &FUNCTION)
#define KELVORA_HOST_COMMAND_FLAGS(NAME, FUNCTION, FLAGS)                                             \
    static const ::kelvora::HostCommandRegistrar kelvoraHostCommand##NAME(ACRX_T(#NAME), &FUNCTION, FLAGS)
