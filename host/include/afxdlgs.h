// The dialog classes of the MFC-like layer (all declared in afxwin.h).
#pragma once

#include "afxwin.h"
