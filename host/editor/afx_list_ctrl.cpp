// The list view (CListCtrl): columns, rows with sub-item texts and data, selection.
#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "window.h"

using kelvora::liveWindow;

namespace {

KelvoraWindow* windowOf(const CWnd* object)
{
    return object != nullptr ? liveWindow(object->m_hWnd) : nullptr;
}

bool validRow(const KelvoraWindow& list, int item)
{
    return item >= 0 && item < static_cast<int>(list.rows.size());
}

bool validColumn(const KelvoraWindow& list, int column)
{
    return column >= 0 && column < static_cast<int>(list.columns.size());
}

KelvoraWindow::Row* rowOf(KelvoraWindow* list, int item)
{
    if (list == nullptr || !validRow(*list, item))
        return nullptr;
    return &list->rows[static_cast<std::size_t>(item)];
}

const std::wstring& cellOf(const KelvoraWindow::Row& row, int subItem)
{
    static const std::wstring kEmpty;
    if (subItem < 0 || static_cast<std::size_t>(subItem) >= row.cells.size())
        return kEmpty;
    return row.cells[static_cast<std::size_t>(subItem)];
}

void setCell(KelvoraWindow::Row& row, int subItem, std::wstring_view text)
{
    if (row.cells.size() <= static_cast<std::size_t>(subItem))
        row.cells.resize(static_cast<std::size_t>(subItem) + 1);
    row.cells[static_cast<std::size_t>(subItem)] = std::wstring(text);
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

// POSITION counts rows from 1 so that the null position ends the walk.
POSITION positionOf(int item)
{
    return reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(item) + 1u);
}

int itemOf(POSITION position)
{
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(position)) - 1;
}

int nextSelected(const KelvoraWindow& list, int after)
{
    for (int i = after + 1; i < static_cast<int>(list.rows.size()); ++i) {
        if ((list.rows[static_cast<std::size_t>(i)].state & LVIS_SELECTED) != 0)
            return i;
    }
    return -1;
}

}  // namespace

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

int CHeaderCtrl::GetItemCount() const
{
    KelvoraWindow* header = windowOf(this);
    if (header == nullptr || header->parent == nullptr)
        return -1;
    return static_cast<int>(header->parent->columns.size());
}

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr)
        return 0;
    DWORD previous = list->extendedStyle;
    list->extendedStyle = style;
    return previous;
}

DWORD CListCtrl::GetExtendedStyle() const
{
    KelvoraWindow* list = windowOf(this);
    return list != nullptr ? list->extendedStyle : 0;
}

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width, int)
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr || column < 0)
        return -1;
    int index = std::min(column, static_cast<int>(list->columns.size()));
    KelvoraWindow::Column c{heading != nullptr ? heading : L"", format, 0};
    list->columns.insert(list->columns.begin() + index, std::move(c));
    for (auto& row : list->rows) {
        if (static_cast<std::size_t>(index) < row.cells.size())
            row.cells.insert(row.cells.begin() + index, std::wstring());
    }
    list->columns[static_cast<std::size_t>(index)].width =
        width >= 0 ? width : kelvora::columnWidthFor(*list, index, true);
    return index;
}

int CListCtrl::InsertColumn(int column, const LVCOLUMN* description)
{
    if (description == nullptr)
        return -1;
    LPCTSTR text = (description->mask & LVCF_TEXT) != 0 ? description->pszText : L"";
    int format = (description->mask & LVCF_FMT) != 0 ? description->fmt : LVCFMT_LEFT;
    int width = (description->mask & LVCF_WIDTH) != 0 ? description->cx : -1;
    return InsertColumn(column, text, format, width);
}

BOOL CListCtrl::DeleteColumn(int column)
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr || !validColumn(*list, column))
        return FALSE;
    list->columns.erase(list->columns.begin() + column);
    for (auto& row : list->rows) {
        if (static_cast<std::size_t>(column) < row.cells.size())
            row.cells.erase(row.cells.begin() + column);
    }
    return TRUE;
}

BOOL CListCtrl::GetColumn(int column, LVCOLUMN* description) const
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr || description == nullptr || !validColumn(*list, column))
        return FALSE;
    const auto& c = list->columns[static_cast<std::size_t>(column)];
    if ((description->mask & LVCF_FMT) != 0)
        description->fmt = c.format;
    if ((description->mask & LVCF_WIDTH) != 0)
        description->cx = c.width;
    if ((description->mask & LVCF_TEXT) != 0)
        copyText(c.title, description->pszText, description->cchTextMax);
    if ((description->mask & LVCF_SUBITEM) != 0)
        description->iSubItem = column;
    return TRUE;
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMN* description)
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr || description == nullptr || !validColumn(*list, column))
        return FALSE;
    auto& c = list->columns[static_cast<std::size_t>(column)];
    if ((description->mask & LVCF_FMT) != 0)
        c.format = description->fmt;
    if ((description->mask & LVCF_WIDTH) != 0)
        c.width = description->cx;
    if ((description->mask & LVCF_TEXT) != 0 && description->pszText != nullptr)
        c.title = description->pszText;
    return TRUE;
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr || !validColumn(*list, column))
        return FALSE;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER)
        width = kelvora::columnWidthFor(*list, column, width == LVSCW_AUTOSIZE_USEHEADER);
    list->columns[static_cast<std::size_t>(column)].width = std::max(0, width);
    return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr || !validColumn(*list, column))
        return 0;
    return list->columns[static_cast<std::size_t>(column)].width;
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr || list->children.empty())
        return nullptr;
    return static_cast<CHeaderCtrl*>(kelvora::wrapperFor(*list->children.front()));
}

int CListCtrl::InsertItem(int item, LPCTSTR text)
{
    return InsertItem(LVIF_TEXT, item, text, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(const LVITEM* item)
{
    if (item == nullptr)
        return -1;
    return InsertItem(item->mask, item->iItem, item->pszText, item->state, item->stateMask, item->iImage, item->lParam);
}

int CListCtrl::InsertItem(UINT mask, int item, LPCTSTR text, UINT state, UINT stateMask, int, LPARAM data)
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr || item < 0)
        return -1;
    int index = std::min(item, static_cast<int>(list->rows.size()));
    KelvoraWindow::Row row;
    row.cells.emplace_back((mask & LVIF_TEXT) != 0 && text != nullptr ? text : L"");
    if ((mask & LVIF_PARAM) != 0)
        row.data = data;
    if ((mask & LVIF_STATE) != 0)
        row.state = state & stateMask;
    list->rows.insert(list->rows.begin() + index, std::move(row));
    if (list->selectionMark >= index)
        ++list->selectionMark;
    return index;
}

BOOL CListCtrl::DeleteItem(int item)
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr || !validRow(*list, item))
        return FALSE;
    list->rows.erase(list->rows.begin() + item);
    if (list->selectionMark == item)
        list->selectionMark = -1;
    else if (list->selectionMark > item)
        --list->selectionMark;
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr)
        return FALSE;
    list->rows.clear();
    list->selectionMark = -1;
    return TRUE;
}

int CListCtrl::GetItemCount() const
{
    KelvoraWindow* list = windowOf(this);
    return list != nullptr ? static_cast<int>(list->rows.size()) : 0;
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCTSTR text)
{
    KelvoraWindow::Row* row = rowOf(windowOf(this), item);
    if (row == nullptr || subItem < 0 || text == nullptr)
        return FALSE;
    setCell(*row, subItem, text);
    return TRUE;
}

CString CListCtrl::GetItemText(int item, int subItem) const
{
    const KelvoraWindow::Row* row = rowOf(windowOf(this), item);
    return row != nullptr ? CString(cellOf(*row, subItem)) : CString();
}

int CListCtrl::GetItemText(int item, int subItem, LPTSTR buffer, int bufferSize) const
{
    const KelvoraWindow::Row* row = rowOf(windowOf(this), item);
    return copyText(row != nullptr ? cellOf(*row, subItem) : std::wstring(), buffer, bufferSize);
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    KelvoraWindow::Row* row = rowOf(windowOf(this), item);
    if (row == nullptr)
        return FALSE;
    row->data = static_cast<LPARAM>(data);
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    const KelvoraWindow::Row* row = rowOf(windowOf(this), item);
    return row != nullptr ? static_cast<DWORD_PTR>(row->data) : 0;
}

BOOL CListCtrl::GetItem(LVITEM* item) const
{
    if (item == nullptr)
        return FALSE;
    const KelvoraWindow::Row* row = rowOf(windowOf(this), item->iItem);
    if (row == nullptr)
        return FALSE;
    if ((item->mask & LVIF_TEXT) != 0)
        copyText(cellOf(*row, item->iSubItem), item->pszText, item->cchTextMax);
    if ((item->mask & LVIF_PARAM) != 0)
        item->lParam = row->data;
    if ((item->mask & LVIF_STATE) != 0)
        item->state = row->state & item->stateMask;
    return TRUE;
}

BOOL CListCtrl::SetItem(const LVITEM* item)
{
    if (item == nullptr)
        return FALSE;
    KelvoraWindow::Row* row = rowOf(windowOf(this), item->iItem);
    if (row == nullptr || item->iSubItem < 0)
        return FALSE;
    if ((item->mask & LVIF_TEXT) != 0 && item->pszText != nullptr)
        setCell(*row, item->iSubItem, item->pszText);
    if ((item->mask & LVIF_PARAM) != 0)
        row->data = item->lParam;
    if ((item->mask & LVIF_STATE) != 0)
        row->state = (row->state & ~item->stateMask) | (item->state & item->stateMask);
    return TRUE;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr)
        return FALSE;
    if (item == -1) {
        for (auto& row : list->rows)
            row.state = (row.state & ~mask) | (state & mask);
        return TRUE;
    }
    KelvoraWindow::Row* row = rowOf(list, item);
    if (row == nullptr)
        return FALSE;
    row->state = (row->state & ~mask) | (state & mask);
    return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const
{
    const KelvoraWindow::Row* row = rowOf(windowOf(this), item);
    return row != nullptr ? (row->state & mask) : 0;
}

UINT CListCtrl::GetSelectedCount() const
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr)
        return 0;
    return static_cast<UINT>(
        std::count_if(list->rows.begin(), list->rows.end(), [](const auto& r) { return (r.state & LVIS_SELECTED) != 0; }));
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr)
        return nullptr;
    int first = nextSelected(*list, -1);
    return first < 0 ? nullptr : positionOf(first);
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const
{
    KelvoraWindow* list = windowOf(this);
    int item = itemOf(position);
    if (list == nullptr || position == nullptr) {
        position = nullptr;
        return -1;
    }
    int next = nextSelected(*list, item);
    position = next < 0 ? nullptr : positionOf(next);
    return item;
}

int CListCtrl::GetNextItem(int start, int flags) const
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr)
        return -1;
    for (int i = std::max(start + 1, 0); i < static_cast<int>(list->rows.size()); ++i) {
        UINT state = list->rows[static_cast<std::size_t>(i)].state;
        bool selectedOk = (flags & LVNI_SELECTED) == 0 || (state & LVIS_SELECTED) != 0;
        bool focusedOk = (flags & LVNI_FOCUSED) == 0 || (state & LVIS_FOCUSED) != 0;
        if (selectedOk && focusedOk)
            return i;
    }
    return -1;
}

int CListCtrl::GetSelectionMark() const
{
    KelvoraWindow* list = windowOf(this);
    return list != nullptr ? list->selectionMark : -1;
}

int CListCtrl::SetSelectionMark(int item)
{
    KelvoraWindow* list = windowOf(this);
    if (list == nullptr)
        return -1;
    int previous = list->selectionMark;
    list->selectionMark = item;
    return previous;
}

BOOL CListCtrl::EnsureVisible(int item, BOOL)
{
    KelvoraWindow* list = windowOf(this);
    return list != nullptr && validRow(*list, item) ? TRUE : FALSE;
}
