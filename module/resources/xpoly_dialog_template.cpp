// Template of XPOLYDIAL (103), "Zorvel Dialog", as the resource script holds it.
#include "kelvora/dialog_template.h"
#include "resources/dialog_resources.h"
#include "speciallines/xpoly_dialog_ids.h"

namespace kelvora::resources {

namespace {

using kelvora::ControlKind;
using kelvora::DialogTemplate;
using namespace kelvora::speciallines;

DialogTemplate xpolyDialog()
{
    DialogTemplate d;
    d.id = kXpolyDialog;
    d.title = L"Zorvel Dialog";
    d.cx = 300;
    d.cy = 200;
    d.controls = {
        {IDC_STATIC, ControlKind::GroupBox, L"Dimensions des motifs", 0, nullptr, 0, 7, 7, 140, 90},
        {IDC_STATIC, ControlKind::Static, L"Taille des &Motifs", 0, nullptr, 0, 14, 20, 70, 8},
        {kSizeEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 90, 18, 50, 12},
        {IDC_STATIC, ControlKind::Static, L"&Vide avant et après", 0, nullptr, 0, 14, 36, 70, 8},
        {kGapEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 90, 34, 50, 12},
        {IDC_STATIC, ControlKind::Static, L"&Distance entre motifs", 0, nullptr, 0, 14, 52, 70, 8},
        {kSpacingEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, nullptr, 0, 90, 50, 50, 12},
        {IDC_STATIC, ControlKind::Static, L"Espace résiduel", 0, nullptr, 0, 14, 70, 70, 8},
        {kPlacementList, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST, nullptr, 0, 90, 68, 50, 60},
        {IDC_STATIC, ControlKind::GroupBox, L"P&olyline", 0, nullptr, 0, 153, 7, 140, 50},
        {kDrawAllRadio, ControlKind::RadioButton, L"De&ssiner tout", WS_GROUP, nullptr, 0, 160, 18, 120, 10},
        {kDrawPartRadio, ControlKind::RadioButton, L"Dessiner &partiellement", 0, nullptr, 0, 160, 30, 120, 10},
        {kDrawNoneRadio, ControlKind::RadioButton, L"Ne &rien dessiner", 0, nullptr, 0, 160, 42, 120, 10},
        {IDC_STATIC, ControlKind::GroupBox, L"Motif", WS_GROUP, nullptr, 0, 7, 102, 286, 70},
        {kBlockRadio, ControlKind::RadioButton, L"&Block", WS_GROUP, nullptr, 0, 14, 114, 40, 10},
        {kTextRadio, ControlKind::RadioButton, L"&Texte", 0, nullptr, 0, 14, 134, 40, 10},
        {kStandardRadio, ControlKind::RadioButton, L"Standard", 0, nullptr, 0, 14, 154, 40, 10},
        {kBlockList, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST | CBS_SORT | WS_GROUP, L"Liste des blocks", 0, 60,
         112, 90, 60},
        {kPickBlockButton, ControlKind::PushButton, L"...", 0, nullptr, 0, 154, 112, 16, 12},
        {kDimensionsLabel, ControlKind::Static, L"", 0, L"Dimensions", 0, 176, 114, 110, 8},
        {kSymbolTextEdit, ControlKind::Edit, L"", ES_AUTOHSCROLL, L"Texte du motif", 0, 60, 132, 90, 12},
        {IDC_STATIC, ControlKind::Static, L"Style", 0, nullptr, kTextStyleList, 154, 134, 20, 8},
        {kTextStyleList, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST, nullptr, 0, 176, 132, 110, 60},
        {kBuiltinStyleList, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST, L"Modele", 0, 60, 152, 110, 60},
        {IDOK, ControlKind::PushButton, L"OK", WS_GROUP, nullptr, 0, 180, 180, 50, 14},
        {IDCANCEL, ControlKind::PushButton, L"Cancel", 0, nullptr, 0, 240, 180, 50, 14},
    };
    return d;
}

}  // namespace

void addXpolyDialogTemplate(HINSTANCE module) { kelvora::addDialogTemplate(module, xpolyDialog()); }

}  // namespace kelvora::resources
