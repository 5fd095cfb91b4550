// The stored dialog templates of the resource modules, looked up when a dialog runs.
#pragma once

#include "kelvora/dialog_template.h"

namespace kelvora {

// The template of dialog `id` in `module`, or null; the pointers in it stay valid until the
// module is destroyed.
const DialogTemplate* findDialogTemplate(HINSTANCE module, UINT id);

}  // namespace kelvora
