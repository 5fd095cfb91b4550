// CObject, CCmdTarget and CWnd, and the Win32 window functions, over the host's window records.
#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "aced.h"
#include "kelvora/script_syntax.h"
#include "window.h"
#include "kelvora/wide_format.h"

using kelvora::liveWindow;

namespace {

KelvoraWindow* focused = nullptr;

KelvoraWindow* windowOf(const CWnd* object)
{
    return object != nullptr ? liveWindow(object->m_hWnd) : nullptr;
}

CWnd* objectFor(KelvoraWindow* window)
{
    return window != nullptr ? kelvora::wrapperFor(*window) : nullptr;
}

int copyText(const std::wstring& text, LPTSTR buffer, int bufferSize)
{
    if (buffer == nullptr || bufferSize <= 0)
        return 0;
    int n = std::min(static_cast<int>(text.size()), bufferSize - 1);
    std::wmemcpy(buffer, text.data(), static_cast<std::size_t>(n));
    buffer[n] = 0;
    return n;
}

}  // namespace

// ---- run-time classes

const CRuntimeClass CObject::classCObject = {"CObject", nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == base)
            return TRUE;
    }
    return FALSE;
}

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)
IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNAMIC(CView, CWnd)

// ---- message maps

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

bool CCmdTarget::dispatchMessageMap(UINT message, UINT code, UINT id, NMHDR* header, LRESULT* result)
{
    const AFX_MSGMAP* map = GetMessageMap();
    while (map != nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry != nullptr && entry->nMessage != 0; ++entry) {
            if (entry->nMessage == message && entry->nCode == code && id >= entry->nID && id <= entry->nLastID &&
                entry->pfn != nullptr) {
                entry->pfn(this, id, header, result);
                return true;
            }
        }
        const AFX_MSGMAP* base = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr;
        map = base == map ? nullptr : base;  // a map naming itself as its base ends the walk
    }
    return false;
}

// ---- CWnd

CWnd::~CWnd()
{
    KelvoraWindow* window = liveWindow(m_hWnd);
    if (window != nullptr && window->wrapper == this)
        window->wrapper = nullptr;
}

CWnd* CWnd::FromHandle(HWND handle)
{
    return objectFor(liveWindow(handle));
}

BOOL CWnd::Attach(HWND handle)
{
    KelvoraWindow* window = liveWindow(handle);
    if (window == nullptr || m_hWnd != nullptr)
        return FALSE;
    m_hWnd = handle;
    window->wrapper = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND handle = m_hWnd;
    KelvoraWindow* window = liveWindow(handle);
    if (window != nullptr && window->wrapper == this)
        window->wrapper = nullptr;
    m_hWnd = nullptr;
    return handle;
}

CWnd* CWnd::GetDlgItem(int id) const
{
    KelvoraWindow* window = windowOf(this);
    return window != nullptr ? objectFor(kelvora::childById(*window, id)) : nullptr;
}

int CWnd::GetDlgCtrlID() const
{
    KelvoraWindow* window = windowOf(this);
    return window != nullptr ? window->id : 0;
}

CWnd* CWnd::GetParent() const
{
    KelvoraWindow* window = windowOf(this);
    return window != nullptr ? objectFor(window->parent) : nullptr;
}

void CWnd::SetWindowText(LPCTSTR text)
{
    ::SetWindowTextW(m_hWnd, text);
}

int CWnd::GetWindowText(LPTSTR buffer, int bufferSize) const
{
    return ::GetWindowTextW(m_hWnd, buffer, bufferSize);
}

void CWnd::GetWindowText(CString& text) const
{
    KelvoraWindow* window = windowOf(this);
    text = window != nullptr ? CString(window->text) : CString();
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthW(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    return ::EnableWindow(m_hWnd, enable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::ShowWindow(int command)
{
    return ::ShowWindow(m_hWnd, command);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

CWnd* CWnd::SetFocus()
{
    return objectFor(liveWindow(::SetFocus(m_hWnd)));
}

CWnd* CWnd::SetActiveWindow()
{
    return objectFor(liveWindow(::SetActiveWindow(m_hWnd)));
}

BOOL CWnd::SetForegroundWindow()
{
    return ::SetForegroundWindow(m_hWnd);
}

void CWnd::BringWindowToTop()
{
    ::BringWindowToTop(m_hWnd);
}

void CWnd::CenterWindow(CWnd*) {}
void CWnd::Invalidate(BOOL) {}
void CWnd::UpdateWindow() {}
void CWnd::SetRedraw(BOOL) {}

void CWnd::GetClientRect(LPRECT rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    ::GetWindowRect(m_hWnd, rect);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL)
{
    if (KelvoraWindow* window = windowOf(this))
        window->rect = RECT{x, y, x + width, y + height};
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint)
{
    if (rect != nullptr)
        MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

DWORD CWnd::GetStyle() const
{
    KelvoraWindow* window = windowOf(this);
    if (window == nullptr)
        return 0;
    DWORD style = window->style & ~(WS_DISABLED | WS_VISIBLE);
    if (!window->enabled)
        style |= WS_DISABLED;
    if (window->visible)
        style |= WS_VISIBLE;
    return style;
}

DWORD CWnd::GetExStyle() const
{
    KelvoraWindow* window = windowOf(this);
    return window != nullptr ? window->extendedStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT)
{
    KelvoraWindow* window = windowOf(this);
    if (window == nullptr)
        return FALSE;
    window->style = (window->style & ~remove) | add;
    if ((remove & WS_DISABLED) != 0)
        window->enabled = true;
    if ((add & WS_DISABLED) != 0)
        window->enabled = false;
    if ((remove & WS_VISIBLE) != 0)
        window->visible = false;
    if ((add & WS_VISIBLE) != 0)
        window->visible = true;
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (windowOf(this) == nullptr)
        return FALSE;
    ::SendMessageW(m_hWnd, message, wParam, lParam);
    return TRUE;
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type)
{
    return ::MessageBoxW(m_hWnd, text, caption, type);
}

BOOL CWnd::OpenClipboard()
{
    return ::OpenClipboard(m_hWnd);
}

BOOL CWnd::DestroyWindow()
{
    // Dialogs end through EndDialog; other windows live as long as their dialog.
    return FALSE;
}

BOOL CWnd::UpdateData(BOOL saveAndValidate)
{
    if (windowOf(this) == nullptr)
        return FALSE;
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return exchange.failed() ? FALSE : TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::SetDlgItemText(int id, LPCTSTR text)
{
    if (CWnd* item = GetDlgItem(id))
        item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, LPTSTR buffer, int bufferSize) const
{
    CWnd* item = GetDlgItem(id);
    if (item == nullptr) {
        copyText(L"", buffer, bufferSize);
        return 0;
    }
    return item->GetWindowText(buffer, bufferSize);
}

int CWnd::GetDlgItemText(int id, CString& text) const
{
    CWnd* item = GetDlgItem(id);
    if (item == nullptr) {
        text.Empty();
        return 0;
    }
    item->GetWindowText(text);
    return text.GetLength();
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    CString text;
    GetDlgItemText(id, text);
    auto value = kelvora::parseInteger(text.str());
    bool ok = value && (isSigned ? (*value >= INT32_MIN && *value <= INT32_MAX) : (*value >= 0 && *value <= UINT32_MAX));
    if (translated != nullptr)
        *translated = ok ? TRUE : FALSE;
    return ok ? static_cast<UINT>(*value) : 0;
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned)
{
    std::wstring text = isSigned ? std::to_wstring(static_cast<int>(value)) : std::to_wstring(value);
    SetDlgItemText(id, text.c_str());
}

void CWnd::CheckDlgButton(int id, UINT check)
{
    KelvoraWindow* window = windowOf(this);
    if (KelvoraWindow* button = window != nullptr ? kelvora::childById(*window, id) : nullptr)
        button->check = static_cast<int>(check);
}

UINT CWnd::IsDlgButtonChecked(int id) const
{
    KelvoraWindow* window = windowOf(this);
    KelvoraWindow* button = window != nullptr ? kelvora::childById(*window, id) : nullptr;
    return button != nullptr ? static_cast<UINT>(button->check) : 0;
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId)
{
    KelvoraWindow* window = windowOf(this);
    if (window == nullptr)
        return;
    for (auto& child : window->children) {
        if (child->kind == KelvoraWindow::Kind::RadioButton && child->id >= firstId && child->id <= lastId)
            child->check = child->id == checkId ? BST_CHECKED : BST_UNCHECKED;
    }
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId)
{
    KelvoraWindow* window = windowOf(this);
    if (window == nullptr)
        return 0;
    for (auto& child : window->children) {
        if (child->kind == KelvoraWindow::Kind::RadioButton && child->id >= firstId && child->id <= lastId &&
            child->check == BST_CHECKED)
            return child->id;
    }
    return 0;
}

CWnd* AfxGetMainWnd()
{
    return kelvora::wrapperFor(kelvora::mainWindow());
}

CMDIFrameWnd* acedGetAcadFrame()
{
    return static_cast<CMDIFrameWnd*>(kelvora::wrapperFor(kelvora::mainWindow()));
}

CView* acedGetAcadDwgView()
{
    KelvoraWindow& frame = kelvora::mainWindow();
    return static_cast<CView*>(kelvora::wrapperFor(*frame.children.front()));
}

HWND adsw_acadMainWnd()
{
    return &kelvora::mainWindow();
}

// ---- Win32 window functions

BOOL IsWindow(HWND window)
{
    return liveWindow(window) != nullptr ? TRUE : FALSE;
}

BOOL EnableWindow(HWND handle, BOOL enable)
{
    KelvoraWindow* window = liveWindow(handle);
    if (window == nullptr)
        return FALSE;
    BOOL wasDisabled = window->enabled ? FALSE : TRUE;
    window->enabled = enable != FALSE;
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND handle)
{
    KelvoraWindow* window = liveWindow(handle);
    return window != nullptr && window->enabled ? TRUE : FALSE;
}

BOOL ShowWindow(HWND handle, int command)
{
    KelvoraWindow* window = liveWindow(handle);
    if (window == nullptr)
        return FALSE;
    BOOL wasVisible = window->visible ? TRUE : FALSE;
    window->visible = command != SW_HIDE;
    return wasVisible;
}

BOOL IsWindowVisible(HWND handle)
{
    KelvoraWindow* window = liveWindow(handle);
    return window != nullptr && window->visible ? TRUE : FALSE;
}

BOOL SetWindowTextW(HWND handle, LPCWSTR text)
{
    KelvoraWindow* window = liveWindow(handle);
    if (window == nullptr)
        return FALSE;
    window->text = text != nullptr ? text : L"";
    if (window->kind == KelvoraWindow::Kind::ComboBox)
        window->currentSelection = kelvora::findItem(*window, -1, window->text, true);
    return TRUE;
}

int GetWindowTextW(HWND handle, LPWSTR buffer, int bufferSize)
{
    KelvoraWindow* window = liveWindow(handle);
    return copyText(window != nullptr ? window->text : std::wstring(), buffer, bufferSize);
}

int GetWindowTextLengthW(HWND handle)
{
    KelvoraWindow* window = liveWindow(handle);
    return window != nullptr ? static_cast<int>(window->text.size()) : 0;
}

HWND GetDlgItem(HWND dialog, int id)
{
    KelvoraWindow* window = liveWindow(dialog);
    return window != nullptr ? kelvora::childById(*window, id) : nullptr;
}

int GetDlgCtrlID(HWND handle)
{
    KelvoraWindow* window = liveWindow(handle);
    return window != nullptr ? window->id : 0;
}

HWND GetParent(HWND handle)
{
    KelvoraWindow* window = liveWindow(handle);
    return window != nullptr ? window->parent : nullptr;
}

HWND SetFocus(HWND handle)
{
    KelvoraWindow* previous = liveWindow(focused);
    KelvoraWindow* window = liveWindow(handle);
    if (window != nullptr) {
        focused = window;
        if (window->parent != nullptr && window->parent->kind == KelvoraWindow::Kind::Dialog)
            window->parent->focus = window;
    }
    return previous;
}

HWND GetFocus()
{
    return liveWindow(focused);
}

HWND SetActiveWindow(HWND handle)
{
    return SetFocus(handle);
}

BOOL SetForegroundWindow(HWND handle)
{
    return liveWindow(handle) != nullptr ? TRUE : FALSE;
}

BOOL BringWindowToTop(HWND handle)
{
    return liveWindow(handle) != nullptr ? TRUE : FALSE;
}

BOOL GetClientRect(HWND handle, LPRECT rect)
{
    KelvoraWindow* window = liveWindow(handle);
    if (window == nullptr || rect == nullptr)
        return FALSE;
    *rect = RECT{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
    return TRUE;
}

BOOL GetWindowRect(HWND handle, LPRECT rect)
{
    KelvoraWindow* window = liveWindow(handle);
    if (window == nullptr || rect == nullptr)
        return FALSE;
    *rect = window->rect;
    return TRUE;
}
