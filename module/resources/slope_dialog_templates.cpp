// Templates of the slope dialogs (DlgTalus 106, CParamTalus 108), as the resource script holds them.
#include "kelvora/dialog_template.h"
#include "resources/dialog_resources.h"
#include "resources/resource_ids.h"

namespace kelvora::resources {

namespace {

using kelvora::ControlKind;
using kelvora::DialogTemplate;

DialogTemplate slopeDialog()
{
    DialogTemplate d;
    d.id = kSlopeDialog;
    d.title = L"Parametres des talus";
    d.cx = 167;
    d.cy = 185;
    d.controls = {
        {kSlopeBothSidesCheck, ControlKind::CheckBox, L"Taluter de part et d'autre.", 0, nullptr, 0, 10, 8, 147, 10},
        {IDC_STATIC, ControlKind::Static, L"Taille grand trait", 0, nullptr, 0, 10, 26, 90, 8},
        {kSlopeLongLengthEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 105, 24, 52, 12},
        {IDC_STATIC, ControlKind::Static, L"Ratio Grand trait / petit trait", 0, nullptr, 0, 10, 44, 90, 8},
        {kSlopeRatioEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 105, 42, 52, 12},
        {IDC_STATIC, ControlKind::Static, L"Nombre d'intervalles", 0, nullptr, 0, 10, 62, 90, 8},
        {kSlopeIntervalsEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 105, 60, 52, 12},
        {IDC_STATIC, ControlKind::Static, L"Espacement traits Talus", 0, nullptr, 0, 10, 80, 90, 8},
        {kSlopeSpacingEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 105, 78, 52, 12},
        {IDC_STATIC, ControlKind::Static, L"Couleur G/Traits", 0, nullptr, 0, 10, 98, 90, 8},
        {kSlopeLongColorList, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST, nullptr, 0, 105, 96, 52, 80},
        {IDC_STATIC, ControlKind::Static, L"Couleur P/Traits", 0, nullptr, 0, 10, 116, 90, 8},
        {kSlopeShortColorList, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST, nullptr, 0, 105, 114, 52, 80},
        {kSlopeLimitsButton, ControlKind::PushButton, L"Limites des talus", 0, nullptr, 0, 10, 138, 147, 14},
        {IDOK, ControlKind::PushButton, L"OK", 0, nullptr, 0, 27, 162, 50, 14},
        {IDCANCEL, ControlKind::PushButton, L"Cancel", 0, nullptr, 0, 90, 162, 50, 14},
    };
    return d;
}

DialogTemplate slopeDefaultsDialog()
{
    DialogTemplate d;
    d.id = kSlopeDefaultsDialog;
    d.title = L"Parametres des talus";
    d.cx = 173;
    d.cy = 170;
    d.controls = {
        {IDC_STATIC, ControlKind::Static, L"Taille grand trait", 0, nullptr, 0, 10, 10, 95, 8},
        {kDefaultsLongLengthEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 110, 8, 53, 12},
        {IDC_STATIC, ControlKind::Static, L"Ratio Grand trait / petit trait", 0, nullptr, 0, 10, 28, 95, 8},
        {kDefaultsRatioEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 110, 26, 53, 12},
        {IDC_STATIC, ControlKind::Static, L"Nombre d'intervalles", 0, nullptr, 0, 10, 46, 95, 8},
        {kDefaultsIntervalsEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 110, 44, 53, 12},
        {IDC_STATIC, ControlKind::Static, L"Espacement traits Talus", 0, nullptr, 0, 10, 64, 95, 8},
        {kDefaultsSpacingEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 110, 62, 53, 12},
        {IDC_STATIC, ControlKind::Static, L"Couleur G/Traits", 0, nullptr, 0, 10, 82, 95, 8},
        {kDefaultsLongColorList, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST, nullptr, 0, 110, 80, 53, 80},
        {IDC_STATIC, ControlKind::Static, L"Couleur P/Traits", 0, nullptr, 0, 10, 100, 95, 8},
        {kDefaultsShortColorList, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST, nullptr, 0, 110, 98, 53, 80},
        {kDefaultsUpdateCheck, ControlKind::CheckBox, L"Mettre à jour les talus existants en sortant", 0, nullptr, 0,
         10, 120, 153, 10},
        {IDOK, ControlKind::PushButton, L"OK", 0, nullptr, 0, 30, 146, 50, 14},
        {IDCANCEL, ControlKind::PushButton, L"Cancel", 0, nullptr, 0, 93, 146, 50, 14},
    };
    return d;
}

}  // namespace

void addSlopeDialogTemplates(HINSTANCE module)
{
    kelvora::addDialogTemplate(module, slopeDialog());
    kelvora::addDialogTemplate(module, slopeDefaultsDialog());
}

}  // namespace kelvora::resources
