// Writing one database object as one DXF record: its own filing, or for a proxy the groups it kept.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "dbmain.h"
#include "drawing_state.h"
#include "kelvora/dxf_diagnostics.h"
#include "kelvora/dxf_raw.h"
#include "kelvora/dxf_raw_io.h"

namespace kelvora {

struct ObjectWriteContext {
    AcDbDatabase* db = nullptr;
    std::string acadVer = "AC1021";
    const DrawingFileState* state = nullptr;  // what the drawing read kept (may be null)
    DxfDiagnostics* diagnostics = nullptr;
    bool failed = false;                      // set when an object refuses to be written
    std::map<std::string, int> counts;        // records written, by DXF name
};

// The DXF name an object is written under: a proxy's original name, else its class's (or the
// nearest parent class's) DXF name.
std::string dxfNameOf(const AcDbObject* obj, const DrawingFileState* state);

// The record of an object open for read: its group 0, what its dxfOutFields writes (for a proxy: its
// common groups, then the groups it kept, as read while they are unchanged), the groups its class did
// not read, its extended data. `parentFlags` are the flags of the POLYLINE a kept VERTEX belongs to.
DxfRecord writeObjectRecord(ObjectWriteContext& ctx, AcDbObject* obj, const std::string& dxfName,
                            std::int64_t parentFlags = 0);
// The same record written straight to `text`, never held as groups.
void writeObjectText(ObjectWriteContext& ctx, AcDbObject* obj, const std::string& dxfName, DxfTextWriter& text,
                     std::int64_t parentFlags = 0);

}  // namespace kelvora
