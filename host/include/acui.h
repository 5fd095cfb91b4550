// The application dialog class (CAcUiDialog) on top of the host's dialog base classes.
#pragma once

#include "adui.h"

class CAcUiDialog : public CAdUiDialog {
    DECLARE_DYNAMIC(CAcUiDialog)
public:
    explicit CAcUiDialog(UINT templateId, CWnd* parent = NULL, HINSTANCE dialogResource = NULL);
};
