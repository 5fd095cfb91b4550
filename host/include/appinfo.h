// AcadAppInfo: an application's demand-load record (module, description, load reasons) in the host's registry file.
#pragma once

#include <string>
#include <vector>

#include "AdAChar.h"
#include "rxboiler.h"

struct AcadApp {
    // When the host loads an application by itself. The host acts on kOnProxyDetection (a drawing
    // read with objects of the application's classes) and kOnLoadRequest (APPLOAD, ARX L by name).
    enum LoadReasons {
        kOnProxyDetection = 0x01,
        kOnAutoCADStartup = 0x02,
        kOnCommandInvocation = 0x04,
        kOnLoadRequest = 0x08,
        kLoadDisabled = 0x10,
        kTransparentlyLoadable = 0x20,
        kOnIdleLoad = 0x40,
    };
    enum ErrorStatus {
        eOk = 0,
        eInvalidKey = 1,
        eInvalidSubKey = 2,
        eKeyNotFound = 3,
        eOutOfMemory = 4,
        eInvalidValue = 5,
        eValueNotFound = 6,
        eKeyExists = 7,
        eRegAccessDenied = 8,
        eRejected = 9,
        eUnknownError = 10,
    };
};

// The registry is a text file: $KELVORA_REGISTRY when set, otherwise
// $XDG_CONFIG_HOME/kelvora/registry.ini ($HOME/.config/kelvora/registry.ini when XDG_CONFIG_HOME is
// unset). Each application is one section named after its application name:
//
//   [Applications\Kelvora]
//   DESCRIPTION=Kelvora
//   LOADCTRLS=9
//   LOADER=/full/path/of/the/module.so
//   Groups\KELVORA=KELVORA
//   Commands\_SPOLY=SPOLY
//
// Values are UTF-8; a write replaces the section of that application and keeps the others. The
// file is written beside itself and renamed over itself, so a reader never sees half a file.
class AcadAppInfo : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcadAppInfo);

    AcadAppInfo();
    ~AcadAppInfo() override;

    const ACHAR* appName() const;
    void setAppName(const ACHAR* appName);
    const ACHAR* moduleName() const;
    void setModuleName(const ACHAR* moduleName);
    const ACHAR* appDesc() const;
    void setAppDesc(const ACHAR* appDesc);
    AcadApp::LoadReasons loadReason() const;
    void setLoadReason(AcadApp::LoadReasons reasons);

    // Both flags are accepted for the caller's sake: the host has one registry, per user. eInvalidKey
    // without an application name; eRegAccessDenied when the file cannot be written.
    AcadApp::ErrorStatus writeToRegistry(bool bForAllUsers = true, bool bWriteAppName = true);
    // Fills this record from the section of appName(); eKeyNotFound when there is none.
    AcadApp::ErrorStatus readFromRegistry();
    AcadApp::ErrorStatus delFromRegistry(bool bForAllUsers = true);
    // Entries under the application's section (written at once).
    AcadApp::ErrorStatus writeGroupNameToRegistry(const ACHAR* groupName);
    AcadApp::ErrorStatus writeCommandNameToRegistry(const ACHAR* globalCmdName, const ACHAR* localCmdName);

private:
    std::wstring m_appName;
    std::wstring m_moduleName;
    std::wstring m_appDesc;
    AcadApp::LoadReasons m_loadReason = AcadApp::LoadReasons(0);
};

namespace kelvora {

// The path of the registry file as the environment gives it (see above).
std::string registryFilePath();

// The demand-load records of the registry file, in the file's order.
struct DemandLoadRecord {
    std::wstring appName;
    std::wstring description;
    std::wstring loader;  // the module's full path
    int loadReasons = 0;
};
std::vector<DemandLoadRecord> readDemandLoadRecords();

}  // namespace kelvora
