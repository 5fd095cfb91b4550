// SurfaceDlg: data exchange with its controls; the style list holds the drawing's text styles.
#include "surfaces/surface_dlg.h"

#include "dbapserv.h"
#include "dbsymtb.h"
#include "resources/resource_ids.h"

namespace {

namespace ids = kelvora::resources;

// The largest text height the dialog accepts.
constexpr double kMaxTextHeight = 1e38;

void fillTextStyles(CComboBox& list)
{
    list.ResetContent();
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    AcDbDatabase* db = services != nullptr ? services->workingDatabase() : nullptr;
    AcDbTextStyleTable* table = nullptr;
    if (db == nullptr || db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
        return;
    AcDbTextStyleTableIterator* it = nullptr;
    if (table->newIterator(it) == Acad::eOk) {
        for (; !it->done(); it->step()) {
            AcDbTextStyleTableRecord* record = nullptr;
            if (it->getRecord(record, AcDb::kForRead) != Acad::eOk)
                continue;
            const ACHAR* name = nullptr;
            if (record->getName(name) == Acad::eOk && name != nullptr)
                list.AddString(name);
            record->close();
        }
        delete it;
    }
    table->close();
}

}  // namespace

SurfaceDlg::SurfaceDlg(CWnd* parent)
    : CDialog(ids::kSurfaceDialog, parent)
{
}

BEGIN_MESSAGE_MAP(SurfaceDlg, CDialog)
END_MESSAGE_MAP()

BOOL SurfaceDlg::OnInitDialog()
{
    if (auto* styles = static_cast<CComboBox*>(GetDlgItem(ids::kTextStyleList)))
        fillTextStyles(*styles);
    if (auto* formats = static_cast<CComboBox*>(GetDlgItem(ids::kAreaFormatList))) {
        formats->ResetContent();
        formats->AddString(L"Affichage Standard (m2)");
        formats->AddString(L"Hectare, Are , Centiare");
        formats->AddString(L"Hectares");
    }
    return CDialog::OnInitDialog();
}

void SurfaceDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Check(dx, ids::kShowLotCheck, m_showLot);
    DDX_Text(dx, ids::kLotTextEdit, m_lotText);
    DDX_Check(dx, ids::kShowAreaCheck, m_showArea);
    DDX_Text(dx, ids::kAreaPrefixEdit, m_areaPrefix);
    DDX_Text(dx, ids::kAreaUnitEdit, m_areaUnit);
    DDX_Check(dx, ids::kShowPerimeterCheck, m_showPerimeter);
    DDX_Text(dx, ids::kPerimeterPrefixEdit, m_perimeterPrefix);
    DDX_Text(dx, ids::kPerimeterUnitEdit, m_perimeterUnit);
    // Shown: the first style whose name begins with the surface's, ignoring case.
    DDX_CBString(dx, ids::kTextStyleList, m_textStyleName);
    DDX_Text(dx, ids::kTextHeightEdit, m_textHeight);
    DDV_MinMaxDouble(dx, m_textHeight, 0.0, kMaxTextHeight);
    DDX_CBIndex(dx, ids::kAreaFormatList, m_areaFormat);
}
