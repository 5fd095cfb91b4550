// Tests of the registry file of demand-load records: its text, where it lives, and AcadAppInfo's writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "appinfo.h"
#include "registry_file.h"

namespace {

using namespace kelvora;

std::string slurp(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ProgramRegistryText, ParsesSectionsAndValuesAndDropsTheRest)
{
    auto sections = parseRegistryText("stray=1\n; a comment\n[Applications\\A]\r\n KEY = value with = sign \n"
                                      "no equals here\n# another\n[B]\nX=\n");
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].name, "Applications\\A");
    ASSERT_EQ(sections[0].values.size(), 1u);
    EXPECT_EQ(sections[0].values[0].first, "KEY");
    EXPECT_EQ(sections[0].values[0].second, "value with = sign");
    ASSERT_EQ(sections[1].values.size(), 1u);
    EXPECT_EQ(sections[1].values[0].second, "");
}

TEST(ProgramRegistryText, WritesWhatItReads)
{
    std::vector<RegistrySection> sections{{"Applications\\A", {{"DESCRIPTION", "A"}, {"LOADCTRLS", "9"}}},
                                          {"Other", {{"K", "V"}}}};
    auto again = parseRegistryText(registryText(sections));
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0].values, sections[0].values);
    EXPECT_EQ(again[1].name, "Other");
}

class ProgramRegistryFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() / ("kelvora-registry-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_folder);
        saveEnvironment("KELVORA_REGISTRY", m_registry);
        saveEnvironment("XDG_CONFIG_HOME", m_config);
        saveEnvironment("HOME", m_home);
    }
    void TearDown() override
    {
        restore("KELVORA_REGISTRY", m_registry);
        restore("XDG_CONFIG_HOME", m_config);
        restore("HOME", m_home);
        std::filesystem::remove_all(m_folder);
    }

    static void saveEnvironment(const char* name, std::optional<std::string>& slot)
    {
        if (const char* value = std::getenv(name))
            slot = value;
    }
    static void restore(const char* name, const std::optional<std::string>& slot)
    {
        if (slot)
            setenv(name, slot->c_str(), 1);
        else
            unsetenv(name);
    }

    std::filesystem::path m_folder;
    std::optional<std::string> m_registry;
    std::optional<std::string> m_config;
    std::optional<std::string> m_home;
};

TEST_F(ProgramRegistryFile, TheEnvironmentNamesTheFile)
{
    setenv("KELVORA_REGISTRY", "/x/reg.ini", 1);
    EXPECT_EQ(registryFilePath(), "/x/reg.ini");
    unsetenv("KELVORA_REGISTRY");
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(registryFilePath(), "/cfg/kelvora/registry.ini");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(registryFilePath(), "/home/u/.config/kelvora/registry.ini");
}

TEST_F(ProgramRegistryFile, WritingARecordKeepsTheOthersAndMakesTheFolder)
{
    setenv("XDG_CONFIG_HOME", m_folder.c_str(), 1);
    unsetenv("KELVORA_REGISTRY");
    std::filesystem::path file = m_folder / "kelvora" / "registry.ini";
    AcadAppInfo first;
    first.setAppName(L"First");
    first.setAppDesc(L"Premier\nsur deux lignes");
    first.setModuleName(L"/opt/first.so");
    first.setLoadReason(AcadApp::kOnLoadRequest);
    ASSERT_EQ(first.writeToRegistry(false, false), AcadApp::eOk);
    AcadAppInfo second;
    second.setAppName(L"Second");
    second.setModuleName(L"/opt/second.so");
    second.setLoadReason(AcadApp::LoadReasons(AcadApp::kOnProxyDetection | AcadApp::kOnLoadRequest));
    ASSERT_EQ(second.writeToRegistry(), AcadApp::eOk);
    ASSERT_EQ(second.writeCommandNameToRegistry(L"_SPOLY", L"SPOLY"), AcadApp::eOk);
    std::string text = slurp(file);
    EXPECT_NE(text.find("[Applications\\First]"), std::string::npos) << text;
    EXPECT_NE(text.find("DESCRIPTION=Premier sur deux lignes"), std::string::npos) << "one value, one line: " << text;
    EXPECT_NE(text.find("Commands\\_SPOLY=SPOLY"), std::string::npos) << text;
    std::vector<DemandLoadRecord> records = readDemandLoadRecords();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].appName, L"Second");
    EXPECT_EQ(records[1].loader, L"/opt/second.so");
    EXPECT_EQ(records[1].loadReasons, 9);
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
        EXPECT_EQ(entry.path().filename(), "registry.ini") << "a temporary file was left";
}

TEST_F(ProgramRegistryFile, AWriteReplacesTheRecordAndDeleteRemovesIt)
{
    std::filesystem::path file = m_folder / "registry.ini";
    setenv("KELVORA_REGISTRY", file.c_str(), 1);
    AcadAppInfo info;
    info.setAppName(L"Kelvora");
    info.setModuleName(L"/a.so");
    ASSERT_EQ(info.writeToRegistry(), AcadApp::eOk);
    info.setModuleName(L"/b.so");
    ASSERT_EQ(info.writeToRegistry(), AcadApp::eOk);
    std::string text = slurp(file);
    EXPECT_EQ(text.find("/a.so"), std::string::npos) << text;
    EXPECT_NE(text.find("LOADER=/b.so"), std::string::npos) << text;
    AcadAppInfo other;
    other.setAppName(L"KELVORA");
    ASSERT_EQ(other.readFromRegistry(), AcadApp::eOk);
    EXPECT_STREQ(other.moduleName(), L"/b.so");
    ASSERT_EQ(other.delFromRegistry(), AcadApp::eOk);
    EXPECT_EQ(other.readFromRegistry(), AcadApp::eKeyNotFound);
    EXPECT_EQ(other.delFromRegistry(), AcadApp::eKeyNotFound);
}

TEST_F(ProgramRegistryFile, ARecordWithoutApplicationNameOrAnUnwritableFileFails)
{
    AcadAppInfo nameless;
    EXPECT_EQ(nameless.writeToRegistry(), AcadApp::eInvalidKey);
    std::filesystem::path blocked = m_folder / "file";
    std::ofstream(blocked) << "x";
    setenv("KELVORA_REGISTRY", (blocked / "registry.ini").c_str(), 1);
    AcadAppInfo info;
    info.setAppName(L"X");
    EXPECT_EQ(info.writeToRegistry(), AcadApp::eRegAccessDenied);
}

}  // namespace
