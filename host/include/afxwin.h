// The MFC-like window layer: CWnd, CDialog and the common controls, data exchange, message maps, message boxes.
//
// Dialogs are modal and scripted: DoModal shows the dialog's template (kelvora/dialog_template.h)
// in the transcript, runs OnInitDialog, then reads the "@" lines of the script that act on it
// (set a control, click a button, OK, Cancel) and returns IDOK or IDCANCEL. Control objects
// carry no state of their own: all of it lives in the window their handle names, so that a
// pointer from GetDlgItem may be cast to the control's class, as MFC code does.
#pragma once

#include "afxstr.h"
#include "kelvora/win32.h"

#define afx_msg
#define AFX_MSG_CALL
// Checks of MFC's debug build; this host has only the release behaviour.
#define ASSERT(f) ((void)0)
#define ASSERT_VALID(p) ((void)0)
#define VERIFY(f) ((void)(f))
#define TRACE(...) ((void)0)

// ---- run-time class information (DECLARE_DYNAMIC / IMPLEMENT_DYNAMIC / RUNTIME_CLASS)

struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

#define RUNTIME_CLASS(className) (&className::class##className)
#define DECLARE_DYNAMIC(className)                     \
public:                                                \
    static const CRuntimeClass class##className;       \
    virtual const CRuntimeClass* GetRuntimeClass() const;
#define IMPLEMENT_DYNAMIC(className, baseClassName)                                           \
    const CRuntimeClass className::class##className = {#className, RUNTIME_CLASS(baseClassName)}; \
    const CRuntimeClass* className::GetRuntimeClass() const { return RUNTIME_CLASS(className); }
#define DECLARE_DYNCREATE(className) DECLARE_DYNAMIC(className)
#define IMPLEMENT_DYNCREATE(className, baseClassName) IMPLEMENT_DYNAMIC(className, baseClassName)

class CObject {
public:
    static const CRuntimeClass classCObject;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;
};

// ---- message maps
//
// BEGIN_MESSAGE_MAP(CMyDialog, CAdUiDialog)
//     ON_BN_CLICKED(IDC_PICK, &CMyDialog::OnPick)
//     ON_CBN_SELCHANGE(IDC_LIST, &CMyDialog::OnListChanged)
//     ON_NOTIFY(LVN_COLUMNCLICK, IDC_VIEW, &CMyDialog::OnColumnClick)
// END_MESSAGE_MAP()
//
// Handlers are named as member pointers (&Class::Handler), as standard C++ requires. Each
// entry keeps a small function that calls the handler with its own signature, so no member
// pointer is ever cast.

class CCmdTarget;
struct NMHDR;
typedef void (*AFX_MSG_THUNK)(CCmdTarget* target, UINT id, NMHDR* header, LRESULT* result);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // WM_COMMAND or WM_NOTIFY; 0 ends the map
    UINT nCode;     // the notification code
    UINT nID;       // the control id, or the first of a range
    UINT nLastID;
    AFX_MSG_THUNK pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                         \
protected:                                            \
    static const AFX_MSGMAP* GetThisMessageMap();     \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                            \
    {                                                                          \
        typedef baseClass TheBaseClass;                                        \
        static const AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                                   \
    {0, 0, 0, 0, nullptr}                                                                   \
    }                                                                                       \
    ;                                                                                       \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &messageEntries[0]}; \
    return &messageMap;                                                                     \
    }

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // The wait cursor of a screen; a script has none.
    void BeginWaitCursor() {}
    void EndWaitCursor() {}
    void RestoreWaitCursor() {}

    // Runs the first handler of the message maps (this class's, then its bases') for the
    // message; false when none handles it.
    bool dispatchMessageMap(UINT message, UINT code, UINT id, NMHDR* header, LRESULT* result);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

namespace kelvora::afx {

template <typename F>
struct HandlerClass;
template <typename C, typename R, typename... A>
struct HandlerClass<R (C::*)(A...)> {
    using type = C;
};

template <auto Handler>
void commandThunk(CCmdTarget* target, UINT, NMHDR*, LRESULT*)
{
    using C = typename HandlerClass<decltype(Handler)>::type;
    (static_cast<C*>(target)->*Handler)();
}

template <auto Handler>
void rangeThunk(CCmdTarget* target, UINT id, NMHDR*, LRESULT*)
{
    using C = typename HandlerClass<decltype(Handler)>::type;
    (static_cast<C*>(target)->*Handler)(id);
}

template <auto Handler>
void notifyThunk(CCmdTarget* target, UINT, NMHDR* header, LRESULT* result)
{
    using C = typename HandlerClass<decltype(Handler)>::type;
    (static_cast<C*>(target)->*Handler)(header, result);
}

}  // namespace kelvora::afx

#define ON_COMMAND(id, memberFxn) {WM_COMMAND, 0u, (UINT)(id), (UINT)(id), &::kelvora::afx::commandThunk<memberFxn>},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, 0u, (UINT)(id), (UINT)(idLast), &::kelvora::afx::rangeThunk<memberFxn>},
#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), &::kelvora::afx::commandThunk<memberFxn>},
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
    {WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(idLast), &::kelvora::afx::rangeThunk<memberFxn>},
#define ON_NOTIFY(code, id, memberFxn) \
    {WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), &::kelvora::afx::notifyThunk<memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)

// ---- windows

class CDataExchange;

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object for a window: the one attached to it (DDX_Control, the dialog itself) or one
    // kept by the host, of the class that suits the control. Null for a dead handle.
    static CWnd* FromHandle(HWND window);
    BOOL Attach(HWND window);
    HWND Detach();

    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;

    void SetWindowText(LPCTSTR text);
    int GetWindowText(LPTSTR buffer, int bufferSize) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;

    BOOL EnableWindow(BOOL enable = TRUE);  // the previous state: nonzero when it was disabled
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int command);           // nonzero when it was visible
    BOOL IsWindowVisible() const;
    CWnd* SetFocus();
    CWnd* SetActiveWindow();
    BOOL SetForegroundWindow();
    void BringWindowToTop();
    void CenterWindow(CWnd* alternateOwner = NULL);
    void Invalidate(BOOL erase = TRUE);
    void UpdateWindow();
    void SetRedraw(BOOL redraw = TRUE);

    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);

    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);

    // Messages are handled at once; PostMessage does the same as SendMessage.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    int MessageBox(LPCTSTR text, LPCTSTR caption = NULL, UINT type = MB_OK);
    BOOL OpenClipboard();
    BOOL DestroyWindow();

    // Dialog data exchange: UpdateData(FALSE) fills the controls, UpdateData(TRUE) reads and
    // checks them, FALSE when a value was refused.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* dx);

    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, LPTSTR buffer, int bufferSize) const;
    int GetDlgItemText(int id, CString& text) const;
    UINT GetDlgItemInt(int id, BOOL* translated = NULL, BOOL isSigned = TRUE) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId);
};

// A modal dialog of the host.
class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = NULL);

    // Shows the dialog and runs it until it ends; IDOK, IDCANCEL (or what EndDialog gave),
    // -1 when its template is not in the current resources.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    virtual BOOL OnInitDialog();  // fills the controls (UpdateData(FALSE))
    virtual void OnOK();          // reads them back (UpdateData(TRUE)) and ends with IDOK
    virtual void OnCancel();      // ends with IDCANCEL

    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl() const {}
    void PrevDlgCtrl() const {}
    void SetDefID(UINT id);
    DWORD GetDefID() const;

    UINT m_nIDHelp = 0;

protected:
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;
    HINSTANCE m_hDialogResource = nullptr;  // null: AfxGetResourceHandle() when it runs

    DECLARE_MESSAGE_MAP()
};

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    int GetCheck() const;
    void SetCheck(int check);
    UINT GetState() const;
    void SetState(BOOL highlight);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
    void SetLimitText(UINT maxCharacters);
    void LimitText(int maxCharacters = 0);
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE);
};

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
};

// A combo box. Item texts are searched without regard to case: FindString by beginning,
// FindStringExact by the whole text. A sorted one (CBS_SORT) inserts each new item in order.
class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);  // -1 clears the selection; CB_ERR for an index out of range
    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetLBText(int index, LPTSTR buffer) const;  // buffer of GetLBTextLen + 1 characters
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;
    int FindString(int startAfter, LPCTSTR text) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
    int SelectString(int startAfter, LPCTSTR text);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void ShowDropDown(BOOL show = TRUE);
    BOOL GetDroppedState() const;
    BOOL LimitText(int maxCharacters);
    BOOL SetEditSel(int start, int end);
};

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetText(int index, LPTSTR buffer) const;
    void GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    int FindString(int startAfter, LPCTSTR text) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
    int SelectString(int startAfter, LPCTSTR text);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
};

// The host's main window and views: a dialog hides itself and enables the main window while
// the user picks in the drawing.
class CFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CFrameWnd)
};
class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNAMIC(CMDIFrameWnd)
};
class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
};

// ---- dialog data exchange

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;

    // The control with that id, or null (reported on standard error) when the dialog has none.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);

    // A value was refused: MFC throws here; this host marks the exchange failed instead, and
    // every later DDX_ and DDV_ call of it does nothing, so nothing more is read or changed.
    void Fail() { m_failed = true; }
    bool failed() const { return m_failed; }

private:
    bool m_failed = false;
};

// A refused value writes "\nRefused: CONTROL must be ..." to the transcript (CONTROL as the
// script addressed it, or its id) and fails the exchange: the dialog stays open.
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, short& value);
void DDX_Text(CDataExchange* dx, int id, float& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
void DDX_Radio(CDataExchange* dx, int firstId, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
void DDX_CBStringExact(CDataExchange* dx, int id, CString& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBString(CDataExchange* dx, int id, CString& value);
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// Range checks on the value the last DDX_ read ("between MIN and MAX", the bounds as %g).
void DDV_MinMaxInt(CDataExchange* dx, int value, int min, int max);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT min, UINT max);
void DDV_MinMaxLong(CDataExchange* dx, long value, long min, long max);
void DDV_MinMaxShort(CDataExchange* dx, short value, short min, short max);
void DDV_MinMaxFloat(CDataExchange* dx, float value, float min, float max);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double min, double max);
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxCharacters);

// ---- application-wide functions

// A message box without caption: "Kelvora".
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);

// Where CDialog finds its template: the current resource module.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);
CWnd* AfxGetMainWnd();

// Shows the wait cursor of a screen for its lifetime; a script has none.
class CWaitCursor {
public:
    CWaitCursor() = default;
    void Restore() {}
};
