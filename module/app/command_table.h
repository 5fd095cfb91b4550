// The module's commands: the table of names, flags and handlers registered in the group "KELVORA".
#pragma once

#include <span>

#include "accmd.h"

namespace kelvora::app {

inline constexpr const ACHAR* kCommandGroup = ACRX_T("KELVORA");

struct CommandEntry {
    const ACHAR* globalName;
    const ACHAR* localName;
    Adesk::Int32 flags;
    AcRxFunctionPtr handler;
};

// The 24 commands in registration order.
std::span<const CommandEntry> commandTable();

// Adds every command of the table to the command stack; failures are not reported.
void registerCommands();
// Removes the whole group.
void unregisterCommands();

}  // namespace kelvora::app
