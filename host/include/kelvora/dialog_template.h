// Dialog templates written in code, as a resource script would hold them: each control's id, kind, caption, style.
#pragma once

#include <string_view>
#include <vector>

#include "kelvora/win32.h"

namespace kelvora {

enum class ControlKind {
    Static,       // a label; addressing it addresses the control it labels (see below)
    GroupBox,
    PushButton,
    CheckBox,     // BS_AUTOCHECKBOX unless the style says BS_CHECKBOX or a 3-state kind
    RadioButton,  // BS_AUTORADIOBUTTON unless the style says BS_RADIOBUTTON
    Edit,         // ES_NUMBER: digits only; ES_READONLY; ES_CENTER ...
    ComboBox,     // CBS_DROPDOWNLIST unless the style says CBS_DROPDOWN; CBS_SORT keeps items sorted
    ListBox,      // LBS_SORT keeps items sorted
    ListView,     // LVS_REPORT for columns and sub-items
};

// One control, in the dialog's order (the tab order of a resource script).
//
// Scripts address a control by its id, by its caption with or without its "&", or by `name`
// (for a control without caption). A label (a static or a group box) addressed by its text
// stands for the control it labels: `buddy` when given, otherwise the next control in the
// dialog's order that is neither a static nor a group box, as a label's mnemonic does.
//
// Radio buttons form groups as in a resource script: a group starts at a control with
// WS_GROUP and runs to the next control with WS_GROUP; give the first radio of each group
// WS_GROUP, and the first control after the last group too. WS_DISABLED starts it disabled.
struct ControlTemplate {
    int id = IDC_STATIC;
    ControlKind kind = ControlKind::Static;
    const wchar_t* caption = L"";
    DWORD style = 0;
    const wchar_t* name = nullptr;
    int buddy = 0;
    // Position and size in dialog units (0: a size that suits the kind).
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct DialogTemplate {
    UINT id = 0;
    const wchar_t* title = L"";
    std::vector<ControlTemplate> controls;
    int cx = 0;  // dialog units
    int cy = 0;
};

// A resource module: the dialog templates of one application, what its compiled resource
// script would hold. The host copies every template it is given, so an application may be
// unloaded while its handle lives on (the handle then simply finds nothing).
HINSTANCE createResourceModule(std::wstring_view name);
void destroyResourceModule(HINSTANCE module);

// Adds a template; false for an unknown module or an id already there.
bool addDialogTemplate(HINSTANCE module, const DialogTemplate& dialog);

// The host's own module, the current resource handle at start.
HINSTANCE hostResourceModule();

}  // namespace kelvora
