// The common controls of the dialog layer: the list view (CListCtrl) and its header.
#pragma once

#include "afxwin.h"

// List view styles.
constexpr DWORD LVS_ICON = 0x0;
constexpr DWORD LVS_REPORT = 0x1;
constexpr DWORD LVS_SMALLICON = 0x2;
constexpr DWORD LVS_LIST = 0x3;
constexpr DWORD LVS_TYPEMASK = 0x3;
constexpr DWORD LVS_SINGLESEL = 0x4;
constexpr DWORD LVS_SHOWSELALWAYS = 0x8;
constexpr DWORD LVS_SORTASCENDING = 0x10;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;
constexpr DWORD LVS_EX_GRIDLINES = 0x1;
constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x10;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x20;

constexpr int LVCFMT_LEFT = 0x0;
constexpr int LVCFMT_RIGHT = 0x1;
constexpr int LVCFMT_CENTER = 0x2;
constexpr UINT LVCF_FMT = 0x1;
constexpr UINT LVCF_WIDTH = 0x2;
constexpr UINT LVCF_TEXT = 0x4;
constexpr UINT LVCF_SUBITEM = 0x8;
constexpr UINT LVIF_TEXT = 0x1;
constexpr UINT LVIF_IMAGE = 0x2;
constexpr UINT LVIF_PARAM = 0x4;
constexpr UINT LVIF_STATE = 0x8;
constexpr UINT LVIS_FOCUSED = 0x1;
constexpr UINT LVIS_SELECTED = 0x2;
constexpr int LVNI_ALL = 0x0;
constexpr int LVNI_FOCUSED = 0x1;
constexpr int LVNI_SELECTED = 0x2;
// Column widths that size a column to its texts (and to its title too).
constexpr int LVSCW_AUTOSIZE = -1;
constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

// Notification codes of WM_NOTIFY.
constexpr UINT NM_FIRST = 0u;
constexpr UINT NM_CLICK = NM_FIRST - 2u;
constexpr UINT NM_DBLCLK = NM_FIRST - 3u;
constexpr UINT NM_RCLICK = NM_FIRST - 5u;
constexpr UINT LVN_FIRST = 0u - 100u;
constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0u;
constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1u;
constexpr UINT LVN_INSERTITEM = LVN_FIRST - 2u;
constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3u;
constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4u;
constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8u;
constexpr UINT LVN_ITEMACTIVATE = LVN_FIRST - 14u;

struct LVCOLUMNW {
    UINT mask = 0;
    int fmt = 0;
    int cx = 0;
    LPWSTR pszText = nullptr;
    int cchTextMax = 0;
    int iSubItem = 0;
    int iImage = 0;
    int iOrder = 0;
};
typedef LVCOLUMNW LVCOLUMN;
typedef LVCOLUMNW LV_COLUMN;

struct LVITEMW {
    UINT mask = 0;
    int iItem = 0;
    int iSubItem = 0;
    UINT state = 0;
    UINT stateMask = 0;
    LPWSTR pszText = nullptr;
    int cchTextMax = 0;
    int iImage = 0;
    LPARAM lParam = 0;
    int iIndent = 0;
};
typedef LVITEMW LVITEM;
typedef LVITEMW LV_ITEM;

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction;
    LPARAM lParam = 0;
};
typedef NMLISTVIEW NM_LISTVIEW;
typedef NMLISTVIEW* LPNMLISTVIEW;

struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction;
    LPARAM lParam = 0;
    UINT uKeyFlags = 0;
};
typedef NMITEMACTIVATE* LPNMITEMACTIVATE;

// An iterator over selected rows (GetFirstSelectedItemPosition / GetNextSelectedItem).
struct KelvoraPosition;
typedef KelvoraPosition* POSITION;

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    int GetItemCount() const;
};

// A list view. In report view (LVS_REPORT) each row has a text per column.
class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    DWORD SetExtendedStyle(DWORD style);  // the previous extended style
    DWORD GetExtendedStyle() const;

    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    int InsertColumn(int column, const LVCOLUMN* description);
    BOOL DeleteColumn(int column);
    BOOL GetColumn(int column, LVCOLUMN* description) const;
    BOOL SetColumn(int column, const LVCOLUMN* description);
    BOOL SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;
    CHeaderCtrl* GetHeaderCtrl() const;

    int InsertItem(int item, LPCTSTR text);
    int InsertItem(const LVITEM* item);
    int InsertItem(UINT mask, int item, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM data);
    BOOL DeleteItem(int item);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL SetItemText(int item, int subItem, LPCTSTR text);
    CString GetItemText(int item, int subItem) const;
    int GetItemText(int item, int subItem, LPTSTR buffer, int bufferSize) const;
    BOOL SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    BOOL GetItem(LVITEM* item) const;
    BOOL SetItem(const LVITEM* item);
    BOOL SetItemState(int item, UINT state, UINT mask);  // item -1: every row
    UINT GetItemState(int item, UINT mask) const;

    UINT GetSelectedCount() const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& position) const;
    int GetNextItem(int start, int flags) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int item);
    BOOL EnsureVisible(int item, BOOL partialOk);
};
