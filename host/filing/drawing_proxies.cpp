// Proxies and the classes of applications: objects turned into proxies before their class goes, and back after it comes.
#include <vector>

#include "dbapserv.h"
#include "dbproxy.h"
#include "drawing_classes.h"
#include "drawing_dxf_filer.h"
#include "drawing_object_reader.h"
#include "drawing_object_writer.h"
#include "drawing_state.h"
#include "kelvora/database_internals.h"
#include "kelvora/drawing_file.h"
#include "kelvora/wide_text.h"
#include "rxclass.h"

namespace kelvora {

namespace {

// The database is the working one while its objects are rebuilt: their readers resolve names there.
class WorkingDatabase {
public:
    explicit WorkingDatabase(AcDbDatabase& db) : m_saved(acdbHostApplicationServices()->workingDatabase())
    {
        acdbHostApplicationServices()->setWorkingDatabase(&db);
    }
    ~WorkingDatabase() { acdbHostApplicationServices()->setWorkingDatabase(m_saved); }
    WorkingDatabase(const WorkingDatabase&) = delete;
    WorkingDatabase& operator=(const WorkingDatabase&) = delete;

private:
    AcDbDatabase* m_saved;
};

bool isProxy(const AcDbObject* obj)
{
    return AcDbProxyEntity::cast(obj) != nullptr || AcDbProxyObject::cast(obj) != nullptr;
}

struct ProxyClass {
    ClassRecordInfo info;
    bool entity = false;
    bool hasSubEntities = false;
};

// What a proxy knows of its original class; false when the id holds no proxy that can be opened.
bool proxyClassOf(AcDbObjectId id, const DrawingFileState* state, ProxyClass& out)
{
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk)
        return false;
    bool found = true;
    if (auto* proxy = AcDbProxyEntity::cast(obj)) {
        out.info.cppName = toUtf8(proxy->originalClassName());
        out.info.dxfName = toUtf8(proxy->originalDxfName());
        out.info.appName = toUtf8(proxy->applicationDescription());
        out.info.proxyFlags = proxy->proxyFlags();
        out.entity = true;
    } else if (auto* proxyObject = AcDbProxyObject::cast(obj)) {
        out.info.cppName = toUtf8(proxyObject->originalClassName());
        out.info.dxfName = toUtf8(proxyObject->originalDxfName());
        out.info.appName = toUtf8(proxyObject->applicationDescription());
        out.info.proxyFlags = proxyObject->proxyFlags();
    } else {
        found = false;
    }
    obj->close();
    if (found && state != nullptr) {
        auto it = state->kept.find(id);
        out.hasSubEntities = it != state->kept.end() && (!it->second.children.empty() || it->second.seqend);
        if (out.info.dxfName.empty() && it != state->kept.end())
            out.info.dxfName = it->second.dxfName;
    }
    return found;
}

// The record an object writes now (its class's filing, or a proxy's kept groups).
bool currentRecord(AcDbDatabase& db, AcDbObjectId id, const DrawingFileState* state, DxfRecord& record,
                   std::string& dxfName)
{
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, id, AcDb::kForRead) != Acad::eOk)
        return false;
    ObjectWriteContext ctx;
    ctx.db = &db;
    ctx.state = state;
    dxfName = dxfNameOf(obj, state);
    record = writeObjectRecord(ctx, obj, dxfName);
    obj->close();
    return !ctx.failed;
}

// Puts `made` in the place of the object under `id`; false (made deleted) when that cannot be done.
bool replaceWith(AcDbObjectId id, AcDbObject* made)
{
    AcDbObject* old = nullptr;
    if (replaceObject(id, made, old) != Acad::eOk) {
        delete made;
        return false;
    }
    delete old;
    return true;
}

}  // namespace

int convertProxiesToClasses(AcDbDatabase& db)
{
    WorkingDatabase working(db);
    DrawingFileState& state = drawingFileState(&db);
    DxfDiagnostics quiet;
    ObjectReadContext ctx;
    ctx.db = &db;
    ctx.diagnostics = &quiet;
    int converted = 0;
    // Only proxies are listed (and sorted): the rest of a large drawing is not walked twice.
    for (AcDbObjectId id : objectIdsWhere(&db, isProxy)) {
        if (id.isErased())
            continue;
        ProxyClass pc;
        if (!proxyClassOf(id, &state, pc) || pc.hasSubEntities)
            continue;
        AcRxClass* cls = classForRecord(pc.info.dxfName, &pc.info, pc.entity);
        if (cls == nullptr)
            continue;
        DxfRecord record;
        std::string dxfName;
        if (!currentRecord(db, id, &state, record, dxfName))
            continue;
        BuiltObject built = buildObject(ctx, record, cls, &pc.info, pc.entity);
        if (built.kept) {
            // The class refused the data: the proxy stays.
            delete built.object;
            continue;
        }
        if (!replaceWith(id, built.object))
            continue;
        state.kept.erase(id);
        if (!built.leftovers.empty())
            state.leftovers[id] = UnreadGroups{cls, std::move(built.leftovers)};
        else
            state.leftovers.erase(id);
        ++converted;
    }
    return converted;
}

int convertProxiesInAllDatabases()
{
    int converted = 0;
    for (AcDbDatabase* db : liveDatabases())
        converted += convertProxiesToClasses(*db);
    return converted;
}

int convertObjectsToProxies(AcDbDatabase& db, const std::function<bool(const AcRxClass*)>& which)
{
    WorkingDatabase working(db);
    DrawingFileState& state = drawingFileState(&db);
    DxfDiagnostics quiet;
    ObjectReadContext ctx;
    ctx.db = &db;
    ctx.diagnostics = &quiet;
    int converted = 0;
    const std::vector<AcDbObjectId> ids =
        objectIdsWhere(&db, [&](const AcDbObject* obj) { return !isProxy(obj) && which(obj->isA()); });
    for (AcDbObjectId id : ids) {
        const AcDbObject* peeked = peekObject(id);
        if (peeked == nullptr || isProxy(peeked))
            continue;
        const AcRxClass* cls = peeked->isA();
        if (!which(cls))
            continue;
        DxfRecord record;
        std::string dxfName;
        if (!currentRecord(db, id, &state, record, dxfName))
            continue;
        ClassRecordInfo info;
        info.dxfName = dxfName;
        info.cppName = toUtf8(cls->name());
        info.appName = toUtf8(cls->appName());
        info.proxyFlags = cls->proxyFlags();
        info.isEntity = cls->isDerivedFrom(AcDbEntity::desc());
        BuiltObject built = buildProxy(ctx, record, &info, info.isEntity);
        if (!replaceWith(id, built.object))
            continue;
        state.leftovers.erase(id);
        state.kept[id] = std::move(*built.kept);
        ++converted;
    }
    return converted;
}

int convertObjectsToProxiesInAllDatabases(const std::function<bool(const AcRxClass*)>& which)
{
    int converted = 0;
    for (AcDbDatabase* db : liveDatabases())
        converted += convertObjectsToProxies(*db, which);
    return converted;
}

}  // namespace kelvora
