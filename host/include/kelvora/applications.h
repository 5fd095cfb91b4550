// Applications (module libraries): loading through acrxEntryPoint, unloading, demand loading, and the application that runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "AdAChar.h"
#include "rxdefs.h"

class AcDbDatabase;

// What a module library exports, as C functions with default visibility:
//
//   AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId);   required
//   int acrxGetApiVersion();                          optional; major version 17 (0x0011xxxx)
//   BOOL DllMain(HINSTANCE module, DWORD reason, LPVOID);                  optional
//
// Loading: the host makes the application's resource module (named after the library file) and
// opens the library; DllMain gets that handle with DLL_PROCESS_ATTACH, and is where an MFC-style
// extension library adds its dialog templates (kelvora/dialog_template.h) and records itself
// (afxdllx.h). Then acrxEntryPoint gets AcRx::kInitAppMsg with the application's packet; commands
// added meanwhile belong to the application. kRetError from the entry point refuses the load.
// Proxies of every drawing whose classes are now registered become objects of those classes.
//
// Unloading: the objects of the classes its initialisation registered become proxies in every
// drawing (kelvora/drawing_file.h: their data kept, nothing lost),
// then acrxEntryPoint gets AcRx::kUnloadAppMsg, commands it left behind are removed, DllMain gets
// DLL_PROCESS_DETACH, and the library is closed. Loading and unloading clear the undo history of
// every drawing (the steps recorded objects of classes that come and go).
#define KELVORA_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

#ifndef DLL_PROCESS_DETACH
#define DLL_PROCESS_DETACH 0
#endif
#ifndef DLL_PROCESS_ATTACH
#define DLL_PROCESS_ATTACH 1
#endif

// The API version the host runs: 17.0, as the module expects it.
constexpr int kHostApiVersion = 0x00110000;

namespace kelvora {

enum class AppLoadStatus {
    kLoaded,
    kAlreadyLoaded,
    kMissing,           // no such file
    kNotLoadable,       // the dynamic loader refused it
    kNotAnApplication,  // no acrxEntryPoint
    kWrongVersion,      // acrxGetApiVersion names another major version
    kRefused,           // DllMain or acrxEntryPoint answered failure
};

struct AppLoadResult {
    AppLoadStatus status = AppLoadStatus::kMissing;
    std::string detail;  // for standard error: the loader's own reason (may name paths)
};

// Loads the library at `path` (relative paths from the working folder).
AppLoadResult loadApplication(const std::string& path);

enum class AppUnloadStatus { kUnloaded, kNotLoaded, kBusy, kKeptMapped };

// Unloads the application named by `name`: its full path, its file name, or its file name without
// the "lib" prefix and the extension, any case. kBusy: its code is running (a command of it asked for
// the unload), nothing done. kKeptMapped: its message 2 was sent and its commands
// removed, but some of its objects could not be made proxies (open at the time), so its library stays
// mapped rather than leave them without code.
AppUnloadStatus unloadApplication(std::wstring_view name);

// Unloads every application, the last loaded first (at the end of the program, after the drawings
// are gone).
void unloadAllApplications();

struct LoadedApplicationInfo {
    std::wstring path;      // absolute
    std::wstring fileName;  // without folders
    void* packet = nullptr; // the appId its entry point receives
};
std::vector<LoadedApplicationInfo> loadedApplications();
bool isApplicationLoaded(std::wstring_view name);

// The module the program loads by default: $KELVORA_MODULE when set, otherwise
// libkelvora_module.so beside the running executable (or in ../lib from it, as installed).
// The first of those that exists; when none does, the path beside the executable.
std::string defaultModulePath();

// The path an answer of APPLOAD or ARX L names: the word "kelvora" (any case) is the default
// module; anything else is a path as typed.
std::string applicationPathFromAnswer(std::wstring_view answer);

// Demand loading on proxy detection: for every proxy of the drawing whose application has a
// registry record (see appinfo.h) with AcadApp::kOnProxyDetection and a module not loaded yet, loads
// that module. Answers how many applications were loaded.
int demandLoadForProxies(AcDbDatabase* db);

// The application whose code runs: set while its entry point or one of its commands runs, so that
// acedGetAppName answers its path.
class RunningApplication {
public:
    explicit RunningApplication(void* packet);
    ~RunningApplication();
    RunningApplication(const RunningApplication&) = delete;
    RunningApplication& operator=(const RunningApplication&) = delete;

private:
    void* m_packet;
};

}  // namespace kelvora

// The full path of the running application's library (see kelvora::RunningApplication); outside one,
// the path of the application loaded last; "" when none is loaded.
const ACHAR* acedGetAppName();
