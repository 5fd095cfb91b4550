// AcDbDatabase: object records, handles, ids, standard objects, and the host-own database services.
#include <algorithm>
#include <atomic>
#include <vector>

#include "dbapserv.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "kelvora/diagnostics.h"
#include "kelvora/host_class.h"
#include "kelvora/undo.h"
#include "kelvora/wide_text.h"
#include "object_access.h"
#include "undo_manager.h"

KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcDbDatabase, AcRxObject, nullptr)

namespace kelvora {

namespace {

std::vector<AcDbDatabase*>& databases()
{
    static std::vector<AcDbDatabase*> all;
    return all;
}

std::atomic<Adesk::UInt32> g_nextSerial{1};

}  // namespace

DatabaseImpl* databaseImpl(const AcDbDatabase* db)
{
    return db != nullptr ? ObjectAccess::impl(db) : nullptr;
}

AcDbDatabase* databaseBySerial(Adesk::UInt32 serial)
{
    for (AcDbDatabase* db : databases())
        if (db->serialNumber() == serial)
            return db;
    return nullptr;
}

AcDbDatabase* resolvingDatabase(const AcDbObject* obj)
{
    if (obj != nullptr && obj->database() != nullptr)
        return obj->database();
    return acdbHostApplicationServices()->workingDatabase();
}

std::vector<AcDbDatabase*> liveDatabases()
{
    return databases();
}

AcDbStub* DatabaseImpl::stubForHandle(Adesk::UInt64 handle)
{
    auto it = byHandle.find(handle);
    if (it != byHandle.end())
        return it->second;
    stubs.emplace_back();
    AcDbStub* stub = &stubs.back();
    stub->database = self;
    stub->handle = AcDbHandle(handle);
    byHandle[handle] = stub;
    if (handle >= handseed)
        handseed = handle + 1;
    return stub;
}

Acad::ErrorStatus DatabaseImpl::add(AcDbObject* obj, AcDbObjectId& id, Adesk::UInt64 explicitHandle)
{
    if (obj == nullptr)
        return Acad::eNullObjectPointer;
    if (obj->database() != nullptr)
        return Acad::eAlreadyInDb;
    AcDbStub* stub = nullptr;
    if (explicitHandle != 0) {
        auto it = byHandle.find(explicitHandle);
        if (it != byHandle.end() && it->second->object != nullptr)
            return Acad::eHandleInUse;
        stub = stubForHandle(explicitHandle);
    } else {
        // A handle read from a file, when still free, is kept.
        Adesk::UInt64 pending = ObjectAccess::pendingHandle(obj).value();
        if (pending != 0) {
            auto it = byHandle.find(pending);
            if (it == byHandle.end() || it->second->object == nullptr)
                stub = stubForHandle(pending);
        }
        if (stub == nullptr) {
            while (byHandle.count(handseed) != 0)
                ++handseed;
            stub = stubForHandle(handseed);
        }
    }
    ObjectAccess::pendingHandle(obj).setNull();
    stub->erased = false;
    ObjectAccess::bind(obj, stub);
    ObjectAccess::markAdded(obj);
    id = AcDbObjectId(stub);
    if (undo)
        undo->recordCreated(stub);
    noteChanged(stub);
    return Acad::eOk;
}

void DatabaseImpl::noteChanged(AcDbStub* stub)
{
    if (stub == nullptr || loading || !changedSet.insert(stub).second)
        return;
    changed.emplace_back(stub);
}

void DatabaseImpl::recordHeaderChange()
{
    if (undo)
        undo->recordHeader(header);
}

// ----- Host-own services of kelvora/database_internals.h ------------------------------------------

Acad::ErrorStatus addObjectWithHandle(AcDbDatabase* db, AcDbObject* obj, const AcDbHandle& handle, AcDbObjectId& id)
{
    if (db == nullptr)
        return Acad::eNoDatabase;
    if (handle.isNull())
        return Acad::eNullHandle;
    return databaseImpl(db)->add(obj, id, handle.value());
}

AcDbHandle pendingHandle(const AcDbObject* obj)
{
    return obj != nullptr ? ObjectAccess::pendingHandle(obj) : AcDbHandle();
}

Acad::ErrorStatus setStandardObjectId(AcDbDatabase* db, StandardObject which, AcDbObjectId id)
{
    if (db == nullptr)
        return Acad::eNoDatabase;
    if (!id.isNull() && id.database() != db)
        return Acad::eWrongDatabase;
    databaseImpl(db)->standard[static_cast<int>(which)] = id;
    return Acad::eOk;
}

AcDbObjectId standardObjectId(const AcDbDatabase* db, StandardObject which)
{
    return db != nullptr ? databaseImpl(db)->standard[static_cast<int>(which)] : AcDbObjectId();
}

std::vector<AcDbObjectId> allObjectIds(const AcDbDatabase* db)
{
    return objectIdsWhere(db, nullptr);
}

std::vector<AcDbObjectId> objectIdsWhere(const AcDbDatabase* db, const std::function<bool(const AcDbObject*)>& keep)
{
    std::vector<AcDbObjectId> ids;
    if (db == nullptr)
        return ids;
    // Filtered before sorting: a writer asking for the few non-entities of a large drawing does not
    // pay for ordering every entity.
    std::deque<AcDbStub>& stubs = databaseImpl(db)->stubs;
    // The filter reads every object, and the objects lie all over the heap: each is asked for a few
    // turns ahead, so that it is in the cache when its turn comes.
    constexpr std::size_t kPrefetchAhead = 8;
    auto ahead = stubs.begin();
    for (std::size_t k = 0; keep && k < kPrefetchAhead && ahead != stubs.end(); ++k)
        ++ahead;
    for (AcDbStub& s : stubs) {
        if (keep && ahead != stubs.end()) {
            if (ahead->object != nullptr)
                __builtin_prefetch(ahead->object);
            ++ahead;
        }
        if (s.object != nullptr && (!keep || keep(s.object)))
            ids.emplace_back(&s);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

bool hasExtendedData(const AcDbObject* obj)
{
    return obj != nullptr && ObjectAccess::hasXData(obj);
}

void reserveObjects(AcDbDatabase* db, std::size_t count)
{
    if (db != nullptr)
        databaseImpl(db)->byHandle.reserve(count);
}

void setDrawingLoading(AcDbDatabase* db, bool loading)
{
    if (db != nullptr)
        databaseImpl(db)->loading = loading;
}

AcDbObject* peekObject(AcDbObjectId id)
{
    return objectOf(id);
}

Acad::ErrorStatus replaceObject(AcDbObjectId id, AcDbObject* newObject, AcDbObject*& oldObject)
{
    oldObject = nullptr;
    if (id.isNull())
        return Acad::eNullObjectId;
    if (newObject == nullptr)
        return Acad::eNullObjectPointer;
    if (newObject->database() != nullptr)
        return Acad::eAlreadyInDb;
    AcDbStub* stub = id;
    AcDbObject* old = stub->object;
    if (old == nullptr)
        return Acad::eUnknownHandle;
    if (ObjectAccess::isOpen(old))
        return Acad::eWasOpenForWrite;
    ObjectAccess::unbind(old);
    ObjectAccess::bind(newObject, stub);
    ObjectAccess::setOwner(newObject, old->ownerId());
    oldObject = old;
    databaseImpl(stub->database)->noteChanged(stub);
    return Acad::eOk;
}

void setDatabaseAttachment(AcDbDatabase* db, const std::string& key, std::shared_ptr<void> data)
{
    if (db == nullptr)
        return;
    if (data == nullptr)
        databaseImpl(db)->attachments.erase(key);
    else
        databaseImpl(db)->attachments[key] = std::move(data);
}

std::shared_ptr<void> databaseAttachment(const AcDbDatabase* db, const std::string& key)
{
    if (db == nullptr)
        return nullptr;
    auto& a = databaseImpl(db)->attachments;
    auto it = a.find(key);
    return it != a.end() ? it->second : nullptr;
}

std::vector<AcDbObjectId> takeChangedObjects(AcDbDatabase* db)
{
    std::vector<AcDbObjectId> out;
    if (db == nullptr)
        return out;
    DatabaseImpl* impl = databaseImpl(db);
    out.swap(impl->changed);
    impl->changedSet.clear();
    return out;
}

const std::wstring& recordNameOf(AcDbObjectId id)
{
    static const std::wstring kNoName;
    auto* rec = AcDbSymbolTableRecord::cast(objectOf(id));
    return rec != nullptr ? ObjectAccess::recordName(rec) : kNoName;
}

namespace {

// FNV-1a over the name as names compare (case folded).
std::size_t foldedNameHash(std::wstring_view name)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (wchar_t c : name) {
        hash ^= static_cast<std::uint32_t>(foldNameChar(c));
        hash *= 0x100000001b3ull;
    }
    return static_cast<std::size_t>(hash);
}

}  // namespace

AcDbObjectId findRecord(AcDbObjectId tableId, const wchar_t* name, bool includeErased)
{
    auto* table = AcDbSymbolTable::cast(objectOf(tableId));
    if (table == nullptr || name == nullptr)
        return AcDbObjectId();
    // Every entity read names its layer, linetype and style, every record added is checked for a
    // namesake, and a plan may have hundreds of layers and thousands of blocks: names are found
    // through an index of the table rather than by comparing with every record.
    const std::vector<AcDbObjectId>& records = ObjectAccess::records(table);
    auto& byName = ObjectAccess::recordsByName(table);
    std::size_t& indexed = ObjectAccess::namesIndexed(table);
    for (; indexed < records.size(); ++indexed)
        if (const auto* rec = AcDbSymbolTableRecord::cast(objectOf(records[indexed])))
            byName[foldedNameHash(ObjectAccess::recordName(rec))].push_back(indexed);
    const std::wstring_view asked(name);
    auto places = byName.find(foldedNameHash(asked));
    if (places == byName.end())
        return AcDbObjectId();
    // In table order, as a search from the first record would find them.
    AcDbObjectId erasedMatch;
    for (std::size_t i : places->second) {
        if (i >= records.size())
            break;
        const AcDbObjectId& id = records[i];
        const auto* rec = AcDbSymbolTableRecord::cast(objectOf(id));
        if (rec == nullptr || !namesEqual(ObjectAccess::recordName(rec), asked))
            continue;
        if (!id.isErased())
            return id;
        if (includeErased && erasedMatch.isNull())
            erasedMatch = id;
    }
    return erasedMatch;
}

void forgetRecordNames(const AcDbObject* object)
{
    // A record not yet in a database (one being read, say) is in no table's index.
    const auto* rec = AcDbSymbolTableRecord::cast(object);
    if (rec == nullptr || rec->objectId().isNull() || rec->ownerId().isNull())
        return;
    if (const auto* table = AcDbSymbolTable::cast(objectOf(rec->ownerId()))) {
        ObjectAccess::recordsByName(table).clear();
        ObjectAccess::namesIndexed(table) = 0;
    }
}

void ObjectAccess::setRecordName(AcDbSymbolTableRecord* rec, const std::wstring& name)
{
    rec->m_name = name;
    forgetRecordNames(rec);
}

}  // namespace kelvora

using kelvora::DatabaseImpl;
using kelvora::ObjectAccess;
using kelvora::StandardObject;

// ----- AcDbDatabase -------------------------------------------------------------------------------

AcDbDatabase::AcDbDatabase(bool buildDefaultDrawing, bool) : m_impl(new DatabaseImpl)
{
    m_impl->self = this;
    m_impl->serial = kelvora::g_nextSerial++;
    m_impl->undo = std::make_unique<kelvora::UndoManager>(this);
    kelvora::databases().push_back(this);
    if (buildDefaultDrawing)
        kelvora::completeDefaultDrawing(this);
}

AcDbDatabase::~AcDbDatabase()
{
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    if (services->workingDatabase() == this)
        services->setWorkingDatabase(nullptr);
    auto& all = kelvora::databases();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    m_impl->undo.reset();
    for (AcDbStub& s : m_impl->stubs) {
        AcDbObject* obj = s.object;
        if (obj == nullptr)
            continue;
        ObjectAccess::unbind(obj);
        s.object = nullptr;
        delete obj;
    }
    delete m_impl;
}

Adesk::UInt32 AcDbDatabase::serialNumber() const
{
    return m_impl->serial;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObject* pObj)
{
    AcDbObjectId id;
    return addAcDbObject(id, pObj);
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& objId, AcDbObject* pObj)
{
    objId.setNull();
    return m_impl->add(pObj, objId);
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound, const AcDbHandle& objHandle,
                                                Adesk::UInt32)
{
    retId.setNull();
    if (objHandle.isNull())
        return Acad::eNullHandle;
    auto it = m_impl->byHandle.find(objHandle.value());
    if (it != m_impl->byHandle.end()) {
        retId = AcDbObjectId(it->second);
        return Acad::eOk;
    }
    if (!createIfNotFound)
        return Acad::eUnknownHandle;
    retId = AcDbObjectId(m_impl->stubForHandle(objHandle.value()));
    return Acad::eOk;
}

AcDbHandle AcDbDatabase::handseed() const
{
    return AcDbHandle(m_impl->handseed);
}

Acad::ErrorStatus AcDbDatabase::setHandseed(const AcDbHandle& handle)
{
    if (handle.value() > m_impl->handseed)
        m_impl->handseed = handle.value();
    return Acad::eOk;
}

Adesk::Int32 AcDbDatabase::approxNumObjects() const
{
    Adesk::Int32 n = 0;
    for (const AcDbStub& s : m_impl->stubs)
        if (s.object != nullptr)
            ++n;
    return n;
}

void AcDbDatabase::disableUndoRecording(bool disable)
{
    m_impl->undoDisabled = disable;
}

bool AcDbDatabase::undoRecording() const
{
    return !m_impl->undoDisabled;
}

// ----- Standard objects ---------------------------------------------------------------------------

namespace {

template <class T>
Acad::ErrorStatus openStandard(AcDbDatabase* db, StandardObject which, T*& pObj, AcDb::OpenMode mode)
{
    pObj = nullptr;
    AcDbObjectId id = kelvora::standardObjectId(db, which);
    if (id.isNull())
        return Acad::eMissingSymbolTable;
    return acdbOpenObject(pObj, id, mode);
}

}  // namespace

#define KELVORA_TABLE_ACCESS(GETTER, TYPE, WHICH, IDGETTER)                                        \
    Acad::ErrorStatus AcDbDatabase::GETTER(TYPE*& pTable, AcDb::OpenMode mode)                     \
    {                                                                                              \
        return openStandard(this, StandardObject::WHICH, pTable, mode);                            \
    }                                                                                              \
    Acad::ErrorStatus AcDbDatabase::getSymbolTable(TYPE*& pTable, AcDb::OpenMode mode)             \
    {                                                                                              \
        return openStandard(this, StandardObject::WHICH, pTable, mode);                            \
    }                                                                                              \
    AcDbObjectId AcDbDatabase::IDGETTER() const                                                    \
    {                                                                                              \
        return m_impl->standard[static_cast<int>(StandardObject::WHICH)];                          \
    }

KELVORA_TABLE_ACCESS(getBlockTable, AcDbBlockTable, kBlockTable, blockTableId)
KELVORA_TABLE_ACCESS(getLayerTable, AcDbLayerTable, kLayerTable, layerTableId)
KELVORA_TABLE_ACCESS(getTextStyleTable, AcDbTextStyleTable, kTextStyleTable, textStyleTableId)
KELVORA_TABLE_ACCESS(getLinetypeTable, AcDbLinetypeTable, kLinetypeTable, linetypeTableId)
KELVORA_TABLE_ACCESS(getViewTable, AcDbViewTable, kViewTable, viewTableId)
KELVORA_TABLE_ACCESS(getUCSTable, AcDbUCSTable, kUCSTable, UCSTableId)
KELVORA_TABLE_ACCESS(getViewportTable, AcDbViewportTable, kViewportTable, viewportTableId)
KELVORA_TABLE_ACCESS(getRegAppTable, AcDbRegAppTable, kRegAppTable, regAppTableId)
KELVORA_TABLE_ACCESS(getDimStyleTable, AcDbDimStyleTable, kDimStyleTable, dimStyleTableId)
#undef KELVORA_TABLE_ACCESS

Acad::ErrorStatus AcDbDatabase::getNamedObjectsDictionary(AcDbDictionary*& pDict, AcDb::OpenMode mode)
{
    pDict = nullptr;
    AcDbObjectId id = namedObjectsDictionaryId();
    if (id.isNull())
        return Acad::eKeyNotFound;
    return acdbOpenObject(pDict, id, mode);
}

AcDbObjectId AcDbDatabase::namedObjectsDictionaryId() const
{
    return m_impl->standard[static_cast<int>(StandardObject::kNamedObjectsDictionary)];
}

AcDbObjectId AcDbDatabase::groupDictionaryId() const
{
    auto* nod = AcDbDictionary::cast(kelvora::objectOf(namedObjectsDictionaryId()));
    if (nod == nullptr)
        return AcDbObjectId();
    AcDbObjectId id;
    nod->getAt(ACRX_T("ACAD_GROUP"), id);
    return id;
}

Acad::ErrorStatus AcDbDatabase::getGroupDictionary(AcDbDictionary*& pDict, AcDb::OpenMode mode)
{
    pDict = nullptr;
    AcDbObjectId id = groupDictionaryId();
    if (id.isNull())
        return Acad::eKeyNotFound;
    return acdbOpenObject(pDict, id, mode);
}

AcDbObjectId AcDbDatabase::byLayerLinetype() const
{
    return kelvora::findRecord(linetypeTableId(), L"ByLayer");
}

AcDbObjectId AcDbDatabase::byBlockLinetype() const
{
    return kelvora::findRecord(linetypeTableId(), L"ByBlock");
}

AcDbObjectId AcDbDatabase::continuousLinetype() const
{
    return kelvora::findRecord(linetypeTableId(), L"Continuous");
}

AcDbObjectId AcDbDatabase::modelSpaceId() const
{
    return kelvora::findRecord(blockTableId(), ACDB_MODEL_SPACE);
}

AcDbObjectId AcDbDatabase::paperSpaceId() const
{
    return kelvora::findRecord(blockTableId(), ACDB_PAPER_SPACE);
}

AcDbObjectId AcDbDatabase::currentSpaceId() const
{
    return modelSpaceId();
}
