// The registry file: an INI text of sections and NAME=VALUE lines, read whole and written atomically.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelvora {

struct RegistrySection {
    std::string name;  // without the brackets
    std::vector<std::pair<std::string, std::string>> values;
};

class RegistryFile {
public:
    // Reads the file; a missing file is an empty registry. False (and `error`) when it exists but
    // cannot be read.
    bool load(const std::string& path, std::string& error);
    // Writes beside the file and renames over it, making the file's folder when it is missing.
    bool save(const std::string& path, std::string& error) const;

    // Section names and value names are matched without regard to ASCII case.
    const RegistrySection* find(const std::string& section) const;
    RegistrySection& section(const std::string& name);  // made at the end when missing
    bool remove(const std::string& section);
    const std::vector<RegistrySection>& sections() const { return m_sections; }

    static std::optional<std::string> value(const RegistrySection& section, const std::string& name);
    static void setValue(RegistrySection& section, const std::string& name, const std::string& value);

private:
    std::vector<RegistrySection> m_sections;
};

// Parses the text of a registry file (exposed for tests). Lines outside any section, comments
// (";" or "#") and lines without "=" are dropped.
std::vector<RegistrySection> parseRegistryText(const std::string& text);
std::string registryText(const std::vector<RegistrySection>& sections);

}  // namespace kelvora
