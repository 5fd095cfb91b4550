// Dialog data exchange (DDX_) and validation (DDV_): values to controls and back, refusals in the transcript.
#include <algorithm>
#include <cfloat>
#include <climits>
#include <vector>

#include "kelvora/command_line.h"
#include "kelvora/script_syntax.h"
#include "text_encoding.h"
#include "kelvora/wide_format.h"
#include "window.h"

using kelvora::liveWindow;

namespace {

KelvoraWindow* control(CDataExchange* dx, int id)
{
    if (dx == nullptr || dx->failed())
        return nullptr;
    return liveWindow(dx->PrepareCtrl(id));
}

KelvoraWindow* lastControl(CDataExchange* dx)
{
    if (dx == nullptr || dx->m_pDlgWnd == nullptr)
        return nullptr;
    KelvoraWindow* dialog = liveWindow(dx->m_pDlgWnd->m_hWnd);
    return dialog != nullptr ? kelvora::childById(*dialog, dx->m_idLastControl) : nullptr;
}

// Writes the refusal and fails the exchange: the dialog stays open.
void refuse(CDataExchange* dx, const std::wstring& reason)
{
    KelvoraWindow* refused = lastControl(dx);
    std::wstring name = refused != nullptr ? kelvora::controlLabel(*refused) : std::to_wstring(dx->m_idLastControl);
    kelvora::currentTranscript().write(L"\nRefused: " + name + L" " + reason);
    dx->Fail();
}

bool checking(CDataExchange* dx)
{
    return dx != nullptr && dx->m_bSaveAndValidate && !dx->failed();
}

template <typename T>
void exchangeInteger(CDataExchange* dx, int id, T& value, long long min, long long max)
{
    KelvoraWindow* edit = control(dx, id);
    if (edit == nullptr)
        return;
    if (!dx->m_bSaveAndValidate) {
        edit->text = std::to_wstring(value);
        return;
    }
    auto parsed = kelvora::parseInteger(edit->text);
    if (!parsed || *parsed < min || *parsed > max) {
        refuse(dx, L"must be an integer");
        return;
    }
    value = static_cast<T>(*parsed);
}

template <typename T>
void exchangeReal(CDataExchange* dx, int id, T& value, int digits)
{
    KelvoraWindow* edit = control(dx, id);
    if (edit == nullptr)
        return;
    if (!dx->m_bSaveAndValidate) {
        // As MFC shows a real: %g with all the digits the type keeps.
        edit->text = kelvora::formatPrintf(L"%.*g", digits, static_cast<double>(value));
        return;
    }
    auto parsed = kelvora::parseReal(edit->text);
    if (!parsed) {
        refuse(dx, L"must be a number");
        return;
    }
    value = static_cast<T>(*parsed);
}

template <typename T>
void checkRange(CDataExchange* dx, T value, T min, T max)
{
    if (!checking(dx))
        return;
    if (value < min || value > max)
        refuse(dx, kelvora::formatPrintf(L"must be between %g and %g", static_cast<double>(min), static_cast<double>(max)));
}

bool editableCombo(const KelvoraWindow& box)
{
    return box.kind == KelvoraWindow::Kind::ComboBox && (box.style & 0x3u) != CBS_DROPDOWNLIST;
}

void selectItem(KelvoraWindow& box, int index)
{
    if (index >= 0 && index < static_cast<int>(box.items.size())) {
        box.currentSelection = index;
        box.text = box.items[static_cast<std::size_t>(index)].text;
    } else {
        box.currentSelection = -1;
        if (!editableCombo(box))
            box.text.clear();
    }
}

void exchangeIndex(CDataExchange* dx, int id, int& index)
{
    KelvoraWindow* box = control(dx, id);
    if (box == nullptr)
        return;
    if (dx->m_bSaveAndValidate)
        index = box->currentSelection;
    else
        selectItem(*box, index);
}

void exchangeString(CDataExchange* dx, int id, CString& value, bool exact)
{
    KelvoraWindow* box = control(dx, id);
    if (box == nullptr)
        return;
    if (dx->m_bSaveAndValidate) {
        value = CString(box->text);
        return;
    }
    int index = kelvora::findItem(*box, -1, value.str(), exact);
    if (index >= 0)
        selectItem(*box, index);
    else if (editableCombo(*box))
        box->text = value.str();
}

}  // namespace

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog)
{
}

HWND CDataExchange::PrepareCtrl(int id)
{
    KelvoraWindow* dialog = m_pDlgWnd != nullptr ? liveWindow(m_pDlgWnd->m_hWnd) : nullptr;
    KelvoraWindow* found = dialog != nullptr ? kelvora::childById(*dialog, id) : nullptr;
    if (found == nullptr) {
        std::string text = "the dialog has no control " + std::to_string(id) + " to exchange";
        if (kelvora::CommandLine* line = kelvora::CommandLine::current())
            line->scriptWarning(text);
        return nullptr;
    }
    m_idLastControl = id;
    m_bEditLastControl = found->kind == KelvoraWindow::Kind::Edit ? TRUE : FALSE;
    return found;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    return PrepareCtrl(id);
}

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    KelvoraWindow* window = control(dx, id);
    if (window == nullptr)
        return;
    if (dx->m_bSaveAndValidate)
        value = CString(window->text);
    else
        window->text = value.str();
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    exchangeInteger(dx, id, value, INT_MIN, INT_MAX);
}

void DDX_Text(CDataExchange* dx, int id, UINT& value)
{
    exchangeInteger(dx, id, value, 0, UINT_MAX);
}

void DDX_Text(CDataExchange* dx, int id, long& value)
{
    exchangeInteger(dx, id, value, LONG_MIN, LONG_MAX);
}

void DDX_Text(CDataExchange* dx, int id, short& value)
{
    exchangeInteger(dx, id, value, SHRT_MIN, SHRT_MAX);
}

void DDX_Text(CDataExchange* dx, int id, float& value)
{
    exchangeReal(dx, id, value, FLT_DIG);
}

void DDX_Text(CDataExchange* dx, int id, double& value)
{
    exchangeReal(dx, id, value, DBL_DIG);
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    KelvoraWindow* button = control(dx, id);
    if (button == nullptr)
        return;
    if (dx->m_bSaveAndValidate)
        value = button->check;
    else
        button->check = value;
}

void DDX_Radio(CDataExchange* dx, int firstId, int& value)
{
    KelvoraWindow* first = control(dx, firstId);
    if (first == nullptr)
        return;
    std::vector<KelvoraWindow*> group = kelvora::radioGroup(*first);
    // The group as DDX_Radio walks it: from the first radio on.
    auto start = std::find(group.begin(), group.end(), first);
    if (start == group.end())
        return;
    int index = 0;
    if (dx->m_bSaveAndValidate)
        value = -1;
    for (auto it = start; it != group.end(); ++it, ++index) {
        if (dx->m_bSaveAndValidate) {
            if ((*it)->check == BST_CHECKED) {
                value = index;
                break;
            }
        } else {
            (*it)->check = index == value ? BST_CHECKED : BST_UNCHECKED;
        }
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index)
{
    exchangeIndex(dx, id, index);
}

void DDX_CBString(CDataExchange* dx, int id, CString& value)
{
    exchangeString(dx, id, value, false);
}

void DDX_CBStringExact(CDataExchange* dx, int id, CString& value)
{
    exchangeString(dx, id, value, true);
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index)
{
    exchangeIndex(dx, id, index);
}

void DDX_LBString(CDataExchange* dx, int id, CString& value)
{
    exchangeString(dx, id, value, false);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& object)
{
    if (object.m_hWnd != nullptr && liveWindow(object.m_hWnd) != nullptr)
        return;  // attached already
    KelvoraWindow* window = control(dx, id);
    if (window == nullptr)
        return;
    object.m_hWnd = window;
    window->wrapper = &object;
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int min, int max)
{
    checkRange(dx, value, min, max);
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT min, UINT max)
{
    checkRange(dx, value, min, max);
}

void DDV_MinMaxLong(CDataExchange* dx, long value, long min, long max)
{
    checkRange(dx, value, min, max);
}

void DDV_MinMaxShort(CDataExchange* dx, short value, short min, short max)
{
    checkRange(dx, value, min, max);
}

void DDV_MinMaxFloat(CDataExchange* dx, float value, float min, float max)
{
    checkRange(dx, value, min, max);
}

void DDV_MinMaxDouble(CDataExchange* dx, double value, double min, double max)
{
    checkRange(dx, value, min, max);
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxCharacters)
{
    if (dx == nullptr || dx->failed())
        return;
    if (!dx->m_bSaveAndValidate) {
        if (KelvoraWindow* edit = lastControl(dx))
            edit->textLimit = maxCharacters;
        return;
    }
    if (value.GetLength() > maxCharacters)
        refuse(dx, kelvora::formatPrintf(L"must have at most %d characters", maxCharacters));
}
