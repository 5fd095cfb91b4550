// The host's drawing and editing commands: one handler each, and the table that names them.
#pragma once

#include <span>

#include "AdAChar.h"

namespace kelvora::commands {

// Each handler runs one command to its end, reading its answers through the prompt functions.
void lineCommand();
void plineCommand();
void circleCommand();
void arcCommand();
void pointCommand();
void textCommand();
void splineCommand();
void ellipseCommand();
void layerCommand();
void styleCommand();
void blockCommand();
void insertCommand();
void moveCommand();
void copyCommand();
void rotateCommand();
void scaleCommand();
void stretchCommand();
void explodeCommand();

struct DrawingCommand {
    const ACHAR* name;  // global and local name alike
    void (*handler)();
};

// Every command above, in the order of the table. Each one is registered as a host command of
// group "ACAD" (kelvora/host_commands.h), so the command prompt runs it as one undo step.
std::span<const DrawingCommand> drawingCommands();

}  // namespace kelvora::commands
