// Templates of the surface dialogs (SurfaceDlg 104, ListeSurfaces 105), as the resource script holds them.
#include "kelvora/dialog_template.h"
#include "afxcmn.h"
#include "resources/dialog_resources.h"
#include "resources/resource_ids.h"

namespace kelvora::resources {

namespace {

using kelvora::ControlKind;
using kelvora::ControlTemplate;
using kelvora::DialogTemplate;

DialogTemplate surfaceDialog()
{
    DialogTemplate d;
    d.id = kSurfaceDialog;
    d.title = L"Surfaces";
    d.cx = 260;
    d.cy = 170;
    d.controls = {
        {IDC_STATIC, ControlKind::GroupBox, L"Affichage", 0, nullptr, 0, 7, 7, 246, 70},
        {kShowLotCheck, ControlKind::CheckBox, L"Nom", 0, nullptr, 0, 14, 18, 60, 10},
        {kLotTextEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 80, 17, 100, 12},
        {kShowAreaCheck, ControlKind::CheckBox, L"&Surface", 0, nullptr, 0, 14, 36, 60, 10},
        {kAreaPrefixEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 80, 35, 40, 12},
        {IDC_STATIC, ControlKind::Static, L"12.00", 0, nullptr, 0, 124, 37, 30, 8},
        {kAreaUnitEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 158, 35, 40, 12},
        {kShowPerimeterCheck, ControlKind::CheckBox, L"&Périmetre", 0, nullptr, 0, 14, 54, 60, 10},
        {kPerimeterPrefixEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 80, 53, 40, 12},
        {IDC_STATIC, ControlKind::Static, L"45.14", 0, nullptr, 0, 124, 55, 30, 8},
        {kPerimeterUnitEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 158, 53, 40, 12},
        {IDC_STATIC, ControlKind::GroupBox, L"Params des textes", 0, nullptr, 0, 7, 82, 246, 40},
        {IDC_STATIC, ControlKind::Static, L"St&yle", 0, nullptr, 0, 14, 96, 30, 8},
        {kTextStyleList, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST | CBS_SORT, L"Style", 0, 46, 94, 90, 60},
        {IDC_STATIC, ControlKind::Static, L"&Taille", 0, nullptr, 0, 146, 96, 30, 8},
        {kTextHeightEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, L"Taille", 0, 178, 94, 50, 12},
        {IDOK, ControlKind::PushButton, L"OK", 0, nullptr, 0, 140, 150, 50, 14},
        {IDCANCEL, ControlKind::PushButton, L"Cancel", 0, nullptr, 0, 200, 150, 50, 14},
        {IDC_STATIC, ControlKind::Static, L"Format", 0, nullptr, 0, 14, 130, 30, 8},
        {kAreaFormatList, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST, L"Format", 0, 46, 128, 120, 60},
    };
    return d;
}

DialogTemplate surfaceListDialog()
{
    DialogTemplate d;
    d.id = kSurfaceListDialog;
    d.title = L"Liste des surfaces";
    d.cx = 300;
    d.cy = 200;
    d.controls = {
        {kSurfaceListView, ControlKind::ListView, L"", LVS_REPORT, L"Liste", 0, 7, 7, 230, 186},
        {kLocateButton, ControlKind::PushButton, L"&Localiser", 0, nullptr, 0, 243, 7, 50, 14},
        {IDC_STATIC, ControlKind::Static, L"Zoom", 0, nullptr, 0, 243, 30, 50, 8},
        {kZoomFactorEdit, ControlKind::Edit, L"", ES_NUMBER | ES_CENTER, L"Zoom", 0, 243, 40, 50, 12},
        {kZoomInButton, ControlKind::PushButton, L"&+", 0, nullptr, 0, 243, 56, 24, 14},
        {kZoomOutButton, ControlKind::PushButton, L"&-", 0, nullptr, 0, 269, 56, 24, 14},
        {kCentreButton, ControlKind::PushButton, L"&*", 0, nullptr, 0, 243, 74, 50, 14},
        {kToClipboardButton, ControlKind::PushButton, L"&Vers p.papier", 0, nullptr, 0, 243, 150, 50, 14},
        {IDOK, ControlKind::PushButton, L"OK", 0, nullptr, 0, 243, 179, 50, 14},
    };
    return d;
}

}  // namespace

void addModuleDialogTemplates(HINSTANCE module)
{
    kelvora::addDialogTemplate(module, surfaceDialog());
    kelvora::addDialogTemplate(module, surfaceListDialog());
    addXpolyDialogTemplate(module);
    addSlopeDialogTemplates(module);
}

}  // namespace kelvora::resources
