// Checks of freshly read raw records: text decoding and handle checks.
#pragma once

#include "kelvora/dxf_diagnostics.h"
#include "kelvora/dxf_raw.h"

namespace kelvora {

// Decodes every string value to UTF-8 by the drawing's $ACADVER and $DWGCODEPAGE,
// with one warning per kind of irregularity (UTF-8 in a code-page file, bytes
// that are no text, an unknown code page).
void decodeDxfRawText(DxfRawDrawing& drawing, DxfDiagnostics& diagnostics);

// Flags a record whose handle is 0 or not hexadecimal.
void checkDxfRecordHandle(const DxfRecord& record, DxfDiagnostics& diagnostics);

}  // namespace kelvora
