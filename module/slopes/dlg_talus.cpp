// DlgTalus: data exchange with its controls, and the limit selection run from the dialog.
#include "slopes/dlg_talus.h"

#include "resources/resource_ids.h"
#include "slopes/slope_dialog_exchange.h"
#include "slopes/slope_limits.h"

namespace {

namespace ids = kelvora::resources;

}  // namespace

DlgTalus::DlgTalus(CWnd* parent)
    : CAdUiDialog(ids::kSlopeDialog, parent)
{
}

BEGIN_MESSAGE_MAP(DlgTalus, CAdUiDialog)
    ON_BN_CLICKED(ids::kSlopeLimitsButton, &DlgTalus::OnSelectLimits)
END_MESSAGE_MAP()

BOOL DlgTalus::OnInitDialog()
{
    // The colour lists hold fixed entries, as the resource script's initial data gives them.
    for (int id : {ids::kSlopeLongColorList, ids::kSlopeShortColorList}) {
        if (auto* list = static_cast<CComboBox*>(GetDlgItem(id)))
            kelvora::slopes::fillColorList(*list);
    }
    return CAdUiDialog::OnInitDialog();
}

void DlgTalus::DoDataExchange(CDataExchange* dx)
{
    CAdUiDialog::DoDataExchange(dx);
    DDX_Check(dx, ids::kSlopeBothSidesCheck, m_bothSides);
    DDX_Text(dx, ids::kSlopeLongLengthEdit, m_longStrokeLength);
    DDX_Text(dx, ids::kSlopeRatioEdit, m_strokeRatio);
    DDX_Text(dx, ids::kSlopeIntervalsEdit, m_intervalCount);
    DDX_Text(dx, ids::kSlopeSpacingEdit, m_strokeSpacing);
    DDX_CBIndex(dx, ids::kSlopeLongColorList, m_longColorIndex);
    DDX_CBIndex(dx, ids::kSlopeShortColorList, m_shortColorIndex);
}

void DlgTalus::OnSelectLimits()
{
    // The drawing is picked from while the dialog is out of the way; the new limits hold at once,
    // whatever button closes the dialog later.
    ShowWindow(SW_HIDE);
    if (CWnd* main = AfxGetMainWnd()) {
        main->EnableWindow(TRUE);
        main->SetActiveWindow();
    }
    if (m_slope != nullptr)
        kelvora::slopes::selectSlopeLimits(*m_slope);
    ShowWindow(SW_SHOW);
    SetActiveWindow();
}
