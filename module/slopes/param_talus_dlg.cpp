// CParamTalus: data exchange with its controls; the colour lists hold their fixed entries.
#include "slopes/param_talus_dlg.h"

#include "resources/resource_ids.h"
#include "slopes/slope_dialog_exchange.h"

namespace {

namespace ids = kelvora::resources;

}  // namespace

CParamTalus::CParamTalus(CWnd* parent)
    : CDialog(ids::kSlopeDefaultsDialog, parent)
{
}

BEGIN_MESSAGE_MAP(CParamTalus, CDialog)
END_MESSAGE_MAP()

BOOL CParamTalus::OnInitDialog()
{
    for (int id : {ids::kDefaultsLongColorList, ids::kDefaultsShortColorList}) {
        if (auto* list = static_cast<CComboBox*>(GetDlgItem(id)))
            kelvora::slopes::fillColorList(*list);
    }
    return CDialog::OnInitDialog();
}

void CParamTalus::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, ids::kDefaultsLongLengthEdit, m_longStrokeLength);
    DDX_Text(dx, ids::kDefaultsRatioEdit, m_strokeRatio);
    DDX_Text(dx, ids::kDefaultsIntervalsEdit, m_intervalCount);
    DDX_Text(dx, ids::kDefaultsSpacingEdit, m_strokeSpacing);
    DDX_CBIndex(dx, ids::kDefaultsLongColorList, m_longColorIndex);
    DDX_CBIndex(dx, ids::kDefaultsShortColorList, m_shortColorIndex);
    DDX_Check(dx, ids::kDefaultsUpdateCheck, m_updateExisting);
}
