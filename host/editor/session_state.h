// State the editor keeps between commands, reset when a drawing session starts or ends.
#pragma once

namespace kelvora {

// Groups left open by UNDO BEgin and the marks of UNDO Mark.
void resetUndoCommandState();

}  // namespace kelvora
