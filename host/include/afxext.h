// Extensions of the MFC-like layer: the common controls.
#pragma once

#include "afxcmn.h"
#include "afxwin.h"
