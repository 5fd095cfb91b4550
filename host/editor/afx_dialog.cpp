// CDialog and the host's dialog classes: modal runs over the script, OK, Cancel, editor commands.
#include <cstdio>

#include "acui.h"
#include "adui.h"
#include "dialog_resources.h"
#include "dialog_session.h"
#include "text_encoding.h"

using kelvora::liveWindow;

IMPLEMENT_DYNAMIC(CDialog, CWnd)
IMPLEMENT_DYNAMIC(CAdUiBaseDialog, CDialog)
IMPLEMENT_DYNAMIC(CAdUiDialog, CAdUiBaseDialog)
IMPLEMENT_DYNAMIC(CAcUiDialog, CAdUiDialog)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

void reportMissingTemplate(UINT id)
{
    std::string text = "dialog template " + std::to_string(id) + " is not in the current resources";
    if (kelvora::CommandLine* line = kelvora::CommandLine::current())
        line->scriptWarning(text);
    else
        std::fprintf(stderr, "kelvora: warning: %s\n", text.c_str());
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal()
{
    if (liveWindow(m_hWnd) != nullptr)
        return -1;  // already running
    HINSTANCE resources = m_hDialogResource != nullptr ? m_hDialogResource : AfxGetResourceHandle();
    const kelvora::DialogTemplate* dialogTemplate = kelvora::findDialogTemplate(resources, m_nIDTemplate);
    if (dialogTemplate == nullptr) {
        reportMissingTemplate(m_nIDTemplate);
        return -1;
    }
    KelvoraWindow* parent = m_pParentWnd != nullptr ? liveWindow(m_pParentWnd->m_hWnd) : nullptr;
    std::unique_ptr<KelvoraWindow> window =
        kelvora::createDialogWindow(*dialogTemplate, parent != nullptr ? parent : &kelvora::mainWindow());
    window->wrapper = this;
    m_hWnd = window.get();
    INT_PTR result = kelvora::runModal(*this, *window);
    window.reset();  // clears m_hWnd and the handles of attached controls
    return result;
}

void CDialog::EndDialog(int result)
{
    if (KelvoraWindow* window = liveWindow(m_hWnd)) {
        window->ended = true;
        window->result = result;
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (control != nullptr)
        control->SetFocus();
}

void CDialog::SetDefID(UINT id)
{
    if (KelvoraWindow* window = liveWindow(m_hWnd))
        window->defaultId = id;
}

DWORD CDialog::GetDefID() const
{
    KelvoraWindow* window = liveWindow(m_hWnd);
    return window != nullptr ? static_cast<DWORD>(window->defaultId) : 0;
}

CAdUiBaseDialog::CAdUiBaseDialog(UINT templateId, CWnd* parent, HINSTANCE dialogResource)
    : CDialog(templateId, parent)
{
    m_hDialogResource = dialogResource;
}

CAdUiDialog::CAdUiDialog(UINT templateId, CWnd* parent, HINSTANCE dialogResource)
    : CAdUiBaseDialog(templateId, parent, dialogResource)
{
}

void CAdUiDialog::BeginEditorCommand()
{
    ShowWindow(SW_HIDE);
    kelvora::mainWindow().enabled = true;
}

void CAdUiDialog::CompleteEditorCommand(BOOL restoreDialogs)
{
    if (restoreDialogs)
        ShowWindow(SW_SHOW);
}

void CAdUiDialog::CancelEditorCommand()
{
    ShowWindow(SW_SHOW);
    EndDialog(IDCANCEL);
}

CAcUiDialog::CAcUiDialog(UINT templateId, CWnd* parent, HINSTANCE dialogResource)
    : CAdUiDialog(templateId, parent, dialogResource)
{
}
