// XPOLYDIAL: lists of blocks, text styles and built-in symbols, kind switching, block picking and the OK checks.
#include "speciallines/xpoly_dialog.h"

#include <initializer_list>
#include <memory>
#include <string>

#include "acedads.h"
#include "adscodes.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "speciallines/builtin_symbols.h"
#include "speciallines/xpoly_dialog_ids.h"

namespace {

namespace ids = kelvora::speciallines;

// Spacing and gap are accepted from zero up to this.
constexpr double kMaxDistance = 1e9;

AcDbDatabase* workingDatabase()
{
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    return services != nullptr ? services->workingDatabase() : nullptr;
}

// A Latin-1 name widened code point by code point.
std::wstring widened(const char* text)
{
    std::wstring out;
    for (const char* c = text; c != nullptr && *c != '\0'; ++c)
        out += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return out;
}

void fillBlocks(CComboBox& list)
{
    list.ResetContent();
    AcDbDatabase* db = workingDatabase();
    AcDbBlockTable* table = nullptr;
    if (db == nullptr || db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
        return;
    AcDbBlockTableIterator* it = nullptr;
    if (table->newIterator(it) == Acad::eOk) {
        for (; !it->done(); it->step()) {
            AcDbBlockTableRecord* record = nullptr;
            if (it->getRecord(record, AcDb::kForRead) != Acad::eOk)
                continue;
            const ACHAR* name = nullptr;
            if (!record->isAnonymous() && record->getName(name) == Acad::eOk && name != nullptr && name[0] != L'*')
                list.AddString(name);
            record->close();
        }
        delete it;
    }
    table->close();
}

void fillTextStyles(CComboBox& list)
{
    list.ResetContent();
    AcDbDatabase* db = workingDatabase();
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

// The selected item's text, empty without a selection.
CString selectedText(const CComboBox& list)
{
    CString text;
    const int at = list.GetCurSel();
    if (at != CB_ERR)
        list.GetLBText(at, text);
    return text;
}

// Width and height of a block, measured on a temporary reference at the origin; false when it has none.
bool blockDimensions(const CString& name, double& width, double& height)
{
    AcDbDatabase* db = workingDatabase();
    AcDbBlockTable* table = nullptr;
    if (db == nullptr || db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
        return false;
    AcDbObjectId blockId;
    const bool found = table->getAt(name.GetString(), blockId) == Acad::eOk;
    table->close();
    if (!found)
        return false;
    auto reference = std::make_unique<AcDbBlockReference>(AcGePoint3d::kOrigin, blockId);
    AcDbExtents extents;
    if (reference->getGeomExtents(extents) != Acad::eOk)
        return false;
    width = extents.maxPoint().x - extents.minPoint().x;
    height = extents.maxPoint().y - extents.minPoint().y;
    return true;
}

}  // namespace

XPOLYDIAL::XPOLYDIAL(CWnd* parent)
    : CDialog(ids::kXpolyDialog, parent)
{
}

BEGIN_MESSAGE_MAP(XPOLYDIAL, CDialog)
    ON_BN_CLICKED(ids::kBlockRadio, &XPOLYDIAL::OnBlockRadio)
    ON_BN_CLICKED(ids::kTextRadio, &XPOLYDIAL::OnTextRadio)
    ON_BN_CLICKED(ids::kStandardRadio, &XPOLYDIAL::OnStandardRadio)
    ON_CBN_SELCHANGE(ids::kBlockList, &XPOLYDIAL::OnBlockChanged)
    ON_CBN_SELCHANGE(ids::kTextStyleList, &XPOLYDIAL::OnTextStyleChanged)
    ON_CBN_SELCHANGE(ids::kBuiltinStyleList, &XPOLYDIAL::OnBuiltinStyleChanged)
    ON_BN_CLICKED(ids::kPickBlockButton, &XPOLYDIAL::OnPickBlock)
END_MESSAGE_MAP()

CComboBox* XPOLYDIAL::comboBox(int id) const { return static_cast<CComboBox*>(GetDlgItem(id)); }

void XPOLYDIAL::enableControl(int id, bool enable)
{
    if (CWnd* control = GetDlgItem(id))
        control->EnableWindow(enable ? TRUE : FALSE);
}

void XPOLYDIAL::enableKind(int kind)
{
    enableControl(ids::kBlockList, kind == kKindBlock);
    enableControl(ids::kDimensionsLabel, kind == kKindBlock);
    enableControl(ids::kPickBlockButton, kind == kKindBlock);
    enableControl(ids::kSymbolTextEdit, kind == kKindText);
    enableControl(ids::kBuiltinStyleList, kind == kKindStandard);
}

BOOL XPOLYDIAL::OnInitDialog()
{
    // The placement items are fixed, as the resource script gives them, before the framework fills them.
    if (CComboBox* placements = comboBox(ids::kPlacementList)) {
        placements->ResetContent();
        for (const wchar_t* item : {L"Partage", L"Au début", L"A la fin", L"Ajuster"})
            placements->AddString(item);
    }
    CDialog::OnInitDialog();
    CComboBox* styles = comboBox(ids::kBuiltinStyleList);
    CComboBox* blocks = comboBox(ids::kBlockList);
    CComboBox* textStyles = comboBox(ids::kTextStyleList);
    if (styles != nullptr) {
        styles->ResetContent();
        for (int i = 0; i < kelvora::speciallines::kBuiltinSymbolCount; ++i)
            styles->AddString(widened(kelvora::speciallines::builtinSymbolName(i)).c_str());
    }
    if (blocks != nullptr)
        fillBlocks(*blocks);
    if (textStyles != nullptr)
        fillTextStyles(*textStyles);
    if (blocks == nullptr || blocks->GetCount() == 0) {
        enableControl(ids::kPickBlockButton, false);
        enableControl(ids::kBlockList, false);
        enableControl(ids::kDimensionsLabel, false);
        enableControl(ids::kBlockRadio, false);
    }
    if (textStyles != nullptr)
        textStyles->SetCurSel(textStyles->FindStringExact(-1, m_textStyleName.GetString()));
    enableKind(m_kind);
    if (m_kind == kKindStandard && styles != nullptr)
        styles->SetCurSel(m_styleIndex);
    else if (m_kind == kKindBlock && blocks != nullptr)
        blocks->SetCurSel(blocks->FindStringExact(-1, m_blockName.GetString()));
    // The lists above were empty when the framework filled the controls: enable the block group again
    // only when there are blocks to choose.
    if (m_kind == kKindBlock && (blocks == nullptr || blocks->GetCount() == 0))
        enableKind(-1);
    return TRUE;
}

void XPOLYDIAL::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_CBStringExact(dx, ids::kBlockList, m_blockName);
    DDX_CBStringExact(dx, ids::kTextStyleList, m_textStyleName);
    DDX_CBIndex(dx, ids::kBuiltinStyleList, m_styleIndex);
    DDX_Text(dx, ids::kSpacingEdit, m_spacing);
    DDV_MinMaxDouble(dx, m_spacing, 0.0, kMaxDistance);
    DDX_Text(dx, ids::kGapEdit, m_gap);
    DDV_MinMaxDouble(dx, m_gap, 0.0, kMaxDistance);
    DDX_Radio(dx, ids::kDrawAllRadio, m_lineMode);
    DDX_Text(dx, ids::kDimensionsLabel, m_dimensions);
    DDX_Text(dx, ids::kSizeEdit, m_size);
    DDX_Text(dx, ids::kSymbolTextEdit, m_text);
    DDX_Radio(dx, ids::kBlockRadio, m_kind);
    DDX_CBIndex(dx, ids::kPlacementList, m_placement);
}

void XPOLYDIAL::OnBlockRadio() { enableKind(kKindBlock); }
void XPOLYDIAL::OnTextRadio() { enableKind(kKindText); }
void XPOLYDIAL::OnStandardRadio() { enableKind(kKindStandard); }

void XPOLYDIAL::OnBuiltinStyleChanged()
{
    if (CComboBox* styles = comboBox(ids::kBuiltinStyleList))
        m_styleIndex = styles->GetCurSel();
}

void XPOLYDIAL::OnTextStyleChanged()
{
    if (CComboBox* styles = comboBox(ids::kTextStyleList))
        m_textStyleName = selectedText(*styles);
}

void XPOLYDIAL::OnBlockChanged()
{
    CComboBox* blocks = comboBox(ids::kBlockList);
    if (blocks == nullptr)
        return;
    m_blockName = selectedText(*blocks);
    BeginWaitCursor();
    double width = 0.0;
    double height = 0.0;
    if (blockDimensions(m_blockName, width, height)) {
        m_dimensions.Format(L"Dims :%.2f x %.2f", width, height);
        if (CWnd* label = GetDlgItem(ids::kDimensionsLabel))
            label->SetWindowText(m_dimensions.GetString());
    }
    EndWaitCursor();
}

void XPOLYDIAL::OnPickBlock()
{
    ShowWindow(SW_HIDE);
    if (CWnd* main = AfxGetMainWnd()) {
        main->EnableWindow(TRUE);
        main->SetActiveWindow();
    }
    ads_name picked;
    ads_point at;
    const int status = acedEntSel(ACRX_T("\nSelectionnez le block que vous voulez utiliser"), picked, at);
    ShowWindow(SW_SHOW);
    SetActiveWindow();
    if (status != RTNORM)
        return;
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (acdbGetObjectId(id, picked) != Acad::eOk || acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk)
        return;
    AcDbObjectId blockId;
    if (const AcDbBlockReference* reference = AcDbBlockReference::cast(entity))
        blockId = reference->blockTableRecord();
    entity->close();
    if (blockId.isNull())
        return;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk)
        return;
    const ACHAR* name = nullptr;
    block->getName(name);
    const CString blockName(name != nullptr ? name : L"");
    block->close();
    CComboBox* blocks = comboBox(ids::kBlockList);
    const int found = blocks != nullptr ? blocks->FindStringExact(-1, blockName.GetString()) : CB_ERR;
    if (found != CB_ERR) {
        blocks->SetCurSel(found);
        OnBlockChanged();
    }
    UpdateData(FALSE);
}

void XPOLYDIAL::refuse(LPCTSTR message, int listId)
{
    MessageBox(message, L"Alerte !", MB_ICONEXCLAMATION);
    if (CComboBox* list = comboBox(listId)) {
        GotoDlgCtrl(list);
        list->ShowDropDown(TRUE);
    }
}

void XPOLYDIAL::OnOK()
{
    const int kind = IsDlgButtonChecked(ids::kBlockRadio) != 0  ? kKindBlock
                     : IsDlgButtonChecked(ids::kTextRadio) != 0 ? kKindText
                                                                : kKindStandard;
    if (kind == kKindBlock && m_blockName.IsEmpty()) {
        refuse(L"Précisez le block à utiliser", ids::kBlockList);
        return;
    }
    if (kind == kKindText && m_textStyleName.IsEmpty()) {
        refuse(L"Précisez le style à utiliser", ids::kTextStyleList);
        return;
    }
    CComboBox* styles = comboBox(ids::kBuiltinStyleList);
    if (kind == kKindStandard && (styles == nullptr || styles->GetCurSel() == CB_ERR)) {
        refuse(L"Précisez le modèle à utiliser", ids::kBuiltinStyleList);
        return;
    }
    CDialog::OnOK();
}
