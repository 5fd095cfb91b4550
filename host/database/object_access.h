// ObjectAccess: the database layer's door to the private state of objects, tables and databases.
#pragma once

#include <string>
#include <vector>

#include "database_impl.h"
#include "dbdict.h"
#include "dbmain.h"
#include "dbsymtb.h"

namespace kelvora {

class ObjectAccess {
public:
    static DatabaseImpl* impl(const AcDbDatabase* db) { return db->m_impl; }

    static AcDbStub* stub(const AcDbObject* obj) { return obj->m_stub; }
    // Puts obj under stub (both ways).
    static void bind(AcDbObject* obj, AcDbStub* stub);
    // Takes obj out of its database (the stub keeps pointing to whatever the caller puts there).
    static void unbind(AcDbObject* obj);

    // The open rules of acdbOpenAcDbObject, on an object of a database.
    static Acad::ErrorStatus open(AcDbObject* obj, AcDb::OpenMode mode);
    static bool isOpen(const AcDbObject* obj)
    {
        return obj->m_readers > 0 || obj->m_writer || obj->m_notifier;
    }
    // After add: the object is open for write as a new object.
    static void markAdded(AcDbObject* obj);

    // Undo and redo file a closed object in and out through these (write access, isUndoing true).
    static void beginUndoAccess(AcDbObject* obj);
    static void endUndoAccess(AcDbObject* obj);

    static AcDbHandle& pendingHandle(AcDbObject* obj) { return obj->m_pendingHandle; }
    static const AcDbHandle& pendingHandle(const AcDbObject* obj) { return obj->m_pendingHandle; }
    static void setOwner(AcDbObject* obj, AcDbObjectId owner) { obj->m_ownerId = owner; }
    static void setModified(AcDbObject* obj) { obj->m_modified = true; }
    static void setGraphicsModified(AcDbObject* obj, bool modified) { obj->m_modifiedGraphics = modified; }
    static bool undoDisabledOn(const AcDbObject* obj) { return obj->m_undoDisabled; }
    static bool hasXData(const AcDbObject* obj) { return obj->m_xdata != nullptr; }

    static std::vector<AcDbObjectId>& records(AcDbSymbolTable* table) { return table->m_records; }
    static const std::vector<AcDbObjectId>& records(const AcDbSymbolTable* table) { return table->m_records; }
    static std::vector<AcDbObjectId>& entities(AcDbBlockTableRecord* btr) { return btr->m_entities; }
    static const std::wstring& recordName(const AcDbSymbolTableRecord* rec) { return rec->m_name; }
    static void setRecordName(AcDbSymbolTableRecord* rec, const std::wstring& name) { rec->m_name = name; }
    static Adesk::Int16 recordFlags(const AcDbSymbolTableRecord* rec) { return rec->m_flags; }
    static void setRecordFlags(AcDbSymbolTableRecord* rec, Adesk::Int16 flags) { rec->m_flags = flags; }
    static std::vector<AcDbDictionary::Entry>& entries(AcDbDictionary* dict) { return dict->m_entries; }
    static bool layerLocked(const AcDbLayerTableRecord* layer) { return layer->m_locked; }
    static AcDbObjectId layerIdOf(const AcDbEntity* ent) { return ent->m_layerId; }
    static const AcCmColor& layerColor(const AcDbLayerTableRecord* layer) { return layer->m_color; }
    static AcDbObjectId extDictOf(const AcDbObject* obj) { return obj->m_extDictId; }
    static void setExtDict(AcDbObject* obj, AcDbObjectId id) { obj->m_extDictId = id; }
    // Records the object's state for undo (once per step) when a step is open.
    static void recordForUndo(AcDbObject* obj);
};

// The object under an id without opening it; null when none.
inline AcDbObject* objectOf(AcDbObjectId id)
{
    AcDbStub* s = id;
    return s != nullptr ? s->object : nullptr;
}

// The name of a symbol table record under an id, without opening it ("" when none).
std::wstring recordNameOf(AcDbObjectId id);

// Looks a name up in a table (by its id) without opening it: the non-erased record of that name.
AcDbObjectId findRecord(AcDbObjectId tableId, const wchar_t* name, bool includeErased = false);

}  // namespace kelvora
