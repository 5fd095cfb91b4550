// The module's own instance (resource) handle, known once the library is attached.
#pragma once

#include "afxwin.h"

namespace kelvora::app {

HINSTANCE moduleInstance();

}  // namespace kelvora::app
