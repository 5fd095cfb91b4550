// The host application seen from a module: its main window and drawing view (for dialogs that hide and show).
#pragma once

#include "kelvora/win32.h"

class CMDIFrameWnd;
class CView;

// The host's main window, and the view of the drawing (include afxwin.h to use them).
CMDIFrameWnd* acedGetAcadFrame();
CView* acedGetAcadDwgView();
// The main window's handle.
HWND adsw_acadMainWnd();
