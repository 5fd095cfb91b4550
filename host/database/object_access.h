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
    static auto& recordsByName(const AcDbSymbolTable* table) { return table->m_byName; }
    static std::size_t& namesIndexed(const AcDbSymbolTable* table) { return table->m_namesIndexed; }
    static std::vector<AcDbObjectId>& entities(AcDbBlockTableRecord* btr) { return btr->m_entities; }
    static const std::wstring& recordName(const AcDbSymbolTableRecord* rec) { return rec->m_name; }
    static void setRecordName(AcDbSymbolTableRecord* rec, const std::wstring& name);
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

    // The first change of an open for write (object_cancel.cpp): keeps the state for cancel() and tells
    // the reactors openedForModify. Later calls in the same open do nothing.
    static void beforeChange(AcDbObject* obj);
    // The open for write ends with its changes kept: the state kept for cancel() goes.
    static void endWriteOpen(AcDbObject* obj);
    // At an open for write: notes whether the undo step already had a record of the object.
    static void beginWriteOpen(AcDbObject* obj);

    static AcDbVoidPtrArray* transientReactors(const AcDbObject* obj) { return obj->m_transientReactors; }
    static const std::vector<AcDbObjectId>& persistentReactors(const AcDbObject* obj) { return obj->m_reactorIds; }
};

// Tells obj's transient reactors of an event. A reactor removed by an earlier call of the same event
// is not called.
template <class ToTransient>
void notifyTransientReactors(const AcDbObject* obj, ToTransient toTransient)
{
    const AcDbVoidPtrArray* list = ObjectAccess::transientReactors(obj);
    if (list == nullptr)
        return;
    const AcDbVoidPtrArray listed = *list;
    for (void* reactor : listed) {
        const AcDbVoidPtrArray* now = ObjectAccess::transientReactors(obj);
        if (now != nullptr && now->contains(reactor))
            toTransient(static_cast<AcDbObjectReactor*>(reactor));
    }
}

// Tells obj's transient reactors (first) and its persistent reactors (not erased, not obj itself) of
// an event.
template <class ToTransient, class ToPersistent>
void notifyReactors(const AcDbObject* obj, ToTransient toTransient, ToPersistent toPersistent)
{
    notifyTransientReactors(obj, toTransient);
    const std::vector<AcDbObjectId> ids = ObjectAccess::persistentReactors(obj);
    for (const AcDbObjectId& id : ids) {
        AcDbStub* s = id;
        AcDbObject* reactor = s != nullptr ? s->object : nullptr;
        if (reactor != nullptr && reactor != obj && !id.isErased())
            toPersistent(reactor);
    }
}

// The object under an id without opening it; null when none.
inline AcDbObject* objectOf(AcDbObjectId id)
{
    AcDbStub* s = id;
    return s != nullptr ? s->object : nullptr;
}

// Called when `object` may have changed the name it holds in its table (a record renamed, read
// back, or replaced by another object): the table's index of names is made again when next used.
void forgetRecordNames(const AcDbObject* object);

// The name of a symbol table record under an id, without opening it or copying the name ("" when
// none). The reference lasts while the record keeps its name.
const std::wstring& recordNameOf(AcDbObjectId id);

// Looks a name up in a table (by its id) without opening it: the non-erased record of that name.
AcDbObjectId findRecord(AcDbObjectId tableId, const wchar_t* name, bool includeErased = false);

}  // namespace kelvora
