// AcDbObject::cancel: the state an open for write started from, kept at its first change and filed back in.
#include "dbdict.h"
#include "dbsymtb.h"
#include "kelvora/diagnostics.h"
#include "kelvora/memory_filer.h"
#include "object_access.h"
#include "undo_manager.h"

namespace kelvora {

// What an open for write started from, taken just before its first change.
struct OpenSnapshot {
    explicit OpenSnapshot(AcDbDatabase* db) : data(AcDb::kUndoFiler, db) {}
    MemoryDwgFiler data;  // the object's own DWG filing (undo filer: owner, reactors, dictionary, xdata)
    bool erased = false;
    bool listedAsChanged = false;  // the database listed the object as changed before this open
};

namespace {

UndoManager* undoOf(const AcDbDatabase* db)
{
    DatabaseImpl* impl = databaseImpl(db);
    return impl != nullptr ? impl->undo.get() : nullptr;
}

// Erases (or brings back) a dictionary without caring whether it already is.
void setDictionaryErased(AcDbObjectId dictId, bool erasing)
{
    if (dictId.isNull() || dictId.isErased() == erasing)
        return;
    AcDbObject* dict = nullptr;
    if (acdbOpenAcDbObject(dict, dictId, AcDb::kForWrite, true) != Acad::eOk)
        return;
    dict->erase(erasing);
    dict->close();
}

void unlistChanged(DatabaseImpl* impl, AcDbStub* stub)
{
    if (impl == nullptr || impl->changedSet.erase(stub) == 0)
        return;
    for (auto it = impl->changed.begin(); it != impl->changed.end(); ++it) {
        if (static_cast<AcDbStub*>(*it) == stub) {
            impl->changed.erase(it);
            return;
        }
    }
}

// Whether an open for write keeps its starting state for cancel(). Not while a drawing is read (no
// one can cancel then), and not for containers: their changes are the objects added to them, which
// a cancel could not take back without orphaning them, and filing a model space of a million ids at
// every append would make building a drawing quadratic.
bool keepsStateForCancel(const AcDbObject* obj)
{
    const DatabaseImpl* impl = databaseImpl(obj->database());
    if (impl != nullptr && impl->loading)
        return false;
    return !obj->isKindOf(AcDbBlockTableRecord::desc()) && !obj->isKindOf(AcDbSymbolTable::desc()) &&
           !obj->isKindOf(AcDbDictionary::desc());
}

}  // namespace

void ObjectAccess::beginWriteOpen(AcDbObject* obj)
{
    endWriteOpen(obj);
    UndoManager* undo = undoOf(obj->m_database);
    obj->m_undoHadRecord = undo != nullptr && obj->m_stub != nullptr && undo->isRecorded(obj->m_stub);
}

void ObjectAccess::endWriteOpen(AcDbObject* obj)
{
    delete obj->m_openSnapshot;
    obj->m_openSnapshot = nullptr;
    obj->m_changedInOpen = false;
    obj->m_undoHadRecord = false;
}

void ObjectAccess::beforeChange(AcDbObject* obj)
{
    // A new object has no earlier state; undo and cancel file data in without it being a change.
    if (obj->m_stub == nullptr || !obj->m_writer || obj->m_newObject || obj->m_undoing || obj->m_cancelling ||
        obj->m_changedInOpen)
        return;
    obj->m_changedInOpen = true;
    if (!keepsStateForCancel(obj)) {
        notifyReactors(
            obj, [obj](AcDbObjectReactor* r) { r->openedForModify(obj); },
            [obj](AcDbObject* r) { r->openedForModify(obj); });
        return;
    }
    auto* snapshot = new OpenSnapshot(obj->m_database);
    snapshot->erased = obj->m_stub->erased;
    DatabaseImpl* impl = databaseImpl(obj->m_database);
    snapshot->listedAsChanged = impl != nullptr && impl->changedSet.count(obj->m_stub) != 0;
    if (obj->dwgOut(&snapshot->data) == Acad::eOk) {
        obj->m_openSnapshot = snapshot;
    } else {
        reportMisuse("the state of an object opened for write could not be kept; cancel() will keep its changes");
        delete snapshot;
    }
    notifyReactors(
        obj, [obj](AcDbObjectReactor* r) { r->openedForModify(obj); },
        [obj](AcDbObject* r) { r->openedForModify(obj); });
}

}  // namespace kelvora

using kelvora::ObjectAccess;

Adesk::Boolean AcDbObject::isCancelling() const
{
    return m_cancelling;
}

Acad::ErrorStatus AcDbObject::cancel()
{
    if (m_stub == nullptr)
        return Acad::eNotInDatabase;
    if (!ObjectAccess::isOpen(this)) {
        kelvora::reportMisuse("cancel() of an object that is not open");
        return Acad::eNotOpenForRead;
    }
    // Read and notify opens changed nothing: they just close (a notify open on top closes first).
    if (!m_writer || m_notifier)
        return close();
    if (m_newObject)
        return Acad::eNotApplicable;
    if (m_changedInOpen && m_openSnapshot == nullptr) {
        close();
        return Acad::eNotApplicable;
    }

    m_cancelling = true;
    m_closing = true;
    kelvora::DatabaseImpl* impl = kelvora::databaseImpl(m_database);
    bool listedAsChanged = true;
    if (kelvora::OpenSnapshot* snapshot = m_openSnapshot) {
        const AcDbObjectId dictInOpen = m_extDictId;
        snapshot->data.rewind();
        if (dwgIn(&snapshot->data) != Acad::eOk)
            kelvora::reportMisuse("cancel() could not file an object's earlier state back in");
        m_stub->erased = snapshot->erased;
        m_eraseToggled = false;
        // A dictionary made in this open goes; the one kept follows its owner's erase state back.
        if (!dictInOpen.isNull() && dictInOpen != m_extDictId)
            kelvora::setDictionaryErased(dictInOpen, true);
        kelvora::setDictionaryErased(m_extDictId, snapshot->erased);
        listedAsChanged = snapshot->listedAsChanged;
    }
    if (!m_undoHadRecord) {
        if (kelvora::UndoManager* undo = kelvora::undoOf(m_database))
            undo->forget(m_stub);
    }
    if (!listedAsChanged)
        kelvora::unlistChanged(impl, m_stub);
    kelvora::notifyReactors(
        this, [this](AcDbObjectReactor* r) { r->cancelled(this); }, [this](AcDbObject* r) { r->cancelled(this); });
    Acad::ErrorStatus es = subClose();
    m_writer = false;
    m_newObject = false;
    m_modified = false;
    m_modifiedGraphics = false;
    m_modifiedXData = false;
    ObjectAccess::endWriteOpen(this);
    m_closing = false;
    m_cancelling = false;
    const AcDbObjectId id = objectId();
    kelvora::notifyTransientReactors(this, [id](AcDbObjectReactor* r) { r->objectClosed(id); });
    return es;
}
