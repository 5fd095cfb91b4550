// ListeSurfaces: filling the list from the drawing's surfaces, zooming to them and copying the list out.
#include "surfaces/liste_surfaces.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "acedads.h"
#include "adscodes.h"
#include "dbhelpers/selection.h"
#include "dbhelpers/zoom.h"
#include "resources/resource_ids.h"
#include "surfaces/ne_surface.h"

namespace {

namespace ids = kelvora::resources;

constexpr int kColumnCount = 3;
const wchar_t* const kColumnTitles[kColumnCount] = {L"Id", L"Superficie", L"Périmètre"};
// Grid lines, header drag and drop, full-row selection.
constexpr DWORD kListStyle = LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT;
// Limits of the texts read back from the dialog: the factor box and each cell of the copied list.
constexpr int kFactorChars = 28;
constexpr int kCellChars = 58;
// A row's first cell is prepared in a buffer of this size (longer lot texts are cut).
constexpr size_t kLotCellChars = 256;
constexpr double kMinZoomFactor = 1.0;
constexpr double kMaxZoomFactor = 1000.0;

}  // namespace

ListeSurfaces::ListeSurfaces(CWnd* parent)
    : CAdUiDialog(ids::kSurfaceListDialog, parent)
{
}

BEGIN_MESSAGE_MAP(ListeSurfaces, CAdUiDialog)
ON_BN_CLICKED(ids::kLocateButton, &ListeSurfaces::onLocate)
ON_BN_CLICKED(ids::kZoomInButton, &ListeSurfaces::onZoomIn)
ON_BN_CLICKED(ids::kZoomOutButton, &ListeSurfaces::onZoomOut)
ON_BN_CLICKED(ids::kCentreButton, &ListeSurfaces::onCentre)
ON_BN_CLICKED(ids::kToClipboardButton, &ListeSurfaces::onToClipboard)
ON_NOTIFY(LVN_COLUMNCLICK, ids::kSurfaceListView, &ListeSurfaces::onColumnClick)
END_MESSAGE_MAP()

void ListeSurfaces::DoDataExchange(CDataExchange* dx)
{
    CAdUiDialog::DoDataExchange(dx);
    DDX_Control(dx, ids::kSurfaceListView, m_list);
    DDX_Text(dx, ids::kZoomFactorEdit, m_zoomFactor);
    DDV_MinMaxDouble(dx, m_zoomFactor, kMinZoomFactor, kMaxZoomFactor);
}

BOOL ListeSurfaces::OnInitDialog()
{
    const BOOL result = CAdUiDialog::OnInitDialog();
    m_list.SetExtendedStyle(kListStyle);
    RECT client{};
    m_list.GetClientRect(&client);
    const int width = (static_cast<int>(client.right - client.left) - 2) / kColumnCount;
    m_list.InsertColumn(0, kColumnTitles[0], LVCFMT_LEFT, width);
    m_list.InsertColumn(1, kColumnTitles[1], LVCFMT_RIGHT, width);
    m_list.InsertColumn(2, kColumnTitles[2], LVCFMT_RIGHT, width);
    fillRows();
    return result;
}

void ListeSurfaces::fillRows()
{
    ads_name selection;
    if (!selectByNames({L"NSPOLY"}, 0, selection, false))
        return;
    Adesk::Int32 count = 0;
    if (acedSSLength(selection, &count) != RTNORM || count == 0) {
        acedSSFree(selection);
        return;
    }
    int row = 0;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        ads_name name;
        AcDbObjectId id;
        AcDbEntity* entity = nullptr;
        if (acedSSName(selection, i, name) != RTNORM || acdbGetObjectId(id, name) != Acad::eOk ||
            acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
            continue;
        if (const NESurface* surface = NESurface::cast(entity)) {
            wchar_t lot[kLotCellChars] = {};
            std::wcsncpy(lot, surface->getLabelString(NESurface::kLotText), kLotCellChars - 1);
            m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, row, lot, 0, 0, 0,
                              static_cast<LPARAM>(id.asOldId()));
            std::wstring area;
            surface->formatAreaText(area);
            m_list.SetItemText(row, 1, area.c_str());
            char perimeter[64];
            std::snprintf(perimeter, sizeof perimeter, "%.2f", surface->perimeterLength());
            m_list.SetItemText(row, 2, CString(perimeter));
            ++row;
        }
        entity->close();
    }
    for (int column = 0; column < kColumnCount; ++column)
        m_list.SetColumnWidth(column, LVSCW_AUTOSIZE);
    acedSSFree(selection);
}

void ListeSurfaces::onColumnClick(NMHDR*, LRESULT* result)
{
    if (result != nullptr)
        *result = 0;
}

void ListeSurfaces::onLocate()
{
    POSITION position = m_list.GetFirstSelectedItemPosition();
    if (position == nullptr)
        return;
    const int row = m_list.GetNextSelectedItem(position);
    AcDbObjectId id;
    id.setFromOldId(static_cast<Adesk::IntPtr>(m_list.GetItemData(row)));
    zoomToEntity(id);
}

double ListeSurfaces::typedZoomFactor()
{
    wchar_t text[kFactorChars + 1] = {};
    GetDlgItemText(ids::kZoomFactorEdit, text, kFactorChars + 1);
    return std::wcstod(text, nullptr);
}

void ListeSurfaces::onZoomIn()
{
    const double factor = typedZoomFactor();
    if (factor > kMinZoomFactor)
        zoomScale(factor);
}

void ListeSurfaces::onZoomOut()
{
    const double factor = typedZoomFactor();
    if (factor > kMinZoomFactor)
        zoomScale(1.0 / factor);
}

void ListeSurfaces::onCentre()
{
    ShowWindow(SW_HIDE);
    if (CWnd* main = AfxGetMainWnd()) {
        main->EnableWindow(TRUE);
        main->SetActiveWindow();
    }
    zoomCenterAtPoint();
    ShowWindow(SW_SHOW);
    SetActiveWindow();
}

std::wstring ListeSurfaces::clipboardText() const
{
    auto cell = [](const CString& text) { return std::wstring(static_cast<LPCTSTR>(text)).substr(0, kCellChars); };
    std::wstring text = L"Surfaces \n";
    for (int column = 0; column < kColumnCount; ++column) {
        if (column > 0)
            text += L"\t";
        text += std::wstring(kColumnTitles[column]).substr(0, kCellChars);
    }
    text += L"\n";
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        for (int column = 0; column < kColumnCount; ++column) {
            if (column > 0)
                text += L"\t";
            text += cell(m_list.GetItemText(row, column));
        }
        text += L"\n";
    }
    return text;
}

void ListeSurfaces::onToClipboard()
{
    const std::wstring text = clipboardText();
    if (!OpenClipboard())
        return;
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (block != nullptr) {
        if (void* memory = GlobalLock(block)) {
            std::memcpy(memory, text.c_str(), bytes);
            GlobalUnlock(block);
            SetClipboardData(CF_UNICODETEXT, block);
        } else {
            GlobalFree(block);
        }
    }
    CloseClipboard();
    MessageBox(L"\nLes résultats sont maintenant dans le presse papier", NULL, MB_OK);
}
