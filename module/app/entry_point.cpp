// The module's entry points: library attach/detach, acrxEntryPoint and acrxGetApiVersion.
#include "acedads.h"
#include "afxdllx.h"
#include "app/class_registry.h"
#include "app/command_table.h"
#include "app/module_export.h"
#include "app/module_instance.h"
#include "appinfo.h"
#include "resources/dialog_resources.h"
#include "rxregsvc.h"

#ifndef DLL_PROCESS_DETACH
#define DLL_PROCESS_DETACH 0
#endif
#ifndef DLL_PROCESS_ATTACH
#define DLL_PROCESS_ATTACH 1
#endif

namespace {

// R17 in the upper 16 bits, minor version 0.
constexpr int kApiVersion = 0x00110000;

AFX_EXTENSION_MODULE g_extensionModule;
bool g_extensionInitialised = false;

void writeDemandLoadRecord()
{
    AcadAppInfo info;
    info.setModuleName(acedGetAppName());
    info.setAppDesc(ACRX_T("Kelvora"));
    info.setAppName(ACRX_T("Kelvora"));
    info.setLoadReason(AcadApp::LoadReasons(AcadApp::kOnProxyDetection | AcadApp::kOnLoadRequest));
    info.writeToRegistry(false, false);
}

}  // namespace

HINSTANCE kelvora::app::moduleInstance()
{
    return g_extensionModule.hResource != nullptr ? g_extensionModule.hResource : g_extensionModule.hModule;
}

KELVORA_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        if (!g_extensionInitialised && AfxInitExtensionModule(g_extensionModule, instance)) {
            new CDynLinkLibrary(g_extensionModule);  // the host's list owns it
            kelvora::resources::addModuleDialogTemplates(instance);
            g_extensionInitialised = true;
        }
    } else if (reason == DLL_PROCESS_DETACH) {
        if (g_extensionInitialised) {
            AfxTermExtensionModule(g_extensionModule);
            g_extensionInitialised = false;
        }
    }
    return TRUE;
}

KELVORA_EXPORT AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId)
{
    switch (msg) {
    case AcRx::kInitAppMsg:
        acrxRegisterAppMDIAware(appId);
        writeDemandLoadRecord();
        kelvora::app::registerClasses();
        kelvora::app::registerCommands();
        break;
    case AcRx::kUnloadAppMsg:
        kelvora::app::unregisterCommands();
        kelvora::app::unregisterClasses();
        break;
    default:
        break;
    }
    return AcRx::kRetOK;
}

KELVORA_EXPORT int acrxGetApiVersion() { return kApiVersion; }
