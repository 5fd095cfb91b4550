// A dialog as text for a terminal: each control with its id, caption and value.
#include "dialog_session.h"

namespace kelvora {

namespace {

std::wstring quotedText(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

std::wstring idOf(const KelvoraWindow& control)
{
    return control.id == IDC_STATIC ? std::wstring(L"    ") : L"[" + std::to_wstring(control.id) + L"]";
}

std::wstring describeControl(const KelvoraWindow& control)
{
    std::wstring label = control.caption.empty() ? control.name : control.caption;
    std::wstring line = L"\n  " + idOf(control) + L" ";
    switch (control.kind) {
    case KelvoraWindow::Kind::GroupBox: line += L"-- " + label + L" --"; break;
    case KelvoraWindow::Kind::Static: line += control.text; break;
    case KelvoraWindow::Kind::PushButton: line += L"<" + label + L">"; break;
    case KelvoraWindow::Kind::CheckBox: line += (control.check != 0 ? L"[x] " : L"[ ] ") + label; break;
    case KelvoraWindow::Kind::RadioButton: line += (control.check != 0 ? L"(*) " : L"( ) ") + label; break;
    case KelvoraWindow::Kind::Edit: line += label + L" = " + quotedText(control.text); break;
    case KelvoraWindow::Kind::ComboBox:
    case KelvoraWindow::Kind::ListBox: {
        line += label + L" = " + quotedText(control.text) + L" of:";
        int index = 0;
        for (const auto& item : control.items)
            line += L" #" + std::to_wstring(index++) + L" " + item.text + L";";
        break;
    }
    case KelvoraWindow::Kind::ListView: {
        line += label + L":";
        std::wstring titles;
        for (const auto& column : control.columns)
            titles += column.title + L" | ";
        line += L"\n         " + titles;
        int index = 0;
        for (const auto& row : control.rows) {
            line += L"\n       " + std::wstring((row.state & LVIS_SELECTED) != 0 ? L"> #" : L"  #") +
                    std::to_wstring(index++) + L" ";
            for (const auto& cell : row.cells)
                line += cell + L" | ";
        }
        break;
    }
    default: break;
    }
    if (!control.enabled)
        line += L" (disabled)";
    return line;
}

}  // namespace

std::wstring describeDialog(const KelvoraWindow& dialog)
{
    std::wstring text;
    for (const auto& control : dialog.children) {
        if (control->visible)
            text += describeControl(*control);
    }
    text += L"\n  @CONTROL=VALUE, @click CONTROL, @OK, @Cancel; Enter: OK\n";
    return text;
}

}  // namespace kelvora
