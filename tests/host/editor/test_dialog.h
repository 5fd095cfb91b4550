// A dialog for the tests, in the manner of the module's: a template in code, data exchange, message map.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "acedads.h"
#include "acui.h"
#include "kelvora/dialog_template.h"

namespace kelvora::test {

constexpr UINT kParcelDialogId = 9001;
enum ParcelControl {
    kName = 1011,
    kShow = 1021,
    kHeight = 1022,
    kCount = 1034,
    kStyle = 1010,
    kFormat = 1045,
    kBlock = 2001,
    kText = 2002,
    kStandard = 2003,
    kPick = 1037,
    kList = 1024,
    kZoom = 1030,
    kWide = 1050,
};

// The template, as a resource script would hold it. The edit 1011 is named "Texte", which is
// also the caption of a radio button further on: the first in order is meant. The label
// "Largeur" names its buddy 1050, far from it; the label "12.00" stands before 1050.
inline DialogTemplate parcelTemplate()
{
    return DialogTemplate{
        kParcelDialogId,
        L"Parcelle",
        {
            {IDC_STATIC, ControlKind::GroupBox, L"Affichage"},
            {IDC_STATIC, ControlKind::Static, L"Largeur", 0, nullptr, kWide},
            {kShow, ControlKind::CheckBox, L"&Nom", WS_GROUP},
            {kName, ControlKind::Edit, L"", 0, L"Texte"},
            {IDC_STATIC, ControlKind::Static, L"&Taille"},
            {kHeight, ControlKind::Edit},
            {IDC_STATIC, ControlKind::Static, L"Nombre d'intervalles"},
            {kCount, ControlKind::Edit},
            {IDC_STATIC, ControlKind::Static, L"St&yle"},
            {kStyle, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST | CBS_SORT, L"Style"},
            {IDC_STATIC, ControlKind::Static, L"Format"},
            {kFormat, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST},
            {kBlock, ControlKind::RadioButton, L"&Block", WS_GROUP},
            {kPick, ControlKind::PushButton, L"..."},
            {kText, ControlKind::RadioButton, L"&Texte"},
            {kStandard, ControlKind::RadioButton, L"Standard"},
            {kList, ControlKind::ListView, L"", LVS_REPORT | WS_GROUP, L"Liste", 0, 0, 0, 200, 80},
            {kZoom, ControlKind::Edit, L"", ES_NUMBER | ES_CENTER, L"Zoom"},
            {IDC_STATIC, ControlKind::Static, L"12.00"},
            {kWide, ControlKind::Edit},
            {IDOK, ControlKind::PushButton, L"OK", BS_DEFPUSHBUTTON},
            {IDCANCEL, ControlKind::PushButton, L"Cancel"},
        },
        200,
        180};
}

// The tests' resource module, made once.
inline HINSTANCE testResources()
{
    static HINSTANCE module = [] {
        HINSTANCE h = createResourceModule(L"editor-tests");
        addDialogTemplate(h, parcelTemplate());
        return h;
    }();
    return module;
}

class ParcelDialog : public CAcUiDialog {
public:
    explicit ParcelDialog(HINSTANCE resources = testResources()) : CAcUiDialog(kParcelDialogId, NULL, resources) {}

    CString m_name = L"Lot ";
    int m_show = 1;
    double m_height = 2.5;
    int m_count = 3;
    CString m_style = L"stand";
    int m_format = 0;
    int m_kind = 2;
    CString m_zoom = L"2";
    CString m_wide;

    // What the handlers saw, in order.
    std::vector<std::string> events;
    int pickStatus = 0;
    ads_point picked = {0, 0, 0};
    bool hiddenWhilePicking = false;
    int selectedRowAtOk = -2;
    // OnOK shows a message box and stays open while this is set.
    bool refuseOk = false;
    // Runs inside the dialog after its initialisation, for checks of the controls.
    std::function<void(ParcelDialog&)> whileOpen;

    CComboBox m_styles;
    CListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CAcUiDialog::DoDataExchange(dx);
        DDX_Control(dx, kStyle, m_styles);
        DDX_Control(dx, kList, m_list);
        DDX_Text(dx, kName, m_name);
        DDX_Check(dx, kShow, m_show);
        DDX_Text(dx, kHeight, m_height);
        DDV_MinMaxDouble(dx, m_height, 0.0, 1e38);
        DDX_Text(dx, kCount, m_count);
        DDV_MinMaxInt(dx, m_count, 1, 100);
        DDX_CBString(dx, kStyle, m_style);
        DDX_CBIndex(dx, kFormat, m_format);
        DDX_Radio(dx, kBlock, m_kind);
        DDX_Text(dx, kZoom, m_zoom);
        DDX_Text(dx, kWide, m_wide);
        DDV_MaxChars(dx, m_wide, 10);
    }

    BOOL OnInitDialog() override
    {
        auto* styles = static_cast<CComboBox*>(GetDlgItem(kStyle));
        styles->AddString(L"Standard");
        styles->AddString(L"romans");
        styles->AddString(L"Arial");
        auto* format = static_cast<CComboBox*>(GetDlgItem(kFormat));
        format->AddString(L"Affichage Standard (m2)");
        format->AddString(L"Hectare, Are , Centiare");
        format->AddString(L"Hectares");
        CAcUiDialog::OnInitDialog();
        m_list.InsertColumn(0, L"Id");
        m_list.InsertColumn(1, L"Superficie", LVCFMT_RIGHT);
        for (int i = 0; i < 3; ++i) {
            std::wstring id = L"Lot " + std::to_wstring(i + 1);
            m_list.InsertItem(i, id.c_str());
            m_list.SetItemText(i, 1, std::to_wstring(100 * (i + 1)).c_str());
            m_list.SetItemData(i, static_cast<DWORD_PTR>(40 + i));
        }
        if (whileOpen)
            whileOpen(*this);
        return TRUE;
    }

    void OnOK() override
    {
        selectedRowAtOk = m_list.GetNextItem(-1, LVNI_SELECTED);
        if (refuseOk) {
            MessageBox(L"Précisez le block à utiliser", L"Alerte !", MB_ICONEXCLAMATION);
            return;
        }
        CAcUiDialog::OnOK();
    }

    void OnPick()
    {
        BeginEditorCommand();
        hiddenWhilePicking = !IsWindowVisible();
        pickStatus = acedGetPoint(nullptr, L"\nPick a point: ", picked);
        CompleteEditorCommand();
        events.push_back("pick");
    }

    void OnKind(UINT id) { events.push_back("kind " + std::to_string(id)); }
    void OnStyleChanged() { events.push_back("style " + std::to_string(m_styles.GetCurSel())); }
    void OnNameChanged() { events.push_back("name"); }
    void OnRowChanged(NMHDR* header, LRESULT*)
    {
        events.push_back("row " + std::to_string(reinterpret_cast<NMLISTVIEW*>(header)->iItem));
    }

    DECLARE_MESSAGE_MAP()
};

}  // namespace kelvora::test
