// libFuzzer target: any bytes read into a drawing database and written back, through both writers, and read again.
#include "dbmain.h"
#include "kelvora/drawing_file.h"
#include "kelvora/dxf_raw_io.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kelvora;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    AcDbDatabase db(false);
    DxfDiagnostics readDiagnostics;
    if (!readDrawingData(bytes, db, readDiagnostics))
        return 0;
    std::string written;
    DxfDiagnostics writeDiagnostics;
    if (!writeDrawingData(db, kDefaultDrawingVersion, written, writeDiagnostics))
        return 0;
    // The text made record by record is the text of the drawing built whole: the two writers agree.
    DxfRawDrawing built;
    DxfDiagnostics buildDiagnostics;
    if (!buildDrawing(db, kDefaultDrawingVersion, built, buildDiagnostics))
        __builtin_trap();
    DxfWriteOptions options;
    options.version = drawingVersionAcadVer(kDefaultDrawingVersion);
    if (writeDxfRaw(built, options) != written)
        __builtin_trap();
    // What the host writes, it reads back.
    AcDbDatabase again(false);
    DxfDiagnostics againDiagnostics;
    if (!readDrawingData(written, again, againDiagnostics))
        __builtin_trap();
    return 0;
}
