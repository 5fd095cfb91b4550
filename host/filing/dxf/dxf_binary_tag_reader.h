// Reads the groups of a binary DXF file: little-endian values whose width the group code fixes.
#pragma once

#include "kelvora/dxf_tag_reader.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvora {

class DxfBinaryTagReader final : public DxfTagReader {
public:
    DxfBinaryTagReader(std::string_view data, DxfDiagnostics& diagnostics);

    bool next(DxfTag& tag) override;
    DxfTagFormat format() const override { return DxfTagFormat::kBinary; }
    std::uint32_t endLine() const override { return 0; }

private:
    bool fail(std::string text);
    bool need(std::size_t bytes, int code);

    std::string_view m_data;
    DxfDiagnostics& m_diagnostics;
    std::size_t m_pos = 0;
    // R12 writes one-byte group codes (255 escapes a two-byte one); R13 on, two bytes.
    bool m_oneByteCodes = false;
};

}  // namespace kelvora
