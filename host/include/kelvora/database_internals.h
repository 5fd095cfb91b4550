// What the host's own layers (DXF files, editor, graphics) need of the database beyond the public API.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dbmain.h"

namespace kelvora {

// ----- Reading a drawing --------------------------------------------------------------------------

// Adds an object under the handle it had in a file: the object takes the id of that handle (made
// earlier by getAcDbObjectId(createIfNotFound) for a forward reference, or new), and the handle seed
// moves above it. eHandleInUse when an object already has the handle; eNullHandle for handle 0;
// eAlreadyInDb when the object is in a database. The object stays open for write.
Acad::ErrorStatus addObjectWithHandle(AcDbDatabase* db, AcDbObject* obj, const AcDbHandle& handle,
                                      AcDbObjectId& id);
// The handle AcDbObject::dxfInFields read (group 5) for an object not yet in a database; null if none.
AcDbHandle pendingHandle(const AcDbObject* obj);

// The database's standard objects, which a database built without its default drawing lacks until the
// reader names them (after adding them with addObjectWithHandle).
enum class StandardObject {
    kBlockTable,
    kLayerTable,
    kTextStyleTable,
    kLinetypeTable,
    kViewTable,
    kUCSTable,
    kViewportTable,
    kRegAppTable,
    kDimStyleTable,
    kNamedObjectsDictionary,
};
Acad::ErrorStatus setStandardObjectId(AcDbDatabase* db, StandardObject which, AcDbObjectId id);
AcDbObjectId standardObjectId(const AcDbDatabase* db, StandardObject which);

// Adds what a drawing read from a file lacks of the default drawing (tables, layer "0", text style
// "Standard", the three linetypes, "ACAD", "*Model_Space", "*Paper_Space", the named object dictionary
// and its "ACAD_GROUP"), with new handles, and points unset header ids (CLAYER, TEXTSTYLE, CELTYPE,
// DIMSTYLE) at the defaults. Objects already there are kept.
void completeDefaultDrawing(AcDbDatabase* db);

// Room for `count` objects in the handle map, so that a drawing of known size is read without
// growing it again and again.
void reserveObjects(AcDbDatabase* db, std::size_t count);
// While set, objects added or changed are not listed for takeChangedObjects: reading a drawing is no
// edit, and whoever shows the drawing draws all of it once it is read.
void setDrawingLoading(AcDbDatabase* db, bool loading);

// ----- Walking a drawing --------------------------------------------------------------------------

// Every id that holds an object, erased ones included, in handle order.
std::vector<AcDbObjectId> allObjectIds(const AcDbDatabase* db);
// The ids whose object `keep` accepts (every object when `keep` is empty), in handle order.
std::vector<AcDbObjectId> objectIdsWhere(const AcDbDatabase* db, const std::function<bool(const AcDbObject*)>& keep);
// The object under an id without opening it (null when none): for the host's own readers, which must
// not disturb the open state (plotting a drawing while a command holds an entity open).
AcDbObject* peekObject(AcDbObjectId id);
// Whether the object carries extended data, asked without opening it.
bool hasExtendedData(const AcDbObject* obj);

// ----- Replacing objects --------------------------------------------------------------------------

// Puts newObject (in no database) in the place of the object under id, which must be closed; the old
// object is given back (out of the database, the caller deletes it). For the host's conversions
// between proxies and the classes of a module being loaded or unloaded. Not recorded for undo.
Acad::ErrorStatus replaceObject(AcDbObjectId id, AcDbObject* newObject, AcDbObject*& oldObject);

// ----- Data of other layers -----------------------------------------------------------------------

// Named data that another layer keeps with a database (header variables read from a file that the
// host does not model, for instance). Deleted with the database.
void setDatabaseAttachment(AcDbDatabase* db, const std::string& key, std::shared_ptr<void> data);
std::shared_ptr<void> databaseAttachment(const AcDbDatabase* db, const std::string& key);

// The ids of the objects added, changed (closed after a change), erased, or restored by undo/redo
// since the last call, each once, in the order of their first change; the list is then emptied.
// The editor draws these again after each command.
std::vector<AcDbObjectId> takeChangedObjects(AcDbDatabase* db);

// Every database alive in the process, in creation order.
std::vector<AcDbDatabase*> liveDatabases();

}  // namespace kelvora
