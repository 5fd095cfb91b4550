// Reading and atomically writing the registry file of demand-load records.
#include "registry_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kelvora {

namespace {

// A registry file larger than this is not ours (it would take an application per line).
constexpr std::uintmax_t kLargestRegistryFile = 4u * 1024u * 1024u;

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool equalAsciiNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

std::string trimmed(const std::string& text)
{
    std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<RegistrySection> parseRegistryText(const std::string& text)
{
    std::vector<RegistrySection> sections;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::string t = trimmed(line);
        if (t.empty() || t[0] == ';' || t[0] == '#')
            continue;
        if (t.front() == '[' && t.back() == ']') {
            sections.push_back({t.substr(1, t.size() - 2), {}});
            continue;
        }
        std::size_t equals = t.find('=');
        if (equals == std::string::npos || sections.empty())
            continue;
        sections.back().values.emplace_back(trimmed(t.substr(0, equals)), trimmed(t.substr(equals + 1)));
    }
    return sections;
}

std::string registryText(const std::vector<RegistrySection>& sections)
{
    std::string text;
    for (const RegistrySection& section : sections) {
        if (!text.empty())
            text += "\n";
        text += "[" + section.name + "]\n";
        for (const auto& [name, value] : section.values)
            text += name + "=" + value + "\n";
    }
    return text;
}

bool RegistryFile::load(const std::string& path, std::string& error)
{
    m_sections.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return true;
    auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kLargestRegistryFile) {
        error = path + ": error: cannot read the registry file";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        error = path + ": error: cannot open: " + std::strerror(errno);
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    m_sections = parseRegistryText(text.str());
    return true;
}

bool RegistryFile::save(const std::string& path, std::string& error) const
{
    std::filesystem::path target(path);
    std::error_code ec;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ec);
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) {
        error = path + ": error: cannot write: " + std::strerror(errno);
        return false;
    }
    std::string text = registryText(m_sections);
    std::size_t written = 0;
    while (written < text.size()) {
        ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    bool ok = written == text.size() && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && std::rename(name.data(), path.c_str()) == 0)
        return true;
    error = path + ": error: cannot write: " + std::strerror(errno);
    std::remove(name.data());
    return false;
}

const RegistrySection* RegistryFile::find(const std::string& section) const
{
    for (const RegistrySection& s : m_sections) {
        if (equalAsciiNoCase(s.name, section))
            return &s;
    }
    return nullptr;
}

RegistrySection& RegistryFile::section(const std::string& name)
{
    for (RegistrySection& s : m_sections) {
        if (equalAsciiNoCase(s.name, name))
            return s;
    }
    m_sections.push_back({name, {}});
    return m_sections.back();
}

bool RegistryFile::remove(const std::string& section)
{
    return std::erase_if(m_sections, [&](const RegistrySection& s) { return equalAsciiNoCase(s.name, section); }) > 0;
}

std::optional<std::string> RegistryFile::value(const RegistrySection& section, const std::string& name)
{
    for (const auto& [key, value] : section.values) {
        if (equalAsciiNoCase(key, name))
            return value;
    }
    return std::nullopt;
}

void RegistryFile::setValue(RegistrySection& section, const std::string& name, const std::string& value)
{
    for (auto& [key, stored] : section.values) {
        if (equalAsciiNoCase(key, name)) {
            stored = value;
            return;
        }
    }
    section.values.emplace_back(name, value);
}

}  // namespace kelvora
