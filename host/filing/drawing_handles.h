// Handles of a drawing read: every record gets one that is usable, unique and above none of the seed's room.
#pragma once

#include <cstdint>

#include "kelvora/dxf_diagnostics.h"
#include "kelvora/dxf_raw.h"

namespace kelvora {

// Handles at or above this are refused: the database must be able to hand out handles above every
// handle of the drawing, and 64-bit handles leave that room only below it.
inline constexpr std::uint64_t kHighestUsableHandle = (std::uint64_t{1} << 62) - 1;

// Gives a new handle, above every good one, to each record that has none (R12 files without
// $HANDLING, or a careless writer), a handle that is no hexadecimal number, 0, one out of range, or
// the handle of a record met earlier (a warning names the record and its new handle; a missing
// handle is repaired silently in an R12 file, which may go without). Answers the highest handle
// of the drawing afterwards (0 for a drawing without records).
std::uint64_t repairDrawingHandles(DxfRawDrawing& drawing, DxfDiagnostics& diagnostics);

}  // namespace kelvora
