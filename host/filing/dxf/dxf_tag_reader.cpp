// Picks the tag stream that fits the data: binary after the binary sentinel, ASCII otherwise.
#include "kelvora/dxf_tag_reader.h"

#include "dxf_ascii_tag_reader.h"
#include "dxf_binary_tag_reader.h"

namespace kelvora {

bool isBinaryDxf(std::string_view data)
{
    return data.substr(0, kDxfBinarySentinel.size()) == kDxfBinarySentinel;
}

std::unique_ptr<DxfTagReader> makeDxfTagReader(std::string_view data, DxfDiagnostics& diagnostics)
{
    if (isBinaryDxf(data))
        return std::make_unique<DxfBinaryTagReader>(data, diagnostics);
    return std::make_unique<DxfAsciiTagReader>(data, diagnostics);
}

}  // namespace kelvora
