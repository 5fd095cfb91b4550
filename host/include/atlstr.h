// CString for code that uses it without the window layer.
#pragma once

#include "afxstr.h"
