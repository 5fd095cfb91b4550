// Loading and unloading applications: dlopen, DllMain, acrxEntryPoint messages, and the running application.
#include "kelvora/applications.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "afxdllx.h"
#include "appinfo.h"
#include "command_stack_impl.h"
#include "dbproxy.h"
#include "kelvora/database_internals.h"
#include "kelvora/dialog_template.h"
#include "kelvora/drawing_file.h"
#include "kelvora/undo.h"
#include "kelvora/script_syntax.h"
#include "rxregsvc.h"
#include "text_encoding.h"

namespace kelvora {

namespace {

using EntryPoint = AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*);
using ApiVersion = int (*)();
using DllMainFunction = BOOL (*)(HINSTANCE, DWORD, LPVOID);

constexpr const char* kModuleFileName = "libkelvora_module.so";
constexpr std::wstring_view kDefaultModuleWord = L"kelvora";
// The major version lives in the upper 16 bits of acrxGetApiVersion's answer.
constexpr int kApiMajorShift = 16;

struct LoadedApp {
    std::wstring path;
    std::wstring fileName;
    void* library = nullptr;
    EntryPoint entry = nullptr;
    DllMainFunction dllMain = nullptr;
    HINSTANCE resources = nullptr;
    std::vector<AcRxClass*> classes;       // classes its initialisation registered
};

std::vector<std::unique_ptr<LoadedApp>>& apps()
{
    static std::vector<std::unique_ptr<LoadedApp>> all;
    return all;
}

// The applications whose code runs, innermost last (a command of one may run a command of another).
std::vector<void*>& runningStack()
{
    static std::vector<void*> stack;
    return stack;
}

bool isRunning(const LoadedApp* app)
{
    const auto& stack = runningStack();
    return std::find(stack.begin(), stack.end(), app) != stack.end();
}

LoadedApp* appOfPacket(void* packet)
{
    for (const auto& app : apps()) {
        if (app.get() == packet)
            return app.get();
    }
    return nullptr;
}

std::filesystem::path canonicalPath(const std::filesystem::path& path)
{
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (ec)
        return path;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, ec);
    return ec ? absolute : canonical;
}

std::wstring wide(const std::filesystem::path& path)
{
    return wideFromUtf8(path.string());
}

std::string executableFolder()
{
    std::string buffer(4096, '\0');
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        return {};
    buffer.resize(static_cast<std::size_t>(n));
    return std::filesystem::path(buffer).parent_path().string();
}

std::set<AcRxClass*> registeredClasses()
{
    std::set<AcRxClass*> classes;
    AcRxDictionary* dictionary = acrxClassDictionary;
    if (dictionary == nullptr)
        return classes;
    std::unique_ptr<AcRxDictionaryIterator> it(dictionary->newIterator(AcRx::kDictCollated));
    for (; it != nullptr && !it->done(); it->next()) {
        if (AcRxClass* cls = AcRxClass::cast(it->object()))
            classes.insert(cls);
    }
    return classes;
}

// Names an application answers to: its path, its file name, the file name without "lib" and extension.
bool answersTo(const LoadedApp& app, std::wstring_view name)
{
    if (equalNoCase(app.path, name) || equalNoCase(app.fileName, name))
        return true;
    std::wstring stem = app.fileName.substr(0, app.fileName.find(L'.'));
    if (equalNoCase(stem, name))
        return true;
    return stem.size() > 3 && equalNoCase(stem.substr(0, 3), L"lib") && equalNoCase(stem.substr(3), name);
}

void clearEveryUndoHistory()
{
    for (AcDbDatabase* db : liveDatabases())
        clearUndoHistory(db);
}

void sendMessage(LoadedApp& app, AcRx::AppMsgCode message, AcRx::AppRetCode& result)
{
    RunningApplication running(&app);
    void* previousLoading = loadingApplication();
    setLoadingApplication(&app);
    result = app.entry(message, &app);
    setLoadingApplication(previousLoading);
}

// Takes away everything of the application that points into its library, then closes the library
// unless `keepMapped`.
void releaseApplication(LoadedApp& app, bool keepMapped)
{
    hostCommandStack().removeCommandsOf(&app);
    for (AcRxClass* cls : app.classes) {
        if (cls->isRegistered())
            deleteAcRxClass(cls);
    }
    if (app.dllMain != nullptr)
        app.dllMain(app.resources, DLL_PROCESS_DETACH, nullptr);
    releaseDynLinkLibraries(app.resources);
    destroyResourceModule(app.resources);
    acrxUnlockApplication(&app);
    acrxRegisterAppNotMDIAware(&app);
    if (!keepMapped && app.library != nullptr)
        dlclose(app.library);
    app.library = nullptr;
}

void removeApp(LoadedApp* app)
{
    std::erase_if(apps(), [&](const auto& candidate) { return candidate.get() == app; });
}

bool ofApplication(const LoadedApp& app, const AcRxClass* cls)
{
    return std::find(app.classes.begin(), app.classes.end(), cls) != app.classes.end();
}

// Whether some object of a drawing still has one of the application's classes.
bool objectsRemain(const LoadedApp& app)
{
    for (AcDbDatabase* db : liveDatabases()) {
        if (!objectIdsWhere(db, [&](const AcDbObject* object) { return ofApplication(app, object->isA()); }).empty())
            return true;
    }
    return false;
}

AppUnloadStatus unload(LoadedApp& app)
{
    // The objects go first, while their classes can still file them out.
    convertObjectsToProxiesInAllDatabases([&](const AcRxClass* cls) { return ofApplication(app, cls); });
    const bool keepMapped = objectsRemain(app);
    AcRx::AppRetCode ignored = AcRx::kRetOK;
    sendMessage(app, AcRx::kUnloadAppMsg, ignored);
    releaseApplication(app, keepMapped);
    clearEveryUndoHistory();
    removeApp(&app);
    return keepMapped ? AppUnloadStatus::kKeptMapped : AppUnloadStatus::kUnloaded;
}

}  // namespace

AppLoadResult loadApplication(const std::string& path)
{
    std::filesystem::path full = canonicalPath(path);
    std::wstring fullWide = wide(full);
    for (const auto& app : apps()) {
        if (app->path == fullWide)
            return {AppLoadStatus::kAlreadyLoaded, full.string() + ": already loaded"};
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(full, ec))
        return {AppLoadStatus::kMissing, full.string() + ": no such module library"};

    auto app = std::make_unique<LoadedApp>();
    app->path = fullWide;
    app->fileName = wide(full.filename());
    dlerror();
    app->library = dlopen(full.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (app->library == nullptr) {
        const char* reason = dlerror();
        return {AppLoadStatus::kNotLoadable, reason != nullptr ? reason : full.string() + ": cannot be loaded"};
    }
    app->entry = reinterpret_cast<EntryPoint>(dlsym(app->library, "acrxEntryPoint"));
    if (app->entry == nullptr) {
        dlclose(app->library);
        return {AppLoadStatus::kNotAnApplication, full.string() + ": no acrxEntryPoint: not an application"};
    }
    if (auto version = reinterpret_cast<ApiVersion>(dlsym(app->library, "acrxGetApiVersion"))) {
        int reported = version();
        if ((reported >> kApiMajorShift) != (kHostApiVersion >> kApiMajorShift)) {
            dlclose(app->library);
            return {AppLoadStatus::kWrongVersion, full.string() + ": built for API version " +
                                                      std::to_string(reported >> kApiMajorShift) + ", the host runs " +
                                                      std::to_string(kHostApiVersion >> kApiMajorShift)};
        }
    }
    app->dllMain = reinterpret_cast<DllMainFunction>(dlsym(app->library, "DllMain"));
    app->resources = createResourceModule(app->fileName);
    hostCommandStack();  // the entry point looks the command stack up in the system registry

    LoadedApp& loaded = *app;
    apps().push_back(std::move(app));
    if (loaded.dllMain != nullptr && !loaded.dllMain(loaded.resources, DLL_PROCESS_ATTACH, nullptr)) {
        loaded.dllMain = nullptr;  // a library that refused to attach is not detached
        releaseApplication(loaded, false);
        removeApp(&loaded);
        return {AppLoadStatus::kRefused, full.string() + ": its library refused to attach"};
    }
    std::set<AcRxClass*> before = registeredClasses();
    AcRx::AppRetCode result = AcRx::kRetOK;
    sendMessage(loaded, AcRx::kInitAppMsg, result);
    for (AcRxClass* cls : registeredClasses()) {
        if (before.count(cls) == 0)
            loaded.classes.push_back(cls);
    }
    if (result == AcRx::kRetError) {
        releaseApplication(loaded, false);
        removeApp(&loaded);
        return {AppLoadStatus::kRefused, full.string() + ": its initialisation failed"};
    }
    convertProxiesInAllDatabases();
    clearEveryUndoHistory();
    return {AppLoadStatus::kLoaded, {}};
}

AppUnloadStatus unloadApplication(std::wstring_view name)
{
    std::wstring wanted(name);
    if (equalNoCase(trimBlanks(wanted), kDefaultModuleWord))
        wanted = wide(canonicalPath(defaultModulePath()));
    for (const auto& app : apps()) {
        if (answersTo(*app, wanted))
            return isRunning(app.get()) ? AppUnloadStatus::kBusy : unload(*app);
    }
    return AppUnloadStatus::kNotLoaded;
}

void unloadAllApplications()
{
    while (!apps().empty())
        unload(*apps().back());
}

std::vector<LoadedApplicationInfo> loadedApplications()
{
    std::vector<LoadedApplicationInfo> infos;
    for (const auto& app : apps())
        infos.push_back({app->path, app->fileName, app.get()});
    return infos;
}

bool isApplicationLoaded(std::wstring_view name)
{
    std::wstring wanted(name);
    if (equalNoCase(trimBlanks(wanted), kDefaultModuleWord))
        wanted = wide(canonicalPath(defaultModulePath()));
    return std::any_of(apps().begin(), apps().end(), [&](const auto& app) { return answersTo(*app, wanted); });
}

std::string defaultModulePath()
{
    if (const char* configured = std::getenv("KELVORA_MODULE"); configured != nullptr && *configured != '\0')
        return configured;
    std::filesystem::path folder = executableFolder();
    std::filesystem::path beside = folder / kModuleFileName;
    std::filesystem::path installed = folder / ".." / "lib" / kModuleFileName;
    std::error_code ec;
    if (!std::filesystem::exists(beside, ec) && std::filesystem::exists(installed, ec))
        return canonicalPath(installed).string();
    return beside.string();
}

std::string applicationPathFromAnswer(std::wstring_view answer)
{
    std::wstring_view text = trimBlanks(answer);
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
        text = text.substr(1, text.size() - 2);
    if (equalNoCase(text, kDefaultModuleWord))
        return defaultModulePath();
    return utf8FromWide(text);
}

int demandLoadForProxies(AcDbDatabase* db)
{
    if (db == nullptr)
        return 0;
    std::vector<std::wstring> wanted;
    // Only the proxies are listed (and sorted into handle order), not the whole drawing.
    const std::vector<AcDbObjectId> proxies = objectIdsWhere(db, [](const AcDbObject* object) {
        return AcDbProxyEntity::cast(object) != nullptr || AcDbProxyObject::cast(object) != nullptr;
    });
    for (AcDbObjectId id : proxies) {
        AcDbObject* object = nullptr;
        if (acdbOpenAcDbObject(object, id, AcDb::kForRead) != Acad::eOk)
            continue;
        std::wstring app;
        if (auto* proxy = AcDbProxyEntity::cast(object))
            app = proxy->applicationDescription();
        else if (auto* proxyObject = AcDbProxyObject::cast(object))
            app = proxyObject->applicationDescription();
        object->close();
        if (app.empty())
            continue;
        if (std::none_of(wanted.begin(), wanted.end(), [&](const std::wstring& w) { return equalNoCase(w, app); }))
            wanted.push_back(app);
    }
    int loaded = 0;
    for (const DemandLoadRecord& record : readDemandLoadRecords()) {
        if ((record.loadReasons & AcadApp::kOnProxyDetection) == 0 || record.loader.empty())
            continue;
        if (std::none_of(wanted.begin(), wanted.end(),
                         [&](const std::wstring& w) { return equalNoCase(w, record.appName); }))
            continue;
        if (loadApplication(utf8FromWide(record.loader)).status == AppLoadStatus::kLoaded)
            ++loaded;
    }
    return loaded;
}

RunningApplication::RunningApplication(void* packet) : m_packet(packet)
{
    if (m_packet != nullptr)
        runningStack().push_back(m_packet);
}

RunningApplication::~RunningApplication()
{
    if (m_packet != nullptr)
        runningStack().pop_back();
}

}  // namespace kelvora

const ACHAR* acedGetAppName()
{
    using namespace kelvora;
    if (!runningStack().empty()) {
        if (LoadedApp* running = appOfPacket(runningStack().back()))
            return running->path.c_str();
    }
    if (!apps().empty())
        return apps().back()->path.c_str();
    return L"";
}
