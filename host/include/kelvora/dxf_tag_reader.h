// Tag streams: ASCII and binary DXF readers behind one interface, so sections never see bytes.
#pragma once

#include "kelvora/dxf_diagnostics.h"
#include "kelvora/dxf_tag.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace kelvora {

enum class DxfTagFormat { kAscii, kBinary };

// The 22 bytes that open a binary DXF file.
inline constexpr std::string_view kDxfBinarySentinel{"AutoCAD Binary DXF\r\n\x1a\0", 22};

// Reads the groups of one file in order. String values come out as the bytes of
// the file (not yet decoded from its code page); every other value as text: the
// text of an ASCII file as it stands, the numbers of a binary file in the
// shortest form that reads back the same, binary chunks as hexadecimal.
// Comments (999) are skipped.
class DxfTagReader {
public:
    virtual ~DxfTagReader() = default;

    // The next group, or false at the end of the data or at damage the reader
    // cannot get past (then an error is in the diagnostics and failed() is true).
    virtual bool next(DxfTag& tag) = 0;
    virtual DxfTagFormat format() const = 0;
    // Where "the file ends too early" is reported: the line after the last line of
    // an ASCII file; 0 for a binary file, which has no lines.
    virtual std::uint32_t endLine() const = 0;
    bool failed() const { return m_failed; }

protected:
    bool m_failed = false;
};

bool isBinaryDxf(std::string_view data);

// The reader for `data`: binary when it opens with the binary sentinel, ASCII
// otherwise. `data` and `diagnostics` must outlive the reader. An ASCII reader
// checks each numeric value against the type of its group and reports a bad
// one (at the line of the value) without stopping.
std::unique_ptr<DxfTagReader> makeDxfTagReader(std::string_view data, DxfDiagnostics& diagnostics);

}  // namespace kelvora
