// Building one database object from one DXF record: an object of its class through dxfInFields, or a proxy.
#include "drawing_object_reader.h"

#include <span>

#include "acutads.h"
#include "dbproxy.h"
#include "dbsymtb.h"
#include "drawing_dxf_filer.h"
#include "kelvora/dxf_proxy_graphics.h"
#include "kelvora/wide_text.h"
#include "rxclass.h"

namespace kelvora {

namespace {

// The groups an object reads: those after its group 0, up to its extended data.
std::span<const DxfTag> objectGroups(const DxfRecord& record)
{
    const std::size_t end = record.xdataBegin();
    if (record.tags.empty() || end <= 1)
        return {};
    return std::span<const DxfTag>(record.tags).subspan(1, end - 1);
}

void reportMessages(const ObjectReadContext& ctx, const DrawingDxfFiler& filer, const DxfRecord& record)
{
    for (const DrawingDxfFiler::Message& m : filer.messages())
        ctx.diagnostics->warning(m.line != 0 ? m.line : recordLine(record), std::string(record.type()) + ": " + m.text);
}

std::string describeStatus(Acad::ErrorStatus es)
{
    return toUtf8(acadErrorStatusText(es));
}

// The proxy graphics among the common entity groups: the size group (92, or 160 from R2013) and the
// 310 chunks after it.
std::vector<DxfTag> graphicsGroups(std::span<const DxfTag> common, std::vector<std::uint8_t>& data)
{
    for (std::size_t i = 0; i < common.size(); ++i) {
        if (common[i].code != 92 && common[i].code != 160)
            continue;
        std::size_t end = i + 1;
        while (end < common.size() && common[end].code == 310)
            ++end;
        std::span<const DxfTag> tags = common.subspan(i, end - i);
        std::size_t used = 0;
        std::string error;
        if (!proxyGraphicsFromTags(tags, data, used, error))
            data.clear();
        return std::vector<DxfTag>(tags.begin(), tags.end());
    }
    return {};
}

AcDbObjectId addApplication(AcDbDatabase* db, const std::wstring& name)
{
    AcDbRegAppTable* table = nullptr;
    if (db == nullptr || db->getRegAppTable(table, AcDb::kForWrite) != Acad::eOk)
        return AcDbObjectId();
    AcDbObjectId id;
    if (table->getAt(name.c_str(), id) != Acad::eOk) {
        auto* rec = new AcDbRegAppTableRecord();
        if (rec->setName(name.c_str()) != Acad::eOk || table->add(id, rec) != Acad::eOk) {
            delete rec;
            id.setNull();
        } else {
            rec->close();
        }
    }
    table->close();
    return id;
}

}  // namespace

std::uint32_t recordLine(const DxfRecord& record)
{
    return record.line();
}

void setExtendedData(const ObjectReadContext& ctx, AcDbObject* object, const DxfRecord& record)
{
    const std::size_t begin = record.xdataBegin();
    if (begin >= record.tags.size())
        return;
    std::span<const DxfTag> groups = std::span<const DxfTag>(record.tags).subspan(begin);
    resbuf* list = dxfTagsToResbufs(ctx.db, groups);
    Acad::ErrorStatus es = object->setXData(list);
    if (es == Acad::eRegappIdNotFound) {
        for (const DxfTag& t : groups) {
            if (t.code != AcDb::kDxfRegAppName)
                continue;
            AcDbRegAppTable* table = nullptr;
            bool known = false;
            if (ctx.db->getRegAppTable(table, AcDb::kForRead) == Acad::eOk) {
                known = table->has(fromUtf8(t.value).c_str());
                table->close();
            }
            if (known)
                continue;
            if (!addApplication(ctx.db, fromUtf8(t.value)).isNull())
                ctx.diagnostics->warning(t.line, "application \"" + t.value +
                                                     "\" of extended data is not in the APPID table; it is added");
        }
        es = object->setXData(list);
    }
    if (es != Acad::eOk)
        ctx.diagnostics->warning(groups.front().line, std::string(record.type()) + ": its extended data is dropped (" +
                                                          describeStatus(es) + ")");
    acutRelRb(list);
}

BuiltObject buildProxy(const ObjectReadContext& ctx, const DxfRecord& record, const ClassRecordInfo* info, bool entity)
{
    const std::string dxfName(record.type());
    const std::wstring className = fromUtf8(info != nullptr && !info->cppName.empty() ? info->cppName : dxfName);
    const std::wstring dxfWide = fromUtf8(dxfName);
    const std::wstring app = fromUtf8(info != nullptr ? info->appName : std::string());
    const int flags = info != nullptr ? info->proxyFlags : 0;

    std::span<const DxfTag> groups = objectGroups(record);
    DrawingDxfFiler filer(ctx.db, ctx.version, groups);
    BuiltObject out;
    KeptRecord kept;
    kept.dxfName = dxfName;
    AcDbObject* object = nullptr;
    std::vector<std::uint8_t> graphics;
    if (entity) {
        auto* proxy = new AcDbProxyEntity();
        proxy->setOriginalClass(className.c_str(), dxfWide.c_str(), app.c_str(), flags);
        // Only the common groups are the proxy's to read; the rest is kept as it stands.
        proxy->AcDbEntity::dxfInFields(&filer);
        kept.graphics = graphicsGroups(groups.first(filer.position()), graphics);
        object = proxy;
    } else {
        auto* proxy = new AcDbProxyObject();
        proxy->setOriginalClass(className.c_str(), dxfWide.c_str(), app.c_str(), flags);
        proxy->AcDbObject::dxfInFields(&filer);
        object = proxy;
    }
    reportMessages(ctx, filer, record);
    std::span<const DxfTag> own = groups.subspan(filer.position());
    kept.own.assign(own.begin(), own.end());
    // A foreign proxy carries its graphics in its own subclass: shown, but written back as read.
    if (entity && graphics.empty() && dxfName == "ACAD_PROXY_ENTITY")
        graphicsGroups(own, graphics);
    resbuf* data = dxfTagsToResbufs(ctx.db, own);
    if (auto* proxy = AcDbProxyEntity::cast(object)) {
        proxy->setOriginalData(data);
        if (!graphics.empty())
            proxy->setGraphicsData(std::vector<unsigned char>(graphics.begin(), graphics.end()));
    } else if (auto* proxyObject = AcDbProxyObject::cast(object)) {
        proxyObject->setOriginalData(data);
    }
    acutRelRb(data);
    setExtendedData(ctx, object, record);
    out.object = object;
    out.kept = std::move(kept);
    return out;
}

BuiltObject buildObject(const ObjectReadContext& ctx, const DxfRecord& record, AcRxClass* cls,
                        const ClassRecordInfo* info, bool entity)
{
    if (cls == nullptr)
        return buildProxy(ctx, record, info, entity);
    AcRxObject* made = cls->create();
    AcDbObject* object = AcDbObject::cast(made);
    if (object == nullptr || (entity && AcDbEntity::cast(object) == nullptr)) {
        delete made;
        return buildProxy(ctx, record, info, entity);
    }
    std::span<const DxfTag> groups = objectGroups(record);
    DrawingDxfFiler filer(ctx.db, ctx.version, groups);
    Acad::ErrorStatus es = object->dxfInFields(&filer);
    reportMessages(ctx, filer, record);
    if (es != Acad::eOk) {
        ctx.diagnostics->warning(recordLine(record), std::string(record.type()) + " is not read as " +
                                                         toUtf8(cls->name()) + " (" + describeStatus(es) +
                                                         "); it is kept as it is");
        delete object;
        return buildProxy(ctx, record, info, entity);
    }
    BuiltObject out;
    std::span<const DxfTag> rest = groups.subspan(filer.position());
    out.leftovers.assign(rest.begin(), rest.end());
    setExtendedData(ctx, object, record);
    out.object = object;
    return out;
}

}  // namespace kelvora
