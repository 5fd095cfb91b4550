// The module's dialog templates, added to its resource module when the library is attached.
#pragma once

#include "afxwin.h"

namespace kelvora::resources {

void addModuleDialogTemplates(HINSTANCE module);
// The special-line dialog (XPOLYDIAL, 103); addModuleDialogTemplates adds it with the others.
void addXpolyDialogTemplate(HINSTANCE module);
// The slope dialogs (DlgTalus 106, CParamTalus 108).
void addSlopeDialogTemplates(HINSTANCE module);

}  // namespace kelvora::resources
