// The windows the host keeps behind window handles: dialogs, their controls and the main window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "afxcmn.h"
#include "afxwin.h"
#include "kelvora/dialog_template.h"

// The state of one window. Control objects (CButton, CComboBox ...) only hold its handle.
struct KelvoraWindow {
    enum class Kind { Frame, View, Dialog, Static, GroupBox, PushButton, CheckBox, RadioButton, Edit, ComboBox, ListBox, ListView, Header };

    struct Item {
        std::wstring text;
        DWORD_PTR data = 0;
    };
    struct Column {
        std::wstring title;
        int format = LVCFMT_LEFT;
        int width = 0;
    };
    struct Row {
        std::vector<std::wstring> cells;  // cells[0] is the item text
        LPARAM data = 0;
        UINT state = 0;
    };

    KelvoraWindow(Kind kind, int id, std::wstring text, DWORD style);
    ~KelvoraWindow();
    KelvoraWindow(const KelvoraWindow&) = delete;
    KelvoraWindow& operator=(const KelvoraWindow&) = delete;

    Kind kind;
    int id;
    std::wstring text;  // caption, edit text, combo box edit text, dialog title
    std::wstring caption;  // the template's caption, by which scripts address the control
    DWORD style;
    DWORD extendedStyle = 0;
    bool enabled = true;
    bool visible = true;
    RECT rect;  // pixels, in the parent's client area
    KelvoraWindow* parent = nullptr;
    std::vector<std::unique_ptr<KelvoraWindow>> children;

    CWnd* wrapper = nullptr;               // attached object (the dialog, DDX_Control members)
    std::unique_ptr<CWnd> hostWrapper;     // object the host made for GetDlgItem
    std::wstring name;                     // script name of a control without caption
    int buddy = 0;
    std::wstring address;                  // how the script last named it

    int check = BST_UNCHECKED;
    std::vector<Item> items;
    int currentSelection = -1;
    bool droppedDown = false;
    int textLimit = 0;
    int selectionStart = 0;
    int selectionEnd = 0;
    std::vector<Column> columns;
    std::vector<Row> rows;
    int selectionMark = -1;

    // A modal dialog's run.
    bool ended = false;
    int result = 0;
    KelvoraWindow* focus = nullptr;
    UINT defaultId = IDOK;
};

namespace kelvora {

// The window behind a handle, or null when the handle names no live window.
KelvoraWindow* liveWindow(HWND handle);

// A dialog window made from a template, with its controls; owned by the caller.
std::unique_ptr<KelvoraWindow> createDialogWindow(const DialogTemplate& dialog, KelvoraWindow* parent);

// The object standing for a window (attached, or made by the host to suit its kind).
CWnd* wrapperFor(KelvoraWindow& window);

// The control of a dialog with that id (first in order), or null.
KelvoraWindow* childById(KelvoraWindow& dialog, int id);

// The radio buttons of the group that holds `radio` (WS_GROUP to the next WS_GROUP).
std::vector<KelvoraWindow*> radioGroup(KelvoraWindow& radio);

// How messages name a control: what the script called it, else its name, else its id.
std::wstring controlLabel(const KelvoraWindow& control);

// Sends a WM_COMMAND notification of a control to its dialog's message maps; a click on IDOK
// or IDCANCEL not handled there goes to the dialog's OnOK / OnCancel.
void notifyCommand(KelvoraWindow& control, UINT code);
// Sends a WM_NOTIFY notification of a control to its dialog's message maps.
void notifyDialog(KelvoraWindow& control, NMHDR& header);

// A click on a button: an automatic check box toggles, an automatic radio button is checked
// (and the others of its group cleared); then BN_CLICKED goes to the dialog.
void clickButton(KelvoraWindow& button);
// Checks a radio button and clears the others of its group.
void checkRadio(KelvoraWindow& radio);

// The host's main window (made on first use).
KelvoraWindow& mainWindow();

// Items of combo and list boxes, shared by both.
int findItem(const KelvoraWindow& box, int startAfter, std::wstring_view text, bool exact);
int insertItem(KelvoraWindow& box, int index, std::wstring_view text);
bool sortedItems(const KelvoraWindow& box);

// The width a list-view column needs for its texts, in pixels.
int columnWidthFor(const KelvoraWindow& list, int column, bool withTitle);

}  // namespace kelvora
