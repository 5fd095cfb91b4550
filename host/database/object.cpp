// AcDbObject: identity, open and close, erase, handOverTo, reactors, state queries and copies.
#include <algorithm>

#include "acutads.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "kelvora/diagnostics.h"
#include "kelvora/host_class.h"
#include "kelvora/memory_filer.h"
#include "kelvora/resbuf_util.h"
#include "object_access.h"
#include "undo_manager.h"

KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcDbObject, AcGiDrawable, nullptr)

using kelvora::ObjectAccess;

namespace {

// The commercial host allows this many readers at a time.
constexpr Adesk::UInt16 kMaxReaders = 255;

bool onLockedLayer(const AcDbObject* obj)
{
    const auto* ent = AcDbEntity::cast(obj);
    if (ent == nullptr)
        return false;
    const auto* layer = AcDbLayerTableRecord::cast(kelvora::objectOf(ObjectAccess::layerIdOf(ent)));
    return layer != nullptr && ObjectAccess::layerLocked(layer);
}

}  // namespace

// ----- ObjectAccess -------------------------------------------------------------------------------

namespace kelvora {

void ObjectAccess::bind(AcDbObject* obj, AcDbStub* stub)
{
    // Another object taking a record's place may hold another name.
    if (stub->object != nullptr && stub->object != obj)
        forgetRecordNames(stub->object);
    obj->m_stub = stub;
    obj->m_database = stub->database;
    stub->object = obj;
}

void ObjectAccess::unbind(AcDbObject* obj)
{
    obj->m_stub = nullptr;
    obj->m_database = nullptr;
}

void ObjectAccess::markAdded(AcDbObject* obj)
{
    obj->m_readers = 0;
    obj->m_writer = true;
    obj->m_newObject = true;
    obj->m_modified = true;
}

void ObjectAccess::recordForUndo(AcDbObject* obj)
{
    if (obj->m_stub == nullptr || obj->m_undoDisabled || obj->m_undoing || obj->m_cancelling)
        return;
    DatabaseImpl* impl = databaseImpl(obj->m_database);
    if (impl != nullptr && impl->undo)
        impl->undo->recordModified(obj);
}

Acad::ErrorStatus ObjectAccess::open(AcDbObject* obj, AcDb::OpenMode mode)
{
    switch (mode) {
    case AcDb::kForRead: {
        if (obj->m_writer)
            return Acad::eWasOpenForWrite;
        if (obj->m_readers >= kMaxReaders)
            return Acad::eAtMaxReaders;
        Acad::ErrorStatus es = obj->subOpen(mode);
        if (es != Acad::eOk)
            return es;
        ++obj->m_readers;
        return Acad::eOk;
    }
    case AcDb::kForWrite: {
        if (obj->m_writer)
            return Acad::eWasOpenForWrite;
        if (obj->m_readers > 0)
            return Acad::eWasOpenForRead;
        if (obj->m_notifier)
            return Acad::eWasOpenForNotify;
        if (onLockedLayer(obj))
            return Acad::eOnLockedLayer;
        Acad::ErrorStatus es = obj->subOpen(mode);
        if (es != Acad::eOk)
            return es;
        obj->m_writer = true;
        obj->m_modified = false;
        obj->m_modifiedGraphics = false;
        obj->m_modifiedXData = false;
        obj->m_eraseToggled = false;
        beginWriteOpen(obj);
        recordForUndo(obj);
        return Acad::eOk;
    }
    case AcDb::kForNotify: {
        if (obj->m_notifier)
            return Acad::eWasOpenForNotify;
        Acad::ErrorStatus es = obj->subOpen(mode);
        if (es != Acad::eOk)
            return es;
        obj->m_notifier = true;
        return Acad::eOk;
    }
    default:
        return Acad::eInvalidOpenState;
    }
}

void ObjectAccess::beginUndoAccess(AcDbObject* obj)
{
    obj->m_undoing = true;
    obj->m_writer = true;
}

void ObjectAccess::endUndoAccess(AcDbObject* obj)
{
    obj->m_undoing = false;
    obj->m_writer = false;
    obj->m_modified = false;
}

}  // namespace kelvora

// ----- Opening ------------------------------------------------------------------------------------

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode, bool openErasedObject)
{
    pObj = nullptr;
    if (id.isNull())
        return Acad::eNullObjectId;
    AcDbStub* stub = id;
    if (stub->object == nullptr)
        return Acad::eUnknownHandle;
    if (stub->erased && !openErasedObject)
        return Acad::eWasErased;
    Acad::ErrorStatus es = ObjectAccess::open(stub->object, mode);
    if (es == Acad::eOk)
        pObj = stub->object;
    return es;
}

Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& pEnt, AcDbObjectId id, AcDb::OpenMode mode, bool openErasedEntity)
{
    pEnt = nullptr;
    if (id.isNull())
        return Acad::eNullObjectId;
    AcDbStub* stub = id;
    if (stub->object == nullptr)
        return Acad::eUnknownHandle;
    if (AcDbEntity::cast(stub->object) == nullptr)
        return Acad::eNotAnEntity;
    AcDbObject* obj = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(obj, id, mode, openErasedEntity);
    if (es == Acad::eOk)
        pEnt = AcDbEntity::cast(obj);
    return es;
}

// ----- AcDbObject ---------------------------------------------------------------------------------

AcDbObject::AcDbObject() = default;

AcDbObject::~AcDbObject()
{
    if (m_stub != nullptr && m_stub->object == this) {
        kelvora::reportMisuse("an object of a database was deleted; it leaves the database");
        m_stub->object = nullptr;
    }
    kelvora::notifyTransientReactors(this, [this](AcDbObjectReactor* r) { r->goodbye(this); });
    ObjectAccess::endWriteOpen(this);
    delete m_transientReactors;
    acutRelRb(m_xdata);
    acutRelRb(m_keptDxfGroups);
}

AcDbObjectId AcDbObject::objectId() const
{
    return AcDbObjectId(m_stub);
}

AcDbObjectId AcDbObject::ownerId() const
{
    return m_ownerId;
}

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId objId)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_ownerId = objId;
    return Acad::eOk;
}

void AcDbObject::getAcDbHandle(AcDbHandle& handle) const
{
    handle = m_stub != nullptr ? m_stub->handle : AcDbHandle();
}

AcDbDatabase* AcDbObject::database() const
{
    return m_database;
}

Acad::ErrorStatus AcDbObject::createExtensionDictionary()
{
    if (m_stub == nullptr)
        return Acad::eNoDatabase;
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (!m_extDictId.isNull() && !m_extDictId.isErased())
        return Acad::eAlreadyInDb;
    assertWriteEnabled();
    auto* dict = new AcDbDictionary();
    dict->setTreatElementsAsHard(true);
    AcDbObjectId dictId;
    Acad::ErrorStatus es = m_database->addAcDbObject(dictId, dict);
    if (es != Acad::eOk) {
        delete dict;
        return es;
    }
    ObjectAccess::setOwner(dict, objectId());
    dict->close();
    m_extDictId = dictId;
    return Acad::eOk;
}

AcDbObjectId AcDbObject::extensionDictionary() const
{
    return m_extDictId.isErased() ? AcDbObjectId() : m_extDictId;
}

Acad::ErrorStatus AcDbObject::releaseExtensionDictionary()
{
    if (m_extDictId.isNull())
        return Acad::eKeyNotFound;
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    AcDbDictionary* dict = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(dict, m_extDictId, AcDb::kForWrite, true);
    if (es != Acad::eOk)
        return es;
    if (dict->numEntries() != 0) {
        dict->close();
        return Acad::eContainerNotEmpty;
    }
    if (!dict->isErased())
        dict->erase();
    dict->close();
    assertWriteEnabled();
    m_extDictId.setNull();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeOpen()
{
    if (m_stub == nullptr)
        return Acad::eOk;  // a new object is write-enabled already
    if (m_writer)
        return Acad::eWasOpenForWrite;
    if (m_readers == 0)
        return Acad::eNotOpenForRead;
    if (m_readers > 1)
        return Acad::eHadMultipleReaders;
    if (m_notifier)
        return Acad::eWasNotifying;
    if (onLockedLayer(this))
        return Acad::eOnLockedLayer;
    m_readers = 0;
    m_writer = true;
    m_modified = false;
    ObjectAccess::beginWriteOpen(this);
    ObjectAccess::recordForUndo(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen()
{
    if (m_stub == nullptr || !m_writer)
        return Acad::eNotOpenForWrite;
    m_writer = false;
    m_readers = 1;
    ObjectAccess::endWriteOpen(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeFromNotify(Adesk::Boolean& wasWritable)
{
    wasWritable = m_writer;
    if (!m_notifier)
        return Acad::eNotOpenForRead;
    m_writer = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeToNotify(Adesk::Boolean wasWritable)
{
    if (!m_notifier)
        return Acad::eNotOpenForRead;
    m_writer = wasWritable;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::close()
{
    if (m_stub == nullptr) {
        kelvora::reportMisuse("close() of an object that is not in a database (delete it instead)");
        return Acad::eNotInDatabase;
    }
    if (!kelvora::ObjectAccess::isOpen(this)) {
        kelvora::reportMisuse("close() of an object that is not open");
        return Acad::eNotOpenForRead;
    }
    m_closing = true;
    Acad::ErrorStatus es = subClose();
    if (m_notifier && (m_writer || m_readers > 0)) {
        // The notify open came last: it goes first.
        m_notifier = false;
    } else if (m_writer) {
        m_writer = false;
        m_newObject = false;
        ObjectAccess::endWriteOpen(this);
        if (m_modified) {
            kelvora::databaseImpl(m_database)->noteChanged(m_stub);
            // Reactors hear of the change.
            if (m_modifiedXData)
                kelvora::notifyTransientReactors(this, [this](AcDbObjectReactor* r) { r->modifiedXData(this); });
            kelvora::notifyReactors(
                this, [this](AcDbObjectReactor* r) { r->modified(this); },
                [this](AcDbObject* r) { r->modified(this); });
        }
        m_modified = false;
        m_modifiedGraphics = false;
        m_modifiedXData = false;
    } else if (m_readers > 0) {
        --m_readers;
    } else {
        m_notifier = false;
    }
    m_closing = false;
    const AcDbObjectId id = objectId();
    kelvora::notifyTransientReactors(this, [id](AcDbObjectReactor* r) { r->objectClosed(id); });
    return es;
}

Acad::ErrorStatus AcDbObject::closeAndPage(Adesk::Boolean)
{
    return close();
}

Acad::ErrorStatus AcDbObject::erase(Adesk::Boolean erasing)
{
    if (m_stub == nullptr)
        return Acad::eNotInDatabase;
    if (!m_writer) {
        kelvora::reportMisuse("erase() of an object not open for write");
        return Acad::eNotOpenForWrite;
    }
    if (m_stub->erased == erasing)
        return erasing ? Acad::eWasErased : Acad::eWasNotErased;
    Acad::ErrorStatus es = subErase(erasing);
    if (es != Acad::eOk)
        return es;
    ObjectAccess::beforeChange(this);
    ObjectAccess::recordForUndo(this);
    m_stub->erased = erasing;
    m_eraseToggled = !m_eraseToggled;
    m_modified = true;
    kelvora::databaseImpl(m_database)->noteChanged(m_stub);
    // The extension dictionary goes (and comes back) with its owner.
    if (!m_extDictId.isNull() && m_extDictId.isErased() != erasing) {
        AcDbObject* dict = nullptr;
        if (acdbOpenAcDbObject(dict, m_extDictId, AcDb::kForWrite, true) == Acad::eOk) {
            dict->erase(erasing);
            dict->close();
        }
    }
    kelvora::notifyReactors(
        this, [this, erasing](AcDbObjectReactor* r) { r->erased(this, erasing); },
        [this, erasing](AcDbObject* r) { r->erased(this, erasing); });
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::handOverTo(AcDbObject* newObject, Adesk::Boolean keepXData, Adesk::Boolean keepExtDict)
{
    if (newObject == nullptr)
        return Acad::eNullObjectPointer;
    if (newObject == this)
        return Acad::eSelfReference;
    if (m_stub == nullptr)
        return Acad::eNotInDatabase;
    if (!m_writer) {
        kelvora::reportMisuse("handOverTo() from an object not open for write");
        return Acad::eNotOpenForWrite;
    }
    if (newObject->m_stub != nullptr)
        return Acad::eAlreadyInDb;
    if (m_stub->erased)
        return Acad::eWasErased;
    Acad::ErrorStatus es = subHandOverTo(newObject);
    if (es != Acad::eOk)
        return es;
    ObjectAccess::recordForUndo(this);
    // The open ends here for this object; the new one's changes cannot be cancelled (no earlier state).
    ObjectAccess::endWriteOpen(this);

    AcDbStub* stub = m_stub;
    ObjectAccess::bind(newObject, stub);
    newObject->m_ownerId = m_ownerId;
    newObject->m_reactorIds = m_reactorIds;
    if (keepXData) {
        acutRelRb(newObject->m_xdata);
        newObject->m_xdata = m_xdata;
        m_xdata = nullptr;
    }
    AcDbObjectId oldDict = m_extDictId;
    if (keepExtDict) {
        newObject->m_extDictId = oldDict;
    } else if (!oldDict.isNull() && !oldDict.isErased()) {
        // Its owner's id now names the new object: a dictionary it does not keep is erased.
        AcDbObject* dict = nullptr;
        if (acdbOpenAcDbObject(dict, oldDict, AcDb::kForWrite) == Acad::eOk) {
            dict->erase();
            dict->close();
        }
    }
    newObject->m_readers = 0;
    newObject->m_writer = true;
    newObject->m_notifier = false;
    newObject->m_newObject = false;
    newObject->m_modified = true;
    newObject->m_modifiedGraphics = true;
    newObject->m_changedInOpen = true;
    newObject->m_undoHadRecord = true;

    // This object leaves the database.
    ObjectAccess::unbind(this);
    m_ownerId.setNull();
    m_extDictId.setNull();
    m_reactorIds.clear();
    m_readers = 0;
    m_writer = false;
    m_notifier = false;
    m_newObject = false;
    kelvora::databaseImpl(newObject->m_database)->noteChanged(stub);
    return Acad::eObjectToBeDeleted;
}

void AcDbObject::addPersistentReactor(AcDbObjectId objId)
{
    if (objId.isNull() || hasPersistentReactor(objId))
        return;
    assertWriteEnabled();
    m_reactorIds.push_back(objId);
}

Acad::ErrorStatus AcDbObject::removePersistentReactor(AcDbObjectId objId)
{
    auto it = std::find(m_reactorIds.begin(), m_reactorIds.end(), objId);
    if (it == m_reactorIds.end())
        return Acad::eKeyNotFound;
    assertWriteEnabled();
    m_reactorIds.erase(it);
    return Acad::eOk;
}

bool AcDbObject::hasPersistentReactor(AcDbObjectId objId) const
{
    return std::find(m_reactorIds.begin(), m_reactorIds.end(), objId) != m_reactorIds.end();
}

AcDbObjectIdArray AcDbObject::getPersistentReactors() const
{
    AcDbObjectIdArray ids;
    for (const AcDbObjectId& id : m_reactorIds)
        ids.append(id);
    return ids;
}

// ----- State --------------------------------------------------------------------------------------

Adesk::Boolean AcDbObject::isErased() const
{
    return m_stub != nullptr && m_stub->erased;
}

Adesk::Boolean AcDbObject::isEraseStatusToggled() const
{
    return m_eraseToggled;
}

Adesk::Boolean AcDbObject::isReadEnabled() const
{
    return m_stub == nullptr || m_readers > 0 || m_writer || m_notifier;
}

Adesk::Boolean AcDbObject::isWriteEnabled() const
{
    return m_stub == nullptr || m_writer;
}

Adesk::Boolean AcDbObject::isNotifyEnabled() const
{
    return m_notifier;
}

Adesk::Boolean AcDbObject::isModified() const
{
    return m_modified;
}

Adesk::Boolean AcDbObject::isModifiedXData() const
{
    return m_modifiedXData;
}

Adesk::Boolean AcDbObject::isModifiedGraphics() const
{
    return m_modifiedGraphics;
}

Adesk::Boolean AcDbObject::isNewObject() const
{
    return m_newObject;
}

Adesk::Boolean AcDbObject::isNotifying() const
{
    return m_notifier;
}

Adesk::Boolean AcDbObject::isUndoing() const
{
    return m_undoing;
}

Adesk::Boolean AcDbObject::isReallyClosing() const
{
    return m_closing;
}

Adesk::Boolean AcDbObject::isAProxy() const
{
    return false;
}

void AcDbObject::assertReadEnabled() const
{
    if (!isReadEnabled())
        kelvora::reportMisuse("an object that is not open was read (assertReadEnabled)");
}

void AcDbObject::assertWriteEnabled(Adesk::Boolean autoUndo, Adesk::Boolean recordModified)
{
    if (!isWriteEnabled()) {
        kelvora::reportMisuse("an object not open for write was changed (assertWriteEnabled)");
        return;
    }
    if (recordModified)
        ObjectAccess::beforeChange(this);
    if (autoUndo)
        ObjectAccess::recordForUndo(this);
    if (recordModified)
        m_modified = true;
}

void AcDbObject::assertNotifyEnabled() const
{
    if (!m_notifier)
        kelvora::reportMisuse("an object not open for notify was notified (assertNotifyEnabled)");
}

void AcDbObject::disableUndoRecording(Adesk::Boolean disable)
{
    m_undoDisabled = disable;
}

bool AcDbObject::isUndoRecordingDisabled() const
{
    return m_undoDisabled;
}

// ----- Copies -------------------------------------------------------------------------------------

AcRxObject* AcDbObject::clone() const
{
    assertReadEnabled();
    AcRxClass* cls = isA();
    AcRxObject* made = cls != nullptr ? cls->create() : nullptr;
    AcDbObject* copy = AcDbObject::cast(made);
    if (copy == nullptr) {
        delete made;
        return nullptr;
    }
    kelvora::MemoryDwgFiler filer(AcDb::kCopyFiler, m_database);
    if (dwgOut(&filer) != Acad::eOk) {
        delete copy;
        return nullptr;
    }
    filer.rewind();
    if (copy->dwgIn(&filer) != Acad::eOk) {
        delete copy;
        return nullptr;
    }
    kelvora::notifyReactors(
        this, [this, copy](AcDbObjectReactor* r) { r->copied(this, copy); },
        [this, copy](AcDbObject* r) { r->copied(this, copy); });
    return copy;
}

Acad::ErrorStatus AcDbObject::copyFrom(const AcRxObject* pSrc)
{
    const AcDbObject* src = AcDbObject::cast(pSrc);
    if (src == nullptr)
        return Acad::eNullObjectPointer;
    if (src->isA() != isA())
        return Acad::eNotThatKindOfClass;
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    kelvora::MemoryDwgFiler filer(AcDb::kCopyFiler, src->m_database);
    Acad::ErrorStatus es = src->dwgOut(&filer);
    if (es != Acad::eOk)
        return es;
    filer.rewind();
    return dwgIn(&filer);
}

// ----- Drawable -----------------------------------------------------------------------------------

Adesk::UInt32 AcDbObject::setAttributes(AcGiDrawableTraits*)
{
    return kDrawableNone;
}

Adesk::Boolean AcDbObject::worldDraw(AcGiWorldDraw*)
{
    return true;
}

void AcDbObject::viewportDraw(AcGiViewportDraw*) {}

Adesk::Boolean AcDbObject::isPersistent() const
{
    return m_stub != nullptr;
}

AcDbObjectId AcDbObject::id() const
{
    return objectId();
}

// ----- Hooks --------------------------------------------------------------------------------------

void AcDbObject::modified(const AcDbObject*) {}

void AcDbObject::erased(const AcDbObject*, Adesk::Boolean) {}

void AcDbObject::openedForModify(const AcDbObject*) {}

void AcDbObject::cancelled(const AcDbObject*) {}

void AcDbObject::copied(const AcDbObject*, const AcDbObject*) {}

Acad::ErrorStatus AcDbObject::subErase(Adesk::Boolean)
{
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::subOpen(AcDb::OpenMode)
{
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::subClose()
{
    return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::subHandOverTo(AcDbObject*)
{
    return Acad::eOk;
}
