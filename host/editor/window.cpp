// The window records: creation from templates, liveness of handles, control lookup, notifications.
#include "window.h"

#include <algorithm>
#include <unordered_set>

#include "text_encoding.h"

namespace kelvora {

namespace {

// Handles of windows alive now. A handle kept after its dialog closed finds nothing here.
std::unordered_set<const KelvoraWindow*>& liveWindows()
{
    static std::unordered_set<const KelvoraWindow*> windows;
    return windows;
}

// Dialog units to pixels for the host's dialog font (MS Sans Serif 8: 6 x 13 base units).
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

// Sizes, in dialog units, of a control whose template gives none.
int defaultWidth(ControlKind kind)
{
    switch (kind) {
    case ControlKind::ListView: return 240;
    case ControlKind::ListBox: return 120;
    case ControlKind::PushButton: return 50;
    default: return 100;
    }
}

int defaultHeight(ControlKind kind)
{
    switch (kind) {
    case ControlKind::ListView:
    case ControlKind::ListBox: return 100;
    case ControlKind::PushButton: return 14;
    default: return 12;
    }
}

KelvoraWindow::Kind windowKind(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Static: return KelvoraWindow::Kind::Static;
    case ControlKind::GroupBox: return KelvoraWindow::Kind::GroupBox;
    case ControlKind::PushButton: return KelvoraWindow::Kind::PushButton;
    case ControlKind::CheckBox: return KelvoraWindow::Kind::CheckBox;
    case ControlKind::RadioButton: return KelvoraWindow::Kind::RadioButton;
    case ControlKind::Edit: return KelvoraWindow::Kind::Edit;
    case ControlKind::ComboBox: return KelvoraWindow::Kind::ComboBox;
    case ControlKind::ListBox: return KelvoraWindow::Kind::ListBox;
    case ControlKind::ListView: return KelvoraWindow::Kind::ListView;
    }
    return KelvoraWindow::Kind::Static;
}

// The style of a control with the defaults of its kind filled in.
DWORD styleFor(const ControlTemplate& control)
{
    DWORD style = control.style | WS_CHILD | WS_VISIBLE;
    switch (control.kind) {
    case ControlKind::CheckBox:
        if ((style & BS_TYPEMASK) == 0)
            style |= BS_AUTOCHECKBOX;
        break;
    case ControlKind::RadioButton:
        if ((style & BS_TYPEMASK) == 0)
            style |= BS_AUTORADIOBUTTON;
        break;
    case ControlKind::GroupBox:
        style = (style & ~BS_TYPEMASK) | BS_GROUPBOX;
        break;
    case ControlKind::ComboBox:
        if ((style & 0x3u) == 0)
            style |= CBS_DROPDOWNLIST;
        break;
    default:
        break;
    }
    return style;
}

std::unique_ptr<CWnd> makeHostWrapper(KelvoraWindow::Kind kind)
{
    switch (kind) {
    case KelvoraWindow::Kind::PushButton:
    case KelvoraWindow::Kind::CheckBox:
    case KelvoraWindow::Kind::RadioButton:
    case KelvoraWindow::Kind::GroupBox: return std::make_unique<CButton>();
    case KelvoraWindow::Kind::Edit: return std::make_unique<CEdit>();
    case KelvoraWindow::Kind::Static: return std::make_unique<CStatic>();
    case KelvoraWindow::Kind::ComboBox: return std::make_unique<CComboBox>();
    case KelvoraWindow::Kind::ListBox: return std::make_unique<CListBox>();
    case KelvoraWindow::Kind::ListView: return std::make_unique<CListCtrl>();
    case KelvoraWindow::Kind::Header: return std::make_unique<CHeaderCtrl>();
    case KelvoraWindow::Kind::Frame: return std::make_unique<CMDIFrameWnd>();
    case KelvoraWindow::Kind::View: return std::make_unique<CView>();
    case KelvoraWindow::Kind::Dialog: return std::make_unique<CWnd>();
    }
    return std::make_unique<CWnd>();
}

// Average character width of the dialog font, for sizing columns to their texts.
constexpr int kCharacterWidth = 6;
constexpr int kColumnMargin = 12;

}  // namespace

}  // namespace kelvora

KelvoraWindow::KelvoraWindow(Kind kind_, int id_, std::wstring text_, DWORD style_)
    : kind(kind_), id(id_), text(std::move(text_)), style(style_)
{
    kelvora::liveWindows().insert(this);
}

KelvoraWindow::~KelvoraWindow()
{
    kelvora::liveWindows().erase(this);
    children.clear();
    if (wrapper != nullptr)
        wrapper->m_hWnd = nullptr;
    if (hostWrapper)
        hostWrapper->m_hWnd = nullptr;
}

namespace kelvora {

KelvoraWindow* liveWindow(HWND handle)
{
    if (handle == nullptr || liveWindows().count(handle) == 0)
        return nullptr;
    return handle;
}

std::unique_ptr<KelvoraWindow> createDialogWindow(const DialogTemplate& dialog, KelvoraWindow* parent)
{
    auto window = std::make_unique<KelvoraWindow>(KelvoraWindow::Kind::Dialog, static_cast<int>(dialog.id),
                                                  dialog.title != nullptr ? dialog.title : L"",
                                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    window->parent = parent;
    window->rect = RECT{0, 0, (dialog.cx > 0 ? dialog.cx : 200) * kBaseUnitX / 4,
                        (dialog.cy > 0 ? dialog.cy : 150) * kBaseUnitY / 8};
    for (const ControlTemplate& t : dialog.controls) {
        auto control = std::make_unique<KelvoraWindow>(windowKind(t.kind), t.id, t.caption != nullptr ? t.caption : L"",
                                                       styleFor(t));
        control->parent = window.get();
        control->caption = control->text;
        control->enabled = (t.style & WS_DISABLED) == 0;
        control->name = t.name != nullptr ? t.name : L"";
        control->buddy = t.buddy;
        int cx = t.cx > 0 ? t.cx : defaultWidth(t.kind);
        int cy = t.cy > 0 ? t.cy : defaultHeight(t.kind);
        control->rect = RECT{t.x * kBaseUnitX / 4, t.y * kBaseUnitY / 8, (t.x + cx) * kBaseUnitX / 4,
                             (t.y + cy) * kBaseUnitY / 8};
        if (t.kind == ControlKind::ListView) {
            auto header = std::make_unique<KelvoraWindow>(KelvoraWindow::Kind::Header, 0, L"", WS_CHILD | WS_VISIBLE);
            header->parent = control.get();
            control->children.push_back(std::move(header));
        }
        if (t.kind == ControlKind::Edit || t.kind == ControlKind::ComboBox || t.kind == ControlKind::ListBox ||
            t.kind == ControlKind::ListView)
            control->text.clear();  // a caption there would be content; these start empty
        window->children.push_back(std::move(control));
    }
    return window;
}

CWnd* wrapperFor(KelvoraWindow& window)
{
    if (window.wrapper != nullptr)
        return window.wrapper;
    if (!window.hostWrapper) {
        window.hostWrapper = makeHostWrapper(window.kind);
        window.hostWrapper->m_hWnd = &window;
    }
    return window.hostWrapper.get();
}

KelvoraWindow* childById(KelvoraWindow& dialog, int id)
{
    for (auto& child : dialog.children) {
        if (child->id == id)
            return child.get();
    }
    return nullptr;
}

std::vector<KelvoraWindow*> radioGroup(KelvoraWindow& radio)
{
    std::vector<KelvoraWindow*> group;
    KelvoraWindow* dialog = radio.parent;
    if (dialog == nullptr)
        return {&radio};
    auto& controls = dialog->children;
    auto it = std::find_if(controls.begin(), controls.end(), [&](const auto& c) { return c.get() == &radio; });
    if (it == controls.end())
        return {&radio};
    std::size_t index = static_cast<std::size_t>(it - controls.begin());
    std::size_t first = index;
    while (first > 0 && (controls[first]->style & WS_GROUP) == 0)
        --first;
    for (std::size_t i = first; i < controls.size(); ++i) {
        if (i > first && (controls[i]->style & WS_GROUP) != 0)
            break;
        if (controls[i]->kind == KelvoraWindow::Kind::RadioButton)
            group.push_back(controls[i].get());
    }
    return group;
}

std::wstring controlLabel(const KelvoraWindow& control)
{
    if (!control.address.empty())
        return control.address;
    if (!control.name.empty())
        return control.name;
    return std::to_wstring(control.id);
}

void notifyCommand(KelvoraWindow& control, UINT code)
{
    KelvoraWindow* dialog = control.parent;
    if (dialog == nullptr || dialog->wrapper == nullptr)
        return;
    CWnd* target = dialog->wrapper;
    auto id = static_cast<UINT>(control.id);
    target->dispatchMessageMap(WM_COMMAND, code, id, nullptr, nullptr);
}

void notifyDialog(KelvoraWindow& control, NMHDR& header)
{
    KelvoraWindow* dialog = control.parent;
    if (dialog == nullptr || dialog->wrapper == nullptr)
        return;
    header.hwndFrom = &control;
    header.idFrom = static_cast<UINT_PTR>(control.id);
    LRESULT result = 0;
    dialog->wrapper->dispatchMessageMap(WM_NOTIFY, header.code, static_cast<UINT>(control.id), &header, &result);
}

KelvoraWindow& mainWindow()
{
    liveWindows();  // made first, so that it outlives the main window at exit
    static KelvoraWindow frame(KelvoraWindow::Kind::Frame, 0, L"Kelvora", WS_VISIBLE);
    static bool made = [] {
        frame.rect = RECT{0, 0, 1600, 1200};
        auto view = std::make_unique<KelvoraWindow>(KelvoraWindow::Kind::View, 0, L"", WS_CHILD | WS_VISIBLE);
        view->parent = &frame;
        view->rect = frame.rect;
        frame.children.push_back(std::move(view));
        return true;
    }();
    (void)made;
    return frame;
}

bool sortedItems(const KelvoraWindow& box)
{
    if (box.kind == KelvoraWindow::Kind::ComboBox)
        return (box.style & CBS_SORT) != 0;
    return (box.style & LBS_SORT) != 0;
}

int findItem(const KelvoraWindow& box, int startAfter, std::wstring_view text, bool exact)
{
    int count = static_cast<int>(box.items.size());
    if (count == 0)
        return CB_ERR;
    int start = startAfter < -1 || startAfter >= count ? -1 : startAfter;
    for (int k = 1; k <= count; ++k) {
        int i = (start + k) % count;
        const std::wstring& item = box.items[static_cast<std::size_t>(i)].text;
        bool hit = exact ? equalNoCase(item, text)
                         : item.size() >= text.size() && equalNoCase(std::wstring_view(item).substr(0, text.size()), text);
        if (hit)
            return i;
    }
    return CB_ERR;
}

int insertItem(KelvoraWindow& box, int index, std::wstring_view text)
{
    int count = static_cast<int>(box.items.size());
    if (index < 0 || index > count)
        index = count;
    auto position = box.items.begin() + index;
    box.items.insert(position, KelvoraWindow::Item{std::wstring(text), 0});
    if (box.currentSelection >= index)
        ++box.currentSelection;
    return index;
}

int columnWidthFor(const KelvoraWindow& list, int column, bool withTitle)
{
    std::size_t longest = 0;
    for (const auto& row : list.rows) {
        if (static_cast<std::size_t>(column) < row.cells.size())
            longest = std::max(longest, row.cells[static_cast<std::size_t>(column)].size());
    }
    if (withTitle && static_cast<std::size_t>(column) < list.columns.size())
        longest = std::max(longest, list.columns[static_cast<std::size_t>(column)].title.size());
    return static_cast<int>(longest) * kCharacterWidth + kColumnMargin;
}

}  // namespace kelvora
