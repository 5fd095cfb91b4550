// Building one database object from one DXF record: an object of its class through dxfInFields, or a proxy.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dbmain.h"
#include "drawing_classes.h"
#include "drawing_state.h"
#include "kelvora/dxf_diagnostics.h"
#include "kelvora/dxf_raw.h"

namespace kelvora {

// An object built from a record, not yet in the database (write-enabled, as new objects are).
struct BuiltObject {
    AcDbObject* object = nullptr;
    // Groups its class did not read, between its data and the extended data: written back after it.
    std::vector<DxfTag> leftovers;
    // Set for a proxy: what it keeps of the record.
    std::optional<KeptRecord> kept;
};

struct ObjectReadContext {
    AcDbDatabase* db = nullptr;
    AcDb::AcDbDwgVersion version = AcDb::kDHL_CURRENT;
    DxfDiagnostics* diagnostics = nullptr;
};

// An object of `cls` (null: a proxy) filled from `record`. When the class refuses the data, the
// record becomes a proxy and a warning says so. The extended data is set on the object (an
// application missing from the APPID table is added, with a warning). `entity` tells which proxy
// class to use.
BuiltObject buildObject(const ObjectReadContext& ctx, const DxfRecord& record, AcRxClass* cls,
                        const ClassRecordInfo* info, bool entity);

// A proxy of the record (entity or object), keeping it whole.
BuiltObject buildProxy(const ObjectReadContext& ctx, const DxfRecord& record, const ClassRecordInfo* info,
                       bool entity);

// Puts the record's extended data on the object, adding missing applications to the APPID table.
void setExtendedData(const ObjectReadContext& ctx, AcDbObject* object, const DxfRecord& record);

// The line to name in a message about a record (its group 0), or of a group of it.
std::uint32_t recordLine(const DxfRecord& record);

}  // namespace kelvora
