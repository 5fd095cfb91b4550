// What a drawing file held that the database does not model, kept with the database until it is written again.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dbid.h"
#include "kelvora/dxf_raw.h"

class AcDbDatabase;
class AcRxClass;

namespace kelvora {

// The groups of a record whose class the host does not have (or does not have yet), kept for its
// proxy. The proxy itself holds the common entity or object data; this holds the rest as read.
struct KeptRecord {
    std::string dxfName;
    // The groups after the common ones: from the first subclass of its own to the extended data.
    std::vector<DxfTag> own;
    // Proxy graphics that stood among the common entity groups (92 or 160, then 310s).
    std::vector<DxfTag> graphics;
    // The sub-entities of a kept POLYLINE or INSERT (VERTEX, ATTRIB) and its SEQEND, as read.
    std::vector<DxfRecord> children;
    std::optional<DxfRecord> seqend;
};

// The BLOCK and ENDBLK records of a block (the host models neither): their handles and the groups the
// block record does not hold.
struct BlockEnds {
    DxfRecord begin;
    DxfRecord end;
};

// Groups an object's class did not read, written back after its data while the object under the id
// is still of the class that left them (an object handed over to another class does not get them).
struct UnreadGroups {
    const AcRxClass* cls = nullptr;
    std::vector<DxfTag> groups;
};

struct DrawingFileState {
    std::string readVersion;                   // $ACADVER of the file read ("" for a new drawing)
    std::vector<DxfHeaderVariable> header;     // every header variable read, in file order
    std::vector<DxfRecord> classes;            // the CLASSES section as read
    std::vector<DxfTable> otherTables;         // tables other than the nine standard ones
    std::vector<DxfSection> otherSections;     // sections the host does not structure (THUMBNAILIMAGE...)
    std::map<AcDbStub*, KeptRecord> kept;      // by proxy id
    std::map<AcDbStub*, UnreadGroups> leftovers;
    std::map<AcDbStub*, BlockEnds> blockEnds;  // by block table record id
};

// The state kept with the database, made on first use.
DrawingFileState& drawingFileState(AcDbDatabase* db);
// Null when the database has none.
DrawingFileState* findDrawingFileState(const AcDbDatabase* db);

}  // namespace kelvora
