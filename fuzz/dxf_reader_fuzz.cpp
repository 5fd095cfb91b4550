// libFuzzer target: any bytes through the DXF reader, and what it read through the writer and back.
#include "kelvora/dxf_raw_io.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kelvora::DxfRawDrawing drawing;
    kelvora::DxfDiagnostics diagnostics;
    if (!kelvora::readDxfRaw(bytes, drawing, diagnostics))
        return 0;
    // What was read must write and read back, and writing it again must give the
    // same text: the writer is stable on anything the reader accepts.
    std::string written = kelvora::writeDxfRaw(drawing);
    kelvora::DxfRawDrawing again;
    kelvora::DxfDiagnostics diagnostics2;
    if (!kelvora::readDxfRaw(written, again, diagnostics2))
        __builtin_trap();
    if (kelvora::writeDxfRaw(again) != written)
        __builtin_trap();
    return 0;
}
