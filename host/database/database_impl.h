// The database's private state: the per-object records (stubs), the handle map, header variables and undo.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "dbmain.h"
#include "kelvora/database_internals.h"

// The record of one object: the id points here. It lives as long as its database and never moves
// (stubs are kept in a deque), so ids survive erasure, handOverTo and undo.
class AcDbStub {
public:
    AcDbDatabase* database = nullptr;
    AcDbObject* object = nullptr;  // null for a handle reserved by a forward reference
    AcDbHandle handle;
    bool erased = false;
};

namespace kelvora {

class UndoManager;

struct HeaderVars {
    double textsize = 2.5;
    AcDbObjectId textstyle;
    AcDbObjectId clayer;
    AcDbObjectId celtype;
    AcCmColor cecolor;
    AcDb::LineWeight celweight = AcDb::kLnWtByLayer;
    double celtscale = 1.0;
    double ltscale = 1.0;
    Adesk::Int16 lunits = 2;
    Adesk::Int16 luprec = 4;
    Adesk::Int16 aunits = 0;
    Adesk::Int16 auprec = 0;
    double angbase = 0.0;
    bool angdir = false;
    Adesk::Int16 pdmode = 0;
    double pdsize = 0.0;
    Adesk::Int16 plinetype = 2;
    double plinewid = 0.0;
    double filletrad = 0.0;
    bool orthomode = false;
    bool tilemode = true;
    double elevation = 0.0;
    double thickness = 0.0;
    AcDbObjectId dimstyle;
    Adesk::Int16 measurement = 1;
    Adesk::Int16 insunits = 0;
    AcGePoint3d insbase;
    AcGePoint2d limmin{0.0, 0.0};
    AcGePoint2d limmax{420.0, 297.0};
    // An empty box until updateExt or a file sets it.
    AcGePoint3d extmin{1e20, 1e20, 1e20};
    AcGePoint3d extmax{-1e20, -1e20, -1e20};
};

constexpr int kStandardObjectCount = 10;

struct DatabaseImpl {
    AcDbDatabase* self = nullptr;
    Adesk::UInt32 serial = 0;
    std::deque<AcDbStub> stubs;
    std::unordered_map<Adesk::UInt64, AcDbStub*> byHandle;
    Adesk::UInt64 handseed = 1;
    AcDbObjectId standard[kStandardObjectCount];
    HeaderVars header;
    std::unique_ptr<UndoManager> undo;
    bool undoDisabled = false;
    // Set while a drawing is read into the database: what is read is no change for the editor to
    // draw again (it draws the whole drawing once it is open).
    bool loading = false;
    std::map<std::string, std::shared_ptr<void>> attachments;
    // Ids changed (added, modified, erased, restored) since the editor last took them, in order.
    std::vector<AcDbObjectId> changed;
    std::unordered_set<AcDbStub*> changedSet;

    // The stub of a handle, made when absent (the handle seed moves above it).
    AcDbStub* stubForHandle(Adesk::UInt64 handle);
    // Gives obj a stub: the handle it read from a file when that handle is free, else the next one.
    Acad::ErrorStatus add(AcDbObject* obj, AcDbObjectId& id, Adesk::UInt64 explicitHandle = 0);
    void noteChanged(AcDbStub* stub);
    void recordHeaderChange();
};

DatabaseImpl* databaseImpl(const AcDbDatabase* db);
// The live database of a serial number (ads names); null when gone.
AcDbDatabase* databaseBySerial(Adesk::UInt32 serial);

// The database an object's properties are resolved in: its own, else the working database.
AcDbDatabase* resolvingDatabase(const AcDbObject* obj);

}  // namespace kelvora
