// Tests of the application loader with the test application: entry messages, commands, resources, proxies, demand loading.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "acapdmgr.h"
#include "afxdllx.h"
#include "appinfo.h"
#include "dbproxy.h"
#include "kelvora/applications.h"
#include "kelvora/dialog_template.h"
#include "kelvora/host_commands.h"
#include "kelvora/item_dxf_filer.h"
#include "program_fixture.h"
#include "host/editor/test_module/test_module_state.h"
#include "picking.h"

namespace {

using namespace kelvora;
using test::ProgramDrawing;

const std::string kModule = KELVORA_TEST_MODULE;

std::string slurp(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The test application's record of what the host did, read while the library is mapped.
KvTestModuleState moduleState()
{
    void* handle = dlopen(kModule.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        return {};
    auto stateOf = reinterpret_cast<const void* (*)()>(dlsym(handle, "kvTestState"));
    KvTestModuleState state = stateOf != nullptr ? *static_cast<const KvTestModuleState*>(stateOf()) : KvTestModuleState{};
    dlclose(handle);
    return state;
}

bool run(const wchar_t* command)
{
    auto name = parseCommandName(command);
    return name && runCommand(*name);
}

// The class name and group 90 of the one entity of model space (through its DXF filing).
struct FiledEntity {
    std::wstring className;
    int label = -1;
    bool proxy = false;
};

FiledEntity onlyEntity(AcDbDatabase* db)
{
    FiledEntity filed;
    std::vector<AcDbObjectId> ids = displayedEntities(db);
    if (ids.size() != 1)
        return filed;
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, ids[0], AcDb::kForRead) != Acad::eOk)
        return filed;
    filed.className = entity->isA()->name();
    filed.proxy = AcDbProxyEntity::cast(entity) != nullptr;
    if (filed.proxy)
        filed.className = AcDbProxyEntity::cast(entity)->originalClassName();
    ItemListDxfFiler filer(db);
    entity->dxfOutFields(&filer);
    entity->close();
    int at = filer.find(90);
    if (at >= 0)
        filed.label = filer.itemAt(at)->resval.rlong;
    return filed;
}

class ProgramApplications : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() / ("kelvora-apps-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_folder);
        m_registry = (m_folder / "registry.ini").string();
        setenv("KELVORA_REGISTRY", m_registry.c_str(), 1);
    }
    void TearDown() override
    {
        unloadAllApplications();
        unsetenv("KELVORA_REGISTRY");
        unsetenv("KVTEST_REFUSE_INIT");
        unsetenv("KVTEST_API_VERSION");
        std::filesystem::remove_all(m_folder);
    }

    std::filesystem::path m_folder;
    std::string m_registry;
};

TEST_F(ProgramApplications, LoadingAttachesInitialisesAndAddsTheCommands)
{
    ProgramDrawing d("KVHELLO\n");
    AppLoadResult result = loadApplication(kModule);
    ASSERT_EQ(result.status, AppLoadStatus::kLoaded) << result.detail;
    KvTestModuleState state = moduleState();
    EXPECT_EQ(state.attaches, 1);
    EXPECT_EQ(state.initMessages, 1);
    EXPECT_NE(state.resources, nullptr);
    EXPECT_TRUE(state.addedTemplate) << "the resource handle DllMain got takes dialog templates";
    EXPECT_EQ(dynLinkLibraryCount(state.resources), 1);
    AcEdCommand* hello = findCommand(*parseCommandName(L"_KVHELLO"));
    ASSERT_NE(hello, nullptr);
    EXPECT_NE(hello->commandApp(), nullptr) << "the command belongs to the application";
    EXPECT_TRUE(isApplicationLoaded(L"kvtest_module"));
    EXPECT_TRUE(isApplicationLoaded(L"LIBKVTEST_MODULE.SO"));
    EXPECT_EQ(std::filesystem::path(acedGetAppName()), std::filesystem::weakly_canonical(kModule));
}

TEST_F(ProgramApplications, TheDemandLoadRecordGoesToTheRegistryFile)
{
    ProgramDrawing d;
    ASSERT_EQ(loadApplication(kModule).status, AppLoadStatus::kLoaded);
    std::string text = slurp(m_registry);
    EXPECT_NE(text.find("[Applications\\Kvtest]"), std::string::npos) << text;
    EXPECT_NE(text.find("LOADCTRLS=9"), std::string::npos) << text;
    EXPECT_NE(text.find("LOADER=" + std::filesystem::weakly_canonical(kModule).string()), std::string::npos)
        << "the module path is acedGetAppName's: " << text;
    AcadAppInfo info;
    info.setAppName(L"KVTEST");
    ASSERT_EQ(info.readFromRegistry(), AcadApp::eOk) << "application names match in any case";
    EXPECT_EQ(info.loadReason(), AcadApp::kOnProxyDetection | AcadApp::kOnLoadRequest);
}

TEST_F(ProgramApplications, CommandsRunWithTheApplicationRunning)
{
    ProgramDrawing d("KVHELLO\n");
    ASSERT_EQ(loadApplication(kModule).status, AppLoadStatus::kLoaded);
    ASSERT_TRUE(run(L"KVHELLO"));
    EXPECT_EQ(moduleState().commandRuns, 1);
    EXPECT_NE(d.script().out().find("\nhello from the test module"), std::string::npos);
}

TEST_F(ProgramApplications, UnloadingRemovesCommandsAndClassesAndDetaches)
{
    ProgramDrawing d;
    ASSERT_EQ(loadApplication(kModule).status, AppLoadStatus::kLoaded);
    // Held open so that the state can be read after the host closes the library.
    void* handle = dlopen(kModule.c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    auto stateOf = reinterpret_cast<const void* (*)()>(dlsym(handle, "kvTestState"));
    const auto* state = static_cast<const KvTestModuleState*>(stateOf());
    EXPECT_EQ(unloadApplication(L"kvtest_module"), AppUnloadStatus::kUnloaded);
    EXPECT_EQ(state->unloadMessages, 1);
    EXPECT_EQ(state->detaches, 1);
    EXPECT_EQ(findCommand(*parseCommandName(L"KVHELLO")), nullptr);
    AcRxClass* cls = acrxFindAcRxClass(L"KvTestDot");
    EXPECT_TRUE(cls == nullptr || !cls->isRegistered());
    EXPECT_FALSE(isApplicationLoaded(L"kvtest_module"));
    EXPECT_EQ(unloadApplication(L"kvtest_module"), AppUnloadStatus::kNotLoaded);
    dlclose(handle);
}

TEST_F(ProgramApplications, ObjectsBecomeProxiesAtUnloadAndComeBackAtTheNextLoad)
{
    ProgramDrawing d("KVDOT\n3,4\n7\n");
    ASSERT_EQ(loadApplication(kModule).status, AppLoadStatus::kLoaded);
    ASSERT_TRUE(run(L"KVDOT"));
    FiledEntity made = onlyEntity(d.db());
    EXPECT_EQ(made.className, L"KvTestDot");
    EXPECT_FALSE(made.proxy);
    EXPECT_EQ(made.label, 7);
    auto pick = pickAtPoint(d.db(), AcGePoint3d(4, 4, 0));
    EXPECT_TRUE(pick.has_value()) << "the application's entity draws itself for picks";

    ASSERT_EQ(unloadApplication(L"kvtest_module"), AppUnloadStatus::kUnloaded);
    FiledEntity kept = onlyEntity(d.db());
    EXPECT_TRUE(kept.proxy);
    EXPECT_EQ(kept.className, L"KvTestDot");
    EXPECT_EQ(kept.label, 7) << "the proxy keeps the object's data";

    ASSERT_EQ(loadApplication(kModule).status, AppLoadStatus::kLoaded);
    FiledEntity back = onlyEntity(d.db());
    EXPECT_FALSE(back.proxy);
    EXPECT_EQ(back.className, L"KvTestDot");
    EXPECT_EQ(back.label, 7);
    EXPECT_EQ(moduleState().initMessages, 1) << "a fresh library: its state starts again";
}

TEST_F(ProgramApplications, ProxiesLoadTheirApplicationFromItsRecord)
{
    ProgramDrawing d("KVDOT\n3,4\n5\n");
    ASSERT_EQ(loadApplication(kModule).status, AppLoadStatus::kLoaded);
    ASSERT_TRUE(run(L"KVDOT"));
    ASSERT_EQ(unloadApplication(L"kvtest_module"), AppUnloadStatus::kUnloaded);
    ASSERT_TRUE(onlyEntity(d.db()).proxy);
    EXPECT_EQ(d.editor().loadApplicationsForProxies(), 1);
    EXPECT_TRUE(isApplicationLoaded(L"kvtest_module"));
    EXPECT_FALSE(onlyEntity(d.db()).proxy);
    EXPECT_EQ(d.editor().loadApplicationsForProxies(), 0) << "no proxy is left to ask for it";
}

TEST_F(ProgramApplications, ACommandOfTheApplicationCannotUnloadIt)
{
    ProgramDrawing d;
    ASSERT_EQ(loadApplication(kModule).status, AppLoadStatus::kLoaded);
    ASSERT_TRUE(run(L"KVSELFUNLOAD"));
    EXPECT_TRUE(isApplicationLoaded(L"kvtest_module"));
    EXPECT_NE(d.script().out().find("kvtest_module is running and cannot be unloaded."), std::string::npos)
        << d.script().out();
}

TEST_F(ProgramApplications, ArxLoadsAndUnloadsByName)
{
    std::string script = "L\n" + kModule + "\nU\nkvtest_module\nU\nkvtest_module\n";
    ProgramDrawing d(script);
    ASSERT_TRUE(run(L"ARX"));
    EXPECT_TRUE(isApplicationLoaded(L"kvtest_module"));
    ASSERT_TRUE(run(L"ARX"));
    EXPECT_FALSE(isApplicationLoaded(L"kvtest_module"));
    ASSERT_TRUE(run(L"ARX"));
    const std::string& out = d.script().out();
    EXPECT_NE(out.find(kModule + " successfully loaded."), std::string::npos) << out;
    EXPECT_NE(out.find("kvtest_module successfully unloaded."), std::string::npos) << out;
    EXPECT_NE(out.find("kvtest_module is not loaded."), std::string::npos) << out;
}

TEST_F(ProgramApplications, LoadingTwiceSaysSo)
{
    ProgramDrawing d;
    ASSERT_EQ(loadApplication(kModule).status, AppLoadStatus::kLoaded);
    EXPECT_EQ(loadApplication(kModule).status, AppLoadStatus::kAlreadyLoaded);
    EXPECT_EQ(moduleState().initMessages, 1);
}

TEST_F(ProgramApplications, AnInitialisationThatFailsLeavesNothingBehind)
{
    ProgramDrawing d;
    setenv("KVTEST_REFUSE_INIT", "1", 1);
    AppLoadResult result = loadApplication(kModule);
    EXPECT_EQ(result.status, AppLoadStatus::kRefused);
    EXPECT_FALSE(isApplicationLoaded(L"kvtest_module"));
    EXPECT_EQ(findCommand(*parseCommandName(L"KVHELLO")), nullptr);
}

TEST_F(ProgramApplications, AnotherApiVersionIsRefused)
{
    ProgramDrawing d;
    setenv("KVTEST_API_VERSION", "0x00100000", 1);
    AppLoadResult result = loadApplication(kModule);
    EXPECT_EQ(result.status, AppLoadStatus::kWrongVersion);
    EXPECT_NE(result.detail.find("16"), std::string::npos) << result.detail;
    EXPECT_FALSE(isApplicationLoaded(L"kvtest_module"));
}

TEST_F(ProgramApplications, AMissingLibraryIsReportedNotLoaded)
{
    ProgramDrawing d;
    AppLoadResult result = loadApplication((m_folder / "libabsent.so").string());
    EXPECT_EQ(result.status, AppLoadStatus::kMissing);
    EXPECT_NE(result.detail.find("libabsent.so"), std::string::npos);
}

TEST_F(ProgramApplications, ALibraryWithoutEntryPointIsNoApplication)
{
    ProgramDrawing d;
    std::filesystem::path garbage = m_folder / "libgarbage.so";
    std::ofstream(garbage) << "not a library";
    EXPECT_EQ(loadApplication(garbage.string()).status, AppLoadStatus::kNotLoadable);
}

TEST_F(ProgramApplications, TheWordKelvoraNamesTheDefaultModule)
{
    setenv("KELVORA_MODULE", kModule.c_str(), 1);
    EXPECT_EQ(applicationPathFromAnswer(L" Kelvora "), kModule);
    EXPECT_EQ(applicationPathFromAnswer(L"\"/some/where/lib.so\""), "/some/where/lib.so");
    unsetenv("KELVORA_MODULE");
    EXPECT_EQ(std::filesystem::path(defaultModulePath()).filename(), "libkelvora_module.so");
}

TEST(ProgramResources, TheDocumentManagerStacksResourceHandles)
{
    HINSTANCE module = createResourceModule(L"test-resources");
    HINSTANCE before = AfxGetResourceHandle();
    acDocManager->pushResourceHandle(module);
    EXPECT_EQ(AfxGetResourceHandle(), module);
    EXPECT_EQ(acDocManager->popResourceHandle(), Acad::eOk);
    EXPECT_EQ(AfxGetResourceHandle(), before);
    EXPECT_EQ(acDocManager->popResourceHandle(), Acad::eNotApplicable) << "nothing left to pop";
    destroyResourceModule(module);
}

TEST(ProgramResources, AnExtensionLibraryRecordIsReleasedWithItsModule)
{
    HINSTANCE module = createResourceModule(L"test-extension");
    AFX_EXTENSION_MODULE extension;
    ASSERT_TRUE(AfxInitExtensionModule(extension, module));
    new CDynLinkLibrary(extension);
    EXPECT_EQ(dynLinkLibraryCount(module), 1);
    AfxTermExtensionModule(extension);
    EXPECT_EQ(dynLinkLibraryCount(module), 0);
    EXPECT_FALSE(AfxInitExtensionModule(extension, nullptr));
    destroyResourceModule(module);
}

}  // namespace
