// The command loop: reads commands at the command prompt and hands them to the command table.
#pragma once

#include "kelvora/command_line.h"

namespace kelvora {

// What runs a command: the host's commands and the module's, through the command stack.
class CommandDispatcher {
public:
    virtual ~CommandDispatcher() = default;

    // Runs the command to its end; false when no command has that name.
    virtual bool run(const CommandName& command) = 0;
};

// Reads and runs commands until the input ends or the script stops on an error. An unknown
// command stops a script (status 1) and is only reported at a terminal. True when the script
// ran to its end.
bool runCommandLoop(CommandLine& line, CommandDispatcher& dispatcher);

}  // namespace kelvora
