// Resource modules: copies of the dialog templates an application gives, and the current resource handle.
#include "dialog_resources.h"

#include <list>
#include <map>
#include <memory>
#include <string>

#include "afxwin.h"

// A resource module's copy of its templates: texts are owned here, and the templates' pointers
// point into them, so nothing depends on the application staying loaded.
struct KelvoraResourceModule {
    struct StoredDialog {
        std::list<std::wstring> texts;
        kelvora::DialogTemplate dialog;
    };
    std::wstring name;
    std::map<UINT, std::unique_ptr<StoredDialog>> dialogs;
};

namespace kelvora {

namespace {

std::map<const KelvoraResourceModule*, std::unique_ptr<KelvoraResourceModule>>& modules()
{
    static std::map<const KelvoraResourceModule*, std::unique_ptr<KelvoraResourceModule>> all;
    return all;
}

HINSTANCE& currentHandle()
{
    static HINSTANCE handle = hostResourceModule();
    return handle;
}

KelvoraResourceModule* moduleFor(HINSTANCE handle)
{
    auto it = modules().find(handle);
    return it != modules().end() ? it->second.get() : nullptr;
}

const wchar_t* keep(std::list<std::wstring>& texts, const wchar_t* text)
{
    if (text == nullptr)
        return nullptr;
    texts.emplace_back(text);
    return texts.back().c_str();
}

}  // namespace

HINSTANCE createResourceModule(std::wstring_view name)
{
    auto module = std::make_unique<KelvoraResourceModule>();
    module->name = std::wstring(name);
    HINSTANCE handle = module.get();
    modules().emplace(handle, std::move(module));
    return handle;
}

void destroyResourceModule(HINSTANCE module)
{
    if (module == hostResourceModule())
        return;
    if (currentHandle() == module)
        currentHandle() = hostResourceModule();
    modules().erase(module);
}

bool addDialogTemplate(HINSTANCE handle, const DialogTemplate& dialog)
{
    KelvoraResourceModule* module = moduleFor(handle);
    if (module == nullptr || module->dialogs.count(dialog.id) != 0)
        return false;
    auto stored = std::make_unique<KelvoraResourceModule::StoredDialog>();
    stored->dialog = dialog;
    stored->dialog.title = keep(stored->texts, dialog.title != nullptr ? dialog.title : L"");
    for (ControlTemplate& control : stored->dialog.controls) {
        control.caption = keep(stored->texts, control.caption != nullptr ? control.caption : L"");
        control.name = keep(stored->texts, control.name);
    }
    module->dialogs.emplace(dialog.id, std::move(stored));
    return true;
}

HINSTANCE hostResourceModule()
{
    static HINSTANCE host = createResourceModule(L"kelvora");
    return host;
}

const DialogTemplate* findDialogTemplate(HINSTANCE handle, UINT id)
{
    KelvoraResourceModule* module = moduleFor(handle);
    if (module == nullptr)
        return nullptr;
    auto it = module->dialogs.find(id);
    return it != module->dialogs.end() ? &it->second->dialog : nullptr;
}

}  // namespace kelvora

HINSTANCE AfxGetResourceHandle()
{
    return kelvora::currentHandle();
}

void AfxSetResourceHandle(HINSTANCE module)
{
    kelvora::currentHandle() = module != nullptr ? module : kelvora::hostResourceModule();
}
