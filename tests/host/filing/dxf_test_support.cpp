// Helpers of the DXF tests: fixture paths, scratch folders, and running ezdxf as an independent reader.
#include "dxf_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace kelvora::test {

std::string fixturePath(const std::string& name)
{
    return std::string(KELVORA_FIXTURES) + "/" + name;
}

std::string testDataPath(const std::string& name)
{
    return std::string(KELVORA_TEST_DATA) + "/dxf/" + name;
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ScratchDir::ScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvora-dxf-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        ADD_FAILURE() << "cannot make a scratch folder";
    m_path = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

PythonResult runPython(const std::string& script)
{
    ScratchDir dir;
    std::string path = dir.file("script.py");
    writeBytes(path, script);
    PythonResult result;
    std::string command = "/usr/bin/python3 '" + path + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::uint32_t lineOf(std::string_view bytes, std::string_view text, std::uint32_t from)
{
    std::uint32_t line = 1;
    std::size_t pos = 0;
    while (pos <= bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        std::string_view l = bytes.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        if (!l.empty() && l.back() == '\r')
            l.remove_suffix(1);
        if (line >= from && l == text)
            return line;
        if (nl == std::string_view::npos)
            break;
        pos = nl + 1;
        ++line;
    }
    return 0;
}

std::uint32_t lineCount(std::string_view bytes)
{
    std::uint32_t n = 0;
    for (char c : bytes)
        if (c == '\n')
            ++n;
    if (!bytes.empty() && bytes.back() != '\n')
        ++n;
    return n;
}

std::vector<DxfTag> allTags(const DxfRawDrawing& d)
{
    std::vector<DxfTag> out;
    auto add = [&](const std::vector<DxfTag>& tags) { out.insert(out.end(), tags.begin(), tags.end()); };
    auto entity = [&](const DxfEntity& e) {
        add(e.record.tags);
        for (const DxfRecord& c : e.children)
            add(c.tags);
        if (e.seqend)
            add(e.seqend->tags);
    };
    for (const DxfSection& s : d.sections) {
        out.emplace_back(2, s.name);
        switch (s.kind) {
        case DxfSectionKind::kHeader:
            for (const DxfHeaderVariable& v : d.header) {
                out.emplace_back(9, v.name);
                add(v.tags);
            }
            break;
        case DxfSectionKind::kClasses:
            for (const DxfRecord& r : d.classes)
                add(r.tags);
            break;
        case DxfSectionKind::kTables:
            for (const DxfTable& t : d.tables) {
                add(t.head.tags);
                for (const DxfRecord& r : t.records)
                    add(r.tags);
            }
            break;
        case DxfSectionKind::kBlocks:
            for (const DxfBlock& b : d.blocks) {
                add(b.begin.tags);
                for (const DxfEntity& e : b.entities)
                    entity(e);
                add(b.end.tags);
            }
            break;
        case DxfSectionKind::kEntities:
            for (const DxfEntity& e : d.entities)
                entity(e);
            break;
        case DxfSectionKind::kObjects:
            for (const DxfRecord& r : d.objects)
                add(r.tags);
            break;
        case DxfSectionKind::kOther:
            add(s.tags);
            break;
        }
    }
    return out;
}

bool hasMessage(const DxfDiagnostics& d, DxfSeverity severity, std::uint32_t line)
{
    for (const DxfDiagnostic& m : d.messages())
        if (m.severity == severity && m.line == line)
            return true;
    return false;
}

std::string describe(const DxfDiagnostics& d)
{
    return d.formatAll("FILE");
}

}  // namespace kelvora::test
