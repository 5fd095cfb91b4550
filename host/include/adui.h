// The host's dialog base classes (CAdUiBaseDialog, CAdUiDialog) on top of the MFC-like layer.
#pragma once

#include "afxcmn.h"
#include "afxwin.h"

class CAdUiBaseDialog : public CDialog {
    DECLARE_DYNAMIC(CAdUiBaseDialog)
public:
    // `dialogResource` names the resource module of the template; null takes the current one
    // (AfxGetResourceHandle) when the dialog runs.
    explicit CAdUiBaseDialog(UINT templateId, CWnd* parent = NULL, HINSTANCE dialogResource = NULL);
};

class CAdUiDialog : public CAdUiBaseDialog {
    DECLARE_DYNAMIC(CAdUiDialog)
public:
    explicit CAdUiDialog(UINT templateId, CWnd* parent = NULL, HINSTANCE dialogResource = NULL);

    // A button that needs the drawing (a pick, a selection) hides the dialog and enables the
    // main window first, then shows the dialog again: BeginEditorCommand, the prompts,
    // CompleteEditorCommand (or CancelEditorCommand, which also ends the dialog with Cancel).
    void BeginEditorCommand();
    void CompleteEditorCommand(BOOL restoreDialogs = TRUE);
    void CancelEditorCommand();
};
