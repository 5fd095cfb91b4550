// The command loop of a script or terminal session.
#include "kelvora/command_loop.h"

namespace kelvora {

bool runCommandLoop(CommandLine& line, CommandDispatcher& dispatcher)
{
    while (true) {
        CommandRequest request = line.readCommand();
        if (request.kind == CommandRequest::Kind::EndOfInput)
            break;
        if (!dispatcher.run(request.command)) {
            line.unknownCommand(request.command.name);
            continue;
        }
        line.rememberCommand(request.command);
    }
    return !line.failed();
}

}  // namespace kelvora
