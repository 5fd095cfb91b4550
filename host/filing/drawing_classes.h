// Classes of drawing files: the CLASSES section read and written, and the class that builds each record.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "kelvora/dxf_diagnostics.h"
#include "kelvora/dxf_raw.h"

class AcRxClass;

namespace kelvora {

// One CLASS record: 1 DXF name, 2 C++ class name, 3 application, 90 proxy flags, 91 instance count
// (from R2004), 280 was-a-proxy, 281 is-an-entity.
struct ClassRecordInfo {
    std::string dxfName;
    std::string cppName;
    std::string appName;
    int proxyFlags = 0;
    bool wasProxy = false;
    bool isEntity = false;
};

// The CLASSES section by DXF name. A CLASS without a DXF name is dropped with a warning; one
// without 280 or 281 is read with the missing flag as 0, with a warning (it is written complete).
std::map<std::string, ClassRecordInfo> readClassRecords(const std::vector<DxfRecord>& classes,
                                                        DxfDiagnostics& diagnostics);

// The class that builds a record of this DXF name, or null when the record is to stay a proxy:
// the class the CLASSES record names, else the registered class of that DXF name; it must be an
// entity class for an entity, and an object class (no entity, table or table record) otherwise.
AcRxClass* classForRecord(std::string_view dxfName, const ClassRecordInfo* info, bool entity);

// True for a class of an application (not one of the host's own).
bool isCustomClass(const AcRxClass* cls);

// The CLASSES section of a file of `acadVer`: every custom class registered, then every class read
// that names no registered class, then the host's classes that `counts` shows in use (LAYOUT and the
// like). `counts` holds how many records of each DXF name the file holds (group 91 from R2004).
std::vector<DxfRecord> buildClassRecords(const std::vector<DxfRecord>& read, const std::map<std::string, int>& counts,
                                         std::string_view acadVer);

}  // namespace kelvora
