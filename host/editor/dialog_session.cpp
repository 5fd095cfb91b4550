// The modal run of a dialog over the script, and the "@" lines that act on its controls.
#include "dialog_session.h"

#include <functional>
#include <optional>

#include "afxcmn.h"
#include "kelvora/script_syntax.h"
#include "text_encoding.h"

namespace kelvora {

namespace {

// What a terminal shows while it waits for a dialog line.
constexpr std::string_view kDialogPrompt = "@ ";

// Marks a dialog open on the command line for its lifetime, so prompts leave "@" lines to it.
class DialogScope {
public:
    explicit DialogScope(CommandLine* line) : m_line(line)
    {
        if (m_line != nullptr)
            m_line->enterDialog();
    }
    ~DialogScope()
    {
        if (m_line != nullptr)
            m_line->leaveDialog();
    }
    DialogScope(const DialogScope&) = delete;
    DialogScope& operator=(const DialogScope&) = delete;

private:
    CommandLine* m_line;
};

bool isLabel(const KelvoraWindow& control)
{
    return control.kind == KelvoraWindow::Kind::Static || control.kind == KelvoraWindow::Kind::GroupBox;
}

bool hasCaption(const KelvoraWindow& control)
{
    switch (control.kind) {
    case KelvoraWindow::Kind::Static:
    case KelvoraWindow::Kind::GroupBox:
    case KelvoraWindow::Kind::PushButton:
    case KelvoraWindow::Kind::CheckBox:
    case KelvoraWindow::Kind::RadioButton: return true;
    default: return false;
    }
}

bool isButton(const KelvoraWindow& control)
{
    return control.kind == KelvoraWindow::Kind::PushButton || control.kind == KelvoraWindow::Kind::CheckBox ||
           control.kind == KelvoraWindow::Kind::RadioButton;
}

// A caption as shown: "&&" is an ampersand, a single "&" only marks the mnemonic.
std::wstring withoutMnemonic(std::wstring_view caption)
{
    std::wstring shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

bool namedBy(const KelvoraWindow& control, std::wstring_view address, bool ignoreCase)
{
    auto same = [&](std::wstring_view a) { return ignoreCase ? equalNoCase(a, address) : a == address; };
    if (!control.name.empty() && same(control.name))
        return true;
    if (!hasCaption(control) || control.caption.empty())
        return false;
    return same(control.caption) || same(withoutMnemonic(control.caption));
}

// The control a label stands for: its buddy, or the next control that is not a label.
KelvoraWindow* labelled(KelvoraWindow& dialog, KelvoraWindow& label)
{
    if (label.buddy != 0) {
        if (KelvoraWindow* buddy = childById(dialog, label.buddy))
            return buddy;
    }
    bool after = false;
    for (auto& control : dialog.children) {
        if (control.get() == &label) {
            after = true;
            continue;
        }
        if (after && !isLabel(*control))
            return control.get();
    }
    return &label;
}

void press(KelvoraWindow& dialog, int id)
{
    if (dialog.wrapper != nullptr)
        dialog.wrapper->dispatchMessageMap(WM_COMMAND, BN_CLICKED, static_cast<UINT>(id), nullptr, nullptr);
}

// Ends a dialog that the script leaves: OK first (its checks may refuse), then Cancel, then
// by force, so that a dialog never waits for lines that will not come.
void closeDialog(KelvoraWindow& dialog, bool ok)
{
    if (ok && !dialog.ended)
        press(dialog, IDOK);
    if (!dialog.ended)
        press(dialog, IDCANCEL);
    if (!dialog.ended) {
        dialog.ended = true;
        dialog.result = IDCANCEL;
    }
}

std::string quoted(std::wstring_view text)
{
    return "\"" + utf8FromWide(text) + "\"";
}

void refuse(CommandLine& line, std::wstring_view text)
{
    line.transcript().write(L"\nRefused: " + std::wstring(text));
}

void setEdit(KelvoraWindow& edit, std::wstring_view address, std::wstring value, CommandLine& line)
{
    if ((edit.style & ES_NUMBER) != 0 && value.find_first_not_of(L"0123456789") != std::wstring::npos) {
        refuse(line, std::wstring(address) + L" accepts digits only");
        return;
    }
    if ((edit.style & ES_UPPERCASE) != 0)
        value = toUpper(value);
    if ((edit.style & ES_LOWERCASE) != 0) {
        for (wchar_t& ch : value)
            ch = foldCase(ch);
    }
    if (edit.textLimit > 0 && value.size() > static_cast<std::size_t>(edit.textLimit))
        value.resize(static_cast<std::size_t>(edit.textLimit));
    edit.text = std::move(value);
    edit.selectionStart = edit.selectionEnd = static_cast<int>(edit.text.size());
    notifyCommand(edit, EN_CHANGE);
}

void setButton(KelvoraWindow& button, std::wstring_view address, std::wstring_view value, CommandLine& line)
{
    auto state = parseInteger(value);
    bool threeState = (button.style & BS_TYPEMASK) == BS_3STATE || (button.style & BS_TYPEMASK) == BS_AUTO3STATE;
    long long highest = threeState ? 2 : 1;
    if (!state || *state < 0 || *state > highest) {
        line.scriptError(quoted(address) + (threeState ? " takes 0, 1 or 2" : " takes 0 or 1"));
        return;
    }
    if (button.kind == KelvoraWindow::Kind::RadioButton) {
        if (*state == 0) {
            button.check = BST_UNCHECKED;
            return;
        }
        checkRadio(button);
    } else {
        button.check = static_cast<int>(*state);
    }
    notifyCommand(button, BN_CLICKED);
}

// "#index" or an item's text (without regard to case).
std::optional<int> itemIndex(std::wstring_view value, int count, const std::function<int(std::wstring_view)>& byText)
{
    if (!value.empty() && value.front() == L'#') {
        auto index = parseInteger(value.substr(1));
        if (!index || *index < -1 || *index >= count)
            return std::nullopt;
        return static_cast<int>(*index);
    }
    int found = byText(value);
    if (found < 0)
        return std::nullopt;
    return found;
}

void setBox(KelvoraWindow& box, std::wstring_view address, std::wstring_view value, CommandLine& line)
{
    int count = static_cast<int>(box.items.size());
    auto index = itemIndex(value, count, [&](std::wstring_view text) { return findItem(box, -1, text, true); });
    bool editable = box.kind == KelvoraWindow::Kind::ComboBox && (box.style & 0x3u) != CBS_DROPDOWNLIST;
    if (!index) {
        if (editable && (value.empty() || value.front() != L'#')) {
            box.text = std::wstring(value);
            box.currentSelection = -1;
            notifyCommand(box, CBN_EDITCHANGE);
            return;
        }
        line.scriptError("no item " + quoted(value) + " in " + quoted(address));
        return;
    }
    box.currentSelection = *index;
    box.text = *index >= 0 ? box.items[static_cast<std::size_t>(*index)].text : std::wstring();
    if (box.kind == KelvoraWindow::Kind::ComboBox) {
        notifyCommand(box, CBN_SELCHANGE);
        notifyCommand(box, CBN_SELENDOK);
    } else {
        notifyCommand(box, LBN_SELCHANGE);
    }
}

void setListView(KelvoraWindow& list, std::wstring_view address, std::wstring_view value, CommandLine& line)
{
    int count = static_cast<int>(list.rows.size());
    auto index = itemIndex(value, count, [&](std::wstring_view text) {
        for (int i = 0; i < count; ++i) {
            const auto& cells = list.rows[static_cast<std::size_t>(i)].cells;
            if (!cells.empty() && equalNoCase(cells[0], text))
                return i;
        }
        return -1;
    });
    if (!index) {
        line.scriptError("no row " + quoted(value) + " in " + quoted(address));
        return;
    }
    constexpr UINT kChosen = LVIS_SELECTED | LVIS_FOCUSED;
    for (auto& row : list.rows)
        row.state &= ~kChosen;
    if (*index < 0)
        return;
    auto& row = list.rows[static_cast<std::size_t>(*index)];
    row.state |= kChosen;
    list.selectionMark = *index;
    NMLISTVIEW changed;
    changed.hdr.code = LVN_ITEMCHANGED;
    changed.iItem = *index;
    changed.uNewState = kChosen;
    changed.uChanged = LVIF_STATE;
    changed.lParam = row.data;
    notifyDialog(list, changed.hdr);
    NMITEMACTIVATE click;
    click.hdr.code = NM_CLICK;
    click.iItem = *index;
    notifyDialog(list, click.hdr);
}

void setControl(KelvoraWindow& control, std::wstring_view address, std::wstring_view value, CommandLine& line)
{
    switch (control.kind) {
    case KelvoraWindow::Kind::Edit: setEdit(control, address, std::wstring(value), line); return;
    case KelvoraWindow::Kind::CheckBox:
    case KelvoraWindow::Kind::RadioButton: setButton(control, address, value, line); return;
    case KelvoraWindow::Kind::ComboBox:
    case KelvoraWindow::Kind::ListBox: setBox(control, address, value, line); return;
    case KelvoraWindow::Kind::ListView: setListView(control, address, value, line); return;
    case KelvoraWindow::Kind::PushButton:
        line.scriptError(quoted(address) + " is a button: press it with @click " + utf8FromWide(address));
        return;
    default: line.scriptError(quoted(address) + " holds no value to set"); return;
    }
}

bool startsWithWord(std::wstring_view text, std::wstring_view word)
{
    if (text.size() < word.size() || !equalNoCase(text.substr(0, word.size()), word))
        return false;
    return text.size() == word.size() || text[word.size()] == L' ' || text[word.size()] == L'\t';
}

}  // namespace

KelvoraWindow* resolveControl(KelvoraWindow& dialog, std::wstring_view address)
{
    address = trimBlanks(address);
    if (address.empty())
        return nullptr;
    if (auto id = parseInteger(address)) {
        for (auto& control : dialog.children) {
            if (control->id == *id)
                return control.get();
        }
        return nullptr;
    }
    for (bool ignoreCase : {false, true}) {
        for (auto& control : dialog.children) {
            if (namedBy(*control, address, ignoreCase))
                return isLabel(*control) ? labelled(dialog, *control) : control.get();
        }
    }
    return nullptr;
}

void runDialogLine(KelvoraWindow& dialog, std::string_view text, CommandLine& line)
{
    std::wstring wide = wideFromUtf8(text);
    std::wstring_view body = trimBlanks(std::wstring_view(wide).substr(wide.empty() ? 0 : 1));
    const std::string title = quoted(dialog.text);
    if (equalNoCase(body, L"OK")) {
        press(dialog, IDOK);
        return;
    }
    if (equalNoCase(body, L"Cancel")) {
        press(dialog, IDCANCEL);
        return;
    }
    if (startsWithWord(body, L"box")) {
        line.scriptError("no message box is open (dialog " + title + " is)");
        return;
    }
    if (startsWithWord(body, L"click")) {
        std::wstring_view address = trimBlanks(body.substr(5));
        KelvoraWindow* control = resolveControl(dialog, address);
        if (control == nullptr) {
            line.scriptError("no control " + quoted(address) + " in dialog " + title);
            return;
        }
        if (!isButton(*control)) {
            line.scriptError(quoted(address) + " is not a button");
            return;
        }
        control->address = std::wstring(address);
        clickButton(*control);
        return;
    }
    std::size_t equals = body.find(L'=');
    if (equals == std::wstring_view::npos) {
        line.scriptError("a dialog line is @CONTROL=VALUE, @click CONTROL, @OK or @Cancel");
        return;
    }
    std::wstring_view address = trimBlanks(body.substr(0, equals));
    // The value is everything after "=", blanks included: an edit may hold "Lot ".
    std::wstring_view value = std::wstring_view(wide).substr(wide.find(L'=') + 1);
    KelvoraWindow* control = resolveControl(dialog, address);
    if (control == nullptr) {
        line.scriptError("no control " + quoted(address) + " in dialog " + title);
        return;
    }
    control->address = std::wstring(address);
    setControl(*control, address, value, line);
}

INT_PTR runModal(CDialog& dialog, KelvoraWindow& window)
{
    CommandLine* line = CommandLine::current();
    Transcript& transcript = currentTranscript();
    DialogScope scope(line);
    dialog.OnInitDialog();
    const std::wstring title = window.text;
    transcript.write(L"\n<" + title + L">");
    bool terminal = line != nullptr && line->interactive();
    while (!window.ended) {
        if (line == nullptr || line->stopped()) {
            // No input at all is the end of a script; a stopped script cancels what is open.
            closeDialog(window, line == nullptr);
            break;
        }
        if (terminal)
            transcript.write(describeDialog(window));
        const std::string* next = line->peek(kDialogPrompt);
        if (next == nullptr || next->empty() || next->front() != '@') {
            if (terminal && next != nullptr && next->empty())
                line->take(false);  // Enter at a terminal: OK
            closeDialog(window, true);
            break;
        }
        std::string text = line->take(true);
        runDialogLine(window, text, *line);
    }
    int result = window.result;
    std::wstring how = result == IDOK ? L"OK" : result == IDCANCEL ? L"Cancel" : std::to_wstring(result);
    transcript.write(L"\n</" + title + L" " + how + L">");
    return result;
}

}  // namespace kelvora
