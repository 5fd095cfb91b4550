// Reads the groups of an ASCII DXF file: a group code line, then a value line.
#pragma once

#include "kelvora/dxf_tag_reader.h"

#include <cstddef>
#include <string_view>

namespace kelvora {

class DxfAsciiTagReader final : public DxfTagReader {
public:
    DxfAsciiTagReader(std::string_view data, DxfDiagnostics& diagnostics);

    bool next(DxfTag& tag) override;
    DxfTagFormat format() const override { return DxfTagFormat::kAscii; }
    std::uint32_t endLine() const override { return m_line; }

private:
    // The next line without its CR LF or LF; false at the end of the data.
    bool readLine(std::string_view& line);
    bool fail(std::uint32_t line, std::string text);

    std::string_view m_data;
    DxfDiagnostics& m_diagnostics;
    std::size_t m_pos = 0;
    std::uint32_t m_line = 1;  // number of the next line to read
};

}  // namespace kelvora
