// AcadAppInfo: demand-load records of applications, kept in the registry file.
#include "appinfo.h"

#include <cstdlib>
#include <string>

#include "kelvora/host_class.h"
#include "registry_file.h"
#include "text_encoding.h"

KELVORA_HOST_DEFINE_MEMBERS(AcadAppInfo, AcRxObject, nullptr)

namespace kelvora {

namespace {

const std::string kSectionPrefix = "Applications\\";

std::string sectionOf(const std::wstring& appName)
{
    return kSectionPrefix + utf8FromWide(appName);
}

// A value stays on its line: line ends inside it become blanks.
std::string oneLine(const std::wstring& text)
{
    std::string value = utf8FromWide(text);
    for (char& c : value) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return value;
}

int parseReasons(const std::optional<std::string>& text)
{
    if (!text)
        return 0;
    char* end = nullptr;
    long value = std::strtol(text->c_str(), &end, 0);
    return end != text->c_str() && value >= 0 && value <= 0xFFFF ? static_cast<int>(value) : 0;
}

// Changes the section of one application: load, change, save.
template <typename Change>
AcadApp::ErrorStatus updateRegistry(const std::wstring& appName, Change change)
{
    if (appName.empty())
        return AcadApp::eInvalidKey;
    std::string path = registryFilePath();
    if (path.empty())
        return AcadApp::eRegAccessDenied;
    RegistryFile file;
    std::string error;
    if (!file.load(path, error))
        return AcadApp::eRegAccessDenied;
    AcadApp::ErrorStatus status = change(file, sectionOf(appName));
    if (status != AcadApp::eOk)
        return status;
    return file.save(path, error) ? AcadApp::eOk : AcadApp::eRegAccessDenied;
}

}  // namespace

std::string registryFilePath()
{
    if (const char* explicitPath = std::getenv("KELVORA_REGISTRY"); explicitPath != nullptr && *explicitPath != '\0')
        return explicitPath;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0')
        return std::string(config) + "/kelvora/registry.ini";
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return std::string(home) + "/.config/kelvora/registry.ini";
    return {};
}

std::vector<DemandLoadRecord> readDemandLoadRecords()
{
    std::vector<DemandLoadRecord> records;
    std::string path = registryFilePath();
    RegistryFile file;
    std::string error;
    if (path.empty() || !file.load(path, error))
        return records;
    for (const RegistrySection& section : file.sections()) {
        if (section.name.size() <= kSectionPrefix.size() || section.name.compare(0, kSectionPrefix.size(), kSectionPrefix) != 0)
            continue;
        DemandLoadRecord record;
        record.appName = wideFromUtf8(section.name.substr(kSectionPrefix.size()));
        record.description = wideFromUtf8(RegistryFile::value(section, "DESCRIPTION").value_or(""));
        record.loader = wideFromUtf8(RegistryFile::value(section, "LOADER").value_or(""));
        record.loadReasons = parseReasons(RegistryFile::value(section, "LOADCTRLS"));
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace kelvora

AcadAppInfo::AcadAppInfo() = default;
AcadAppInfo::~AcadAppInfo() = default;

const ACHAR* AcadAppInfo::appName() const
{
    return m_appName.c_str();
}

void AcadAppInfo::setAppName(const ACHAR* appName)
{
    m_appName = appName != nullptr ? appName : L"";
}

const ACHAR* AcadAppInfo::moduleName() const
{
    return m_moduleName.c_str();
}

void AcadAppInfo::setModuleName(const ACHAR* moduleName)
{
    m_moduleName = moduleName != nullptr ? moduleName : L"";
}

const ACHAR* AcadAppInfo::appDesc() const
{
    return m_appDesc.c_str();
}

void AcadAppInfo::setAppDesc(const ACHAR* appDesc)
{
    m_appDesc = appDesc != nullptr ? appDesc : L"";
}

AcadApp::LoadReasons AcadAppInfo::loadReason() const
{
    return m_loadReason;
}

void AcadAppInfo::setLoadReason(AcadApp::LoadReasons reasons)
{
    m_loadReason = reasons;
}

AcadApp::ErrorStatus AcadAppInfo::writeToRegistry(bool, bool)
{
    return kelvora::updateRegistry(m_appName, [&](kelvora::RegistryFile& file, const std::string& name) {
        kelvora::RegistrySection& section = file.section(name);
        kelvora::RegistryFile::setValue(section, "DESCRIPTION", kelvora::oneLine(m_appDesc));
        kelvora::RegistryFile::setValue(section, "LOADCTRLS", std::to_string(static_cast<int>(m_loadReason)));
        kelvora::RegistryFile::setValue(section, "LOADER", kelvora::oneLine(m_moduleName));
        return AcadApp::eOk;
    });
}

AcadApp::ErrorStatus AcadAppInfo::readFromRegistry()
{
    if (m_appName.empty())
        return AcadApp::eInvalidKey;
    for (const kelvora::DemandLoadRecord& record : kelvora::readDemandLoadRecords()) {
        if (!kelvora::equalNoCase(record.appName, m_appName))
            continue;
        m_appDesc = record.description;
        m_moduleName = record.loader;
        m_loadReason = AcadApp::LoadReasons(record.loadReasons);
        return AcadApp::eOk;
    }
    return AcadApp::eKeyNotFound;
}

AcadApp::ErrorStatus AcadAppInfo::delFromRegistry(bool)
{
    return kelvora::updateRegistry(m_appName, [](kelvora::RegistryFile& file, const std::string& name) {
        return file.remove(name) ? AcadApp::eOk : AcadApp::eKeyNotFound;
    });
}

AcadApp::ErrorStatus AcadAppInfo::writeGroupNameToRegistry(const ACHAR* groupName)
{
    if (groupName == nullptr || *groupName == L'\0')
        return AcadApp::eInvalidValue;
    std::wstring group = groupName;
    return kelvora::updateRegistry(m_appName, [&](kelvora::RegistryFile& file, const std::string& name) {
        kelvora::RegistryFile::setValue(file.section(name), "Groups\\" + kelvora::oneLine(group),
                                        kelvora::oneLine(group));
        return AcadApp::eOk;
    });
}

AcadApp::ErrorStatus AcadAppInfo::writeCommandNameToRegistry(const ACHAR* globalCmdName, const ACHAR* localCmdName)
{
    if (globalCmdName == nullptr || *globalCmdName == L'\0' || localCmdName == nullptr)
        return AcadApp::eInvalidValue;
    std::wstring global = globalCmdName;
    std::wstring local = localCmdName;
    return kelvora::updateRegistry(m_appName, [&](kelvora::RegistryFile& file, const std::string& name) {
        kelvora::RegistryFile::setValue(file.section(name), "Commands\\" + kelvora::oneLine(global),
                                        kelvora::oneLine(local));
        return AcadApp::eOk;
    });
}
