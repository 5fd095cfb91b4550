// Tests of the controls seen from dialog code: list view rows and columns, combo boxes, windows and messages.
#include <gtest/gtest.h>

#include "aced.h"
#include "editor_session.h"
#include "test_dialog.h"

namespace kelvora::test {
namespace {

// Runs the test dialog with `check` called inside it, closing with OK.
void insideTheDialog(const std::function<void(ParcelDialog&)>& check)
{
    ScriptSession session("@OK\n");
    ParcelDialog dialog;
    dialog.whileOpen = check;
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

TEST(ListCtrl, ColumnsRowsAndSubItems)
{
    insideTheDialog([](ParcelDialog& d) {
        CListCtrl& list = d.m_list;
        EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
        EXPECT_EQ(list.InsertColumn(5, L"Périmètre", LVCFMT_RIGHT, 60), 2);  // past the end: appended
        EXPECT_EQ(list.GetItemCount(), 3);
        EXPECT_EQ(list.GetItemText(1, 0), L"Lot 2");
        EXPECT_EQ(list.GetItemText(1, 1), L"200");
        EXPECT_EQ(list.GetItemText(1, 2), L"");
        EXPECT_EQ(list.GetItemData(2), 42u);
        list.SetItemText(0, 2, L"45.14");
        wchar_t cell[3];
        EXPECT_EQ(list.GetItemText(0, 2, cell, 3), 2);  // cut to the buffer
        EXPECT_EQ(std::wstring(cell), L"45");
        wchar_t title[58];
        LVCOLUMN column;
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.pszText = title;
        column.cchTextMax = 58;
        ASSERT_TRUE(list.GetColumn(2, &column));
        EXPECT_EQ(std::wstring(title), L"Périmètre");
        EXPECT_EQ(column.fmt, LVCFMT_RIGHT);
        EXPECT_FALSE(list.GetColumn(3, &column));
        EXPECT_EQ(list.GetItemText(7, 0), L"");
        EXPECT_FALSE(list.SetItemText(7, 0, L"x"));
    });
}

TEST(ListCtrl, InsertingBeforeShiftsRowsAndDeletingRemovesThem)
{
    insideTheDialog([](ParcelDialog& d) {
        CListCtrl& list = d.m_list;
        EXPECT_EQ(list.InsertItem(0, L"first"), 0);
        EXPECT_EQ(list.InsertItem(99, L"last"), 4);
        EXPECT_EQ(list.GetItemText(1, 0), L"Lot 1");
        EXPECT_TRUE(list.DeleteItem(0));
        EXPECT_EQ(list.GetItemText(0, 0), L"Lot 1");
        EXPECT_TRUE(list.DeleteAllItems());
        EXPECT_EQ(list.GetItemCount(), 0);
        EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
    });
}

TEST(ListCtrl, SelectedRowsWalkInOrder)
{
    insideTheDialog([](ParcelDialog& d) {
        CListCtrl& list = d.m_list;
        EXPECT_EQ(list.GetFirstSelectedItemPosition(), nullptr);
        list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_EQ(list.GetSelectedCount(), 2u);
        POSITION position = list.GetFirstSelectedItemPosition();
        EXPECT_EQ(list.GetNextSelectedItem(position), 0);
        EXPECT_EQ(list.GetNextSelectedItem(position), 2);
        EXPECT_EQ(position, nullptr);
        EXPECT_EQ(list.GetNextItem(0, LVNI_SELECTED), 2);
        list.SetItemState(-1, 0, LVIS_SELECTED);
        EXPECT_EQ(list.GetSelectedCount(), 0u);
    });
}

TEST(ListCtrl, ExtendedStyleAndAutoSizedColumns)
{
    insideTheDialog([](ParcelDialog& d) {
        CListCtrl& list = d.m_list;
        EXPECT_EQ(list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT), 0u);
        EXPECT_EQ(list.GetExtendedStyle(), 0x31u);
        RECT client;
        list.GetClientRect(&client);
        EXPECT_EQ(client.right, 300);  // 200 dialog units of the host's dialog font
        list.SetItemText(0, 1, L"123456789012");
        list.SetColumnWidth(1, LVSCW_AUTOSIZE);
        int wide = list.GetColumnWidth(1);
        list.SetItemText(0, 1, L"1");
        list.SetColumnWidth(1, LVSCW_AUTOSIZE);
        EXPECT_GT(wide, list.GetColumnWidth(1));
    });
}

TEST(ComboBox, SortedItemsAndSearches)
{
    insideTheDialog([](ParcelDialog& d) {
        CComboBox& styles = d.m_styles;
        EXPECT_EQ(styles.GetCount(), 3);
        CString text;
        styles.GetLBText(0, text);
        EXPECT_EQ(text, L"Arial");
        EXPECT_EQ(styles.AddString(L"Bold"), 1);  // sorted in
        EXPECT_EQ(styles.FindString(-1, L"ro"), 2);
        EXPECT_EQ(styles.FindStringExact(-1, L"ROMANS"), 2);
        EXPECT_EQ(styles.FindStringExact(-1, L"rom"), CB_ERR);
        EXPECT_EQ(styles.SelectString(-1, L"b"), 1);
        EXPECT_EQ(styles.GetCurSel(), 1);
        EXPECT_EQ(styles.SetCurSel(9), CB_ERR);
        EXPECT_EQ(styles.GetCurSel(), -1);
        EXPECT_EQ(styles.GetLBTextLen(9), CB_ERR);
        styles.SetItemData(0, 77);
        EXPECT_EQ(styles.GetItemData(0), 77u);
        EXPECT_EQ(styles.DeleteString(0), 3);
        styles.ResetContent();
        EXPECT_EQ(styles.GetCount(), 0);
    });
}

TEST(Windows, EnableShowAndStyleOfControls)
{
    insideTheDialog([](ParcelDialog& d) {
        CWnd* pick = d.GetDlgItem(kPick);
        ASSERT_NE(pick, nullptr);
        EXPECT_FALSE(pick->EnableWindow(FALSE));  // it was enabled
        EXPECT_FALSE(pick->IsWindowEnabled());
        EXPECT_TRUE(pick->GetStyle() & WS_DISABLED);
        EXPECT_TRUE(pick->ShowWindow(SW_HIDE));   // it was visible
        EXPECT_FALSE(pick->IsWindowVisible());
        EXPECT_EQ(pick->GetDlgCtrlID(), kPick);
        EXPECT_EQ(pick->GetParent(), &d);
        EXPECT_EQ(d.GetDlgItem(4242), nullptr);
        auto* show = static_cast<CButton*>(d.GetDlgItem(kShow));
        EXPECT_EQ(show->GetCheck(), BST_CHECKED);
        EXPECT_TRUE(show->IsKindOf(RUNTIME_CLASS(CButton)));
        EXPECT_TRUE(d.IsKindOf(RUNTIME_CLASS(CAdUiDialog)));
        EXPECT_FALSE(d.IsKindOf(RUNTIME_CLASS(CButton)));
    });
}

TEST(Windows, SendMessageReachesTheMessageMap)
{
    std::vector<std::string> events;
    insideTheDialog([&](ParcelDialog& d) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(kText, BN_CLICKED), 0);
        d.GetDlgItem(kShow)->SendMessage(BM_CLICK);
        EXPECT_EQ(d.IsDlgButtonChecked(kShow), 0u);
        events = d.events;
    });
    EXPECT_EQ(events, (std::vector<std::string>{"kind 2002"}));
}

TEST(Windows, MainWindowIsThereForDialogsThatHide)
{
    CWnd* frame = AfxGetMainWnd();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(static_cast<CWnd*>(acedGetAcadFrame()), frame);
    frame->EnableWindow(TRUE);
    EXPECT_TRUE(frame->IsWindowEnabled());
    EXPECT_NE(acedGetAcadDwgView(), nullptr);
    EXPECT_TRUE(IsWindow(adsw_acadMainWnd()));
}

TEST(Windows, DeadHandlesAnswerNothing)
{
    CEdit edit;
    edit.SetWindowText(L"x");
    EXPECT_EQ(edit.GetWindowTextLength(), 0);
    EXPECT_FALSE(edit.EnableWindow(FALSE));
    EXPECT_EQ(edit.GetDlgItem(1), nullptr);
    EXPECT_FALSE(edit.UpdateData(TRUE));
    EXPECT_EQ(SendMessage(nullptr, WM_GETTEXTLENGTH, 0, 0), 0);
}

}  // namespace
}  // namespace kelvora::test
