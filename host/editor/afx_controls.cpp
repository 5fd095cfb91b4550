// Buttons, edits, statics, combo and list boxes, and the control messages of SendMessage.
#include <algorithm>
#include <cwchar>

#include "text_encoding.h"
#include "window.h"

using kelvora::liveWindow;

namespace {

KelvoraWindow* windowOf(const CWnd* object)
{
    return object != nullptr ? liveWindow(object->m_hWnd) : nullptr;
}

bool validIndex(const KelvoraWindow& box, int index)
{
    return index >= 0 && index < static_cast<int>(box.items.size());
}

// Where a new item goes in a sorted box: after every item that does not sort after it.
int sortedPosition(const KelvoraWindow& box, std::wstring_view text)
{
    int index = 0;
    for (const auto& item : box.items) {
        if (kelvora::compareNoCase(item.text, text) > 0)
            break;
        ++index;
    }
    return index;
}

int addString(KelvoraWindow* box, LPCTSTR text)
{
    if (box == nullptr || text == nullptr)
        return CB_ERR;
    std::wstring_view item(text);
    int index = kelvora::sortedItems(*box) ? sortedPosition(*box, item) : static_cast<int>(box->items.size());
    return kelvora::insertItem(*box, index, item);
}

int insertString(KelvoraWindow* box, int index, LPCTSTR text)
{
    if (box == nullptr || text == nullptr || index > static_cast<int>(box->items.size()))
        return CB_ERR;
    return kelvora::insertItem(*box, index, text);
}

int deleteString(KelvoraWindow* box, UINT index)
{
    if (box == nullptr || !validIndex(*box, static_cast<int>(index)))
        return CB_ERR;
    int i = static_cast<int>(index);
    box->items.erase(box->items.begin() + i);
    if (box->currentSelection == i)
        box->currentSelection = -1;
    else if (box->currentSelection > i)
        --box->currentSelection;
    return static_cast<int>(box->items.size());
}

void resetContent(KelvoraWindow* box)
{
    if (box == nullptr)
        return;
    box->items.clear();
    box->currentSelection = -1;
    if (box->kind == KelvoraWindow::Kind::ComboBox && (box->style & 0x3u) == CBS_DROPDOWNLIST)
        box->text.clear();
}

int setCurrentSelection(KelvoraWindow* box, int index)
{
    if (box == nullptr)
        return CB_ERR;
    if (index == -1 || !validIndex(*box, index)) {
        box->currentSelection = -1;
        if ((box->style & 0x3u) == CBS_DROPDOWNLIST || box->kind == KelvoraWindow::Kind::ListBox)
            box->text.clear();
        return index == -1 ? -1 : CB_ERR;
    }
    box->currentSelection = index;
    box->text = box->items[static_cast<std::size_t>(index)].text;
    return index;
}

int itemText(const KelvoraWindow* box, int index, LPTSTR buffer)
{
    if (box == nullptr || buffer == nullptr || !validIndex(*box, index))
        return CB_ERR;
    const std::wstring& text = box->items[static_cast<std::size_t>(index)].text;
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<int>(text.size());
}

void itemText(const KelvoraWindow* box, int index, CString& text)
{
    text = box != nullptr && validIndex(*box, index) ? CString(box->items[static_cast<std::size_t>(index)].text)
                                                     : CString();
}

int itemTextLength(const KelvoraWindow* box, int index)
{
    if (box == nullptr || !validIndex(*box, index))
        return CB_ERR;
    return static_cast<int>(box->items[static_cast<std::size_t>(index)].text.size());
}

int find(const KelvoraWindow* box, int startAfter, LPCTSTR text, bool exact)
{
    if (box == nullptr || text == nullptr)
        return CB_ERR;
    return kelvora::findItem(*box, startAfter, text, exact);
}

DWORD_PTR itemData(const KelvoraWindow* box, int index)
{
    if (box == nullptr || !validIndex(*box, index))
        return static_cast<DWORD_PTR>(CB_ERR);
    return box->items[static_cast<std::size_t>(index)].data;
}

int setItemData(KelvoraWindow* box, int index, DWORD_PTR data)
{
    if (box == nullptr || !validIndex(*box, index))
        return CB_ERR;
    box->items[static_cast<std::size_t>(index)].data = data;
    return 0;
}

bool isAutomatic(const KelvoraWindow& button)
{
    DWORD type = button.style & BS_TYPEMASK;
    return type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_AUTO3STATE;
}

}  // namespace

namespace kelvora {

void checkRadio(KelvoraWindow& radio)
{
    for (KelvoraWindow* member : radioGroup(radio))
        member->check = member == &radio ? BST_CHECKED : BST_UNCHECKED;
}

void clickButton(KelvoraWindow& button)
{
    if (isAutomatic(button)) {
        if (button.kind == KelvoraWindow::Kind::RadioButton) {
            checkRadio(button);
        } else if (button.kind == KelvoraWindow::Kind::CheckBox) {
            bool threeState = (button.style & BS_TYPEMASK) == BS_AUTO3STATE;
            button.check = threeState ? (button.check + 1) % 3 : (button.check == BST_CHECKED ? 0 : 1);
        }
    }
    notifyCommand(button, BN_CLICKED);
}

}  // namespace kelvora

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)

// ---- CButton

int CButton::GetCheck() const
{
    KelvoraWindow* window = windowOf(this);
    return window != nullptr ? window->check : BST_UNCHECKED;
}

void CButton::SetCheck(int check)
{
    if (KelvoraWindow* window = windowOf(this))
        window->check = check;
}

UINT CButton::GetState() const
{
    return static_cast<UINT>(GetCheck());
}

void CButton::SetState(BOOL) {}

UINT CButton::GetButtonStyle() const
{
    KelvoraWindow* window = windowOf(this);
    return window != nullptr ? (window->style & BS_TYPEMASK) : 0;
}

void CButton::SetButtonStyle(UINT style, BOOL)
{
    if (KelvoraWindow* window = windowOf(this))
        window->style = (window->style & ~BS_TYPEMASK) | (style & BS_TYPEMASK);
}

// ---- CEdit

void CEdit::SetSel(int start, int end, BOOL)
{
    KelvoraWindow* window = windowOf(this);
    if (window == nullptr)
        return;
    int length = static_cast<int>(window->text.size());
    if (start == -1) {
        window->selectionStart = window->selectionEnd = length;
        return;
    }
    if (end == -1 || end > length)
        end = length;
    window->selectionStart = std::max(0, std::min(start, length));
    window->selectionEnd = std::max(window->selectionStart, end);
}

void CEdit::GetSel(int& start, int& end) const
{
    KelvoraWindow* window = windowOf(this);
    start = window != nullptr ? window->selectionStart : 0;
    end = window != nullptr ? window->selectionEnd : 0;
}

void CEdit::ReplaceSel(LPCTSTR text, BOOL)
{
    KelvoraWindow* window = windowOf(this);
    if (window == nullptr || text == nullptr)
        return;
    auto length = window->text.size();
    auto start = std::min(static_cast<std::size_t>(window->selectionStart), length);
    auto end = std::min(static_cast<std::size_t>(window->selectionEnd), length);
    window->text.replace(start, end - start, text);
    window->selectionStart = window->selectionEnd = static_cast<int>(start + std::wcslen(text));
}

void CEdit::SetLimitText(UINT maxCharacters)
{
    if (KelvoraWindow* window = windowOf(this))
        window->textLimit = static_cast<int>(maxCharacters);
}

void CEdit::LimitText(int maxCharacters)
{
    SetLimitText(static_cast<UINT>(std::max(0, maxCharacters)));
}

UINT CEdit::GetLimitText() const
{
    KelvoraWindow* window = windowOf(this);
    return window != nullptr ? static_cast<UINT>(window->textLimit) : 0;
}

BOOL CEdit::SetReadOnly(BOOL readOnly)
{
    KelvoraWindow* window = windowOf(this);
    if (window == nullptr)
        return FALSE;
    window->style = readOnly ? (window->style | ES_READONLY) : (window->style & ~ES_READONLY);
    return TRUE;
}

// ---- CComboBox

int CComboBox::GetCount() const
{
    KelvoraWindow* window = windowOf(this);
    return window != nullptr ? static_cast<int>(window->items.size()) : CB_ERR;
}

int CComboBox::GetCurSel() const
{
    KelvoraWindow* window = windowOf(this);
    return window != nullptr ? window->currentSelection : CB_ERR;
}

int CComboBox::SetCurSel(int index)
{
    return setCurrentSelection(windowOf(this), index);
}

int CComboBox::AddString(LPCTSTR text)
{
    return addString(windowOf(this), text);
}

int CComboBox::InsertString(int index, LPCTSTR text)
{
    return insertString(windowOf(this), index, text);
}

int CComboBox::DeleteString(UINT index)
{
    return deleteString(windowOf(this), index);
}

void CComboBox::ResetContent()
{
    resetContent(windowOf(this));
}

int CComboBox::GetLBText(int index, LPTSTR buffer) const
{
    return itemText(windowOf(this), index, buffer);
}

void CComboBox::GetLBText(int index, CString& text) const
{
    itemText(windowOf(this), index, text);
}

int CComboBox::GetLBTextLen(int index) const
{
    return itemTextLength(windowOf(this), index);
}

int CComboBox::FindString(int startAfter, LPCTSTR text) const
{
    return find(windowOf(this), startAfter, text, false);
}

int CComboBox::FindStringExact(int startAfter, LPCTSTR text) const
{
    return find(windowOf(this), startAfter, text, true);
}

int CComboBox::SelectString(int startAfter, LPCTSTR text)
{
    int index = FindString(startAfter, text);
    return index == CB_ERR ? CB_ERR : SetCurSel(index);
}

DWORD_PTR CComboBox::GetItemData(int index) const
{
    return itemData(windowOf(this), index);
}

int CComboBox::SetItemData(int index, DWORD_PTR data)
{
    return setItemData(windowOf(this), index, data);
}

void CComboBox::ShowDropDown(BOOL show)
{
    if (KelvoraWindow* window = windowOf(this))
        window->droppedDown = show != FALSE;
}

BOOL CComboBox::GetDroppedState() const
{
    KelvoraWindow* window = windowOf(this);
    return window != nullptr && window->droppedDown ? TRUE : FALSE;
}

BOOL CComboBox::LimitText(int maxCharacters)
{
    KelvoraWindow* window = windowOf(this);
    if (window == nullptr)
        return FALSE;
    window->textLimit = std::max(0, maxCharacters);
    return TRUE;
}

BOOL CComboBox::SetEditSel(int start, int end)
{
    KelvoraWindow* window = windowOf(this);
    if (window == nullptr)
        return FALSE;
    window->selectionStart = start;
    window->selectionEnd = end;
    return TRUE;
}

// ---- CListBox

int CListBox::GetCount() const
{
    KelvoraWindow* window = windowOf(this);
    return window != nullptr ? static_cast<int>(window->items.size()) : LB_ERR;
}

int CListBox::GetCurSel() const
{
    KelvoraWindow* window = windowOf(this);
    return window != nullptr ? window->currentSelection : LB_ERR;
}

int CListBox::SetCurSel(int index)
{
    return setCurrentSelection(windowOf(this), index);
}

int CListBox::AddString(LPCTSTR text)
{
    return addString(windowOf(this), text);
}

int CListBox::InsertString(int index, LPCTSTR text)
{
    return insertString(windowOf(this), index, text);
}

int CListBox::DeleteString(UINT index)
{
    return deleteString(windowOf(this), index);
}

void CListBox::ResetContent()
{
    resetContent(windowOf(this));
}

int CListBox::GetText(int index, LPTSTR buffer) const
{
    return itemText(windowOf(this), index, buffer);
}

void CListBox::GetText(int index, CString& text) const
{
    itemText(windowOf(this), index, text);
}

int CListBox::GetTextLen(int index) const
{
    return itemTextLength(windowOf(this), index);
}

int CListBox::FindString(int startAfter, LPCTSTR text) const
{
    return find(windowOf(this), startAfter, text, false);
}

int CListBox::FindStringExact(int startAfter, LPCTSTR text) const
{
    return find(windowOf(this), startAfter, text, true);
}

int CListBox::SelectString(int startAfter, LPCTSTR text)
{
    int index = FindString(startAfter, text);
    return index == LB_ERR ? LB_ERR : SetCurSel(index);
}

DWORD_PTR CListBox::GetItemData(int index) const
{
    return itemData(windowOf(this), index);
}

int CListBox::SetItemData(int index, DWORD_PTR data)
{
    return setItemData(windowOf(this), index, data);
}

// ---- messages

LRESULT SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    KelvoraWindow* window = liveWindow(handle);
    if (window == nullptr)
        return 0;
    switch (message) {
    case WM_COMMAND: {
        CWnd* target = kelvora::wrapperFor(*window);
        return target->dispatchMessageMap(WM_COMMAND, HIWORD(wParam), LOWORD(wParam), nullptr, nullptr) ? 0 : 1;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header == nullptr)
            return 0;
        LRESULT result = 0;
        kelvora::wrapperFor(*window)->dispatchMessageMap(WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom),
                                                         header, &result);
        return result;
    }
    case WM_CLOSE:
        if (window->kind == KelvoraWindow::Kind::Dialog)
            kelvora::wrapperFor(*window)->dispatchMessageMap(WM_COMMAND, BN_CLICKED, IDCANCEL, nullptr, nullptr);
        return 0;
    case WM_SETTEXT:
        return SetWindowTextW(handle, reinterpret_cast<LPCWSTR>(lParam));
    case WM_GETTEXT:
        return GetWindowTextW(handle, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return GetWindowTextLengthW(handle);
    case WM_NEXTDLGCTL:
        if (lParam != 0)
            SetFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    case BM_GETCHECK:
        return window->check;
    case BM_SETCHECK:
        window->check = static_cast<int>(wParam);
        return 0;
    case BM_CLICK:
        kelvora::clickButton(*window);
        return 0;
    case CB_GETCOUNT:
        return static_cast<LRESULT>(window->items.size());
    case CB_GETCURSEL:
        return window->currentSelection;
    case CB_SETCURSEL:
        return setCurrentSelection(window, static_cast<int>(wParam));
    case CB_SHOWDROPDOWN:
        window->droppedDown = wParam != 0;
        return TRUE;
    default:
        return 0;
    }
}
