// Writing one database object as one DXF record: its own filing, or for a proxy the groups it kept.
#include "drawing_object_writer.h"

#include "acutads.h"
#include "dbproxy.h"
#include "drawing_dxf_filer.h"
#include "drawing_names.h"
#include "drawing_upgrade.h"
#include "kelvora/dxf_proxy_graphics.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/wide_text.h"
#include "rxclass.h"

namespace kelvora {

namespace {

const KeptRecord* keptOf(const DrawingFileState* state, AcDbObjectId id)
{
    if (state == nullptr || id.isNull())
        return nullptr;
    auto it = state->kept.find(id);
    return it != state->kept.end() ? &it->second : nullptr;
}

std::string nameOrKept(const ACHAR* name, const AcDbObject* obj, const DrawingFileState* state, const char* fallback)
{
    if (name != nullptr && *name != L'\0')
        return toUtf8(name);
    const KeptRecord* kept = keptOf(state, obj->objectId());
    return kept != nullptr && !kept->dxfName.empty() ? kept->dxfName : std::string(fallback);
}

std::int64_t intIn(const std::vector<DxfTag>& tags, int code)
{
    for (const DxfTag& t : tags)
        if (t.code == code)
            return t.toInteger().value_or(0);
    return 0;
}

// The groups a proxy keeps after the common ones: as read while its data is what was read.
std::vector<DxfTag> ownGroups(ObjectWriteContext& ctx, const resbuf* data, const KeptRecord& kept, bool entity,
                              std::int64_t parentFlags)
{
    resbuf* asRead = dxfTagsToResbufs(ctx.db, kept.own);
    std::vector<DxfTag> own = resbufListsEqual(asRead, data) ? kept.own : resbufsToDxfTags(ctx.db, data);
    acutRelRb(asRead);
    const bool fromR12 = ctx.state != nullptr && isPreR13(ctx.state->readVersion);
    if (entity && fromR12 && lacksSubclassMarkers(own))
        own = upgradePreR13EntityGroups(kept.dxfName, own, parentFlags != 0 ? parentFlags : intIn(own, 70),
                                        intIn(own, 70));
    return own;
}

// The proxy graphics a kept entity had among its common groups, with the size group the version
// uses (92 up to R2010, 160 from R2013) when the stream could be read.
std::vector<DxfTag> graphicsOf(const ObjectWriteContext& ctx, const std::vector<unsigned char>& bytes,
                               const KeptRecord& kept)
{
    if (kept.graphics.empty())
        return {};
    if (!bytes.empty())
        return proxyGraphicsTags(std::span<const std::uint8_t>(bytes.data(), bytes.size()), ctx.acadVer);
    return kept.graphics;
}

}  // namespace

std::string dxfNameOf(const AcDbObject* obj, const DrawingFileState* state)
{
    if (const auto* proxy = AcDbProxyEntity::cast(obj))
        return nameOrKept(proxy->originalDxfName(), obj, state, "ACAD_PROXY_ENTITY");
    if (const auto* proxy = AcDbProxyObject::cast(obj))
        return nameOrKept(proxy->originalDxfName(), obj, state, "ACAD_PROXY_OBJECT");
    for (const AcRxClass* cls = obj->isA(); cls != nullptr; cls = cls->myParent())
        if (cls->dxfName() != nullptr && *cls->dxfName() != L'\0')
            return toUtf8(cls->dxfName());
    return upperAscii(toUtf8(obj->isA()->name()));
}

namespace {

// Everything after the group 0, through `filer` (which keeps the groups or writes them as text).
void writeObjectGroups(ObjectWriteContext& ctx, AcDbObject* obj, const std::string& dxfName, std::int64_t parentFlags,
                       DrawingDxfFiler& filer)
{
    const KeptRecord* kept = keptOf(ctx.state, obj->objectId());
    Acad::ErrorStatus es = Acad::eOk;
    // Only a proxy has kept groups: the class tests are left to those few objects.
    auto* proxy = kept != nullptr ? AcDbProxyEntity::cast(obj) : nullptr;
    auto* proxyObject = kept != nullptr && proxy == nullptr ? AcDbProxyObject::cast(obj) : nullptr;
    if (proxy != nullptr) {
        // Only the common groups are the proxy's to write; the rest is written as it was read.
        es = proxy->AcDbEntity::dxfOutFields(&filer);
        for (const DxfTag& t : graphicsOf(ctx, proxy->graphicsData(), *kept))
            filer.writeTag(t);
        for (const DxfTag& t : ownGroups(ctx, proxy->originalData(), *kept, true, parentFlags))
            filer.writeTag(t);
    } else if (proxyObject != nullptr) {
        es = proxyObject->AcDbObject::dxfOutFields(&filer);
        for (const DxfTag& t : ownGroups(ctx, proxyObject->originalData(), *kept, false, 0))
            filer.writeTag(t);
    } else {
        es = obj->dxfOutFields(&filer);
    }
    if (es != Acad::eOk) {
        if (ctx.diagnostics != nullptr)
            ctx.diagnostics->error(0, dxfName + " " + handleText(obj->objectId()) + " cannot be written (" +
                                          toUtf8(acadErrorStatusText(es)) + ")");
        ctx.failed = true;
    }
    if (ctx.diagnostics != nullptr)
        for (const DrawingDxfFiler::Message& m : filer.messages())
            ctx.diagnostics->warning(0, dxfName + " " + handleText(obj->objectId()) + ": " + m.text);
    if (ctx.state != nullptr) {
        auto left = ctx.state->leftovers.find(obj->objectId());
        if (left != ctx.state->leftovers.end() && left->second.cls == obj->isA())
            for (const DxfTag& t : left->second.groups)
                filer.writeTag(t);
    }
    resbuf* xdata = obj->xData();
    for (const resbuf* rb = xdata; rb != nullptr; rb = rb->rbnext)
        filer.writeResBuf(*rb);
    acutRelRb(xdata);
    ++ctx.counts[upperAscii(dxfName)];
}

}  // namespace

DxfRecord writeObjectRecord(ObjectWriteContext& ctx, AcDbObject* obj, const std::string& dxfName,
                            std::int64_t parentFlags)
{
    DrawingDxfFiler filer(ctx.db, dwgVersionOfAcadVer(ctx.acadVer));
    filer.written().emplace_back(AcDb::kDxfStart, dxfName);
    writeObjectGroups(ctx, obj, dxfName, parentFlags, filer);
    return DxfRecord(filer.takeWritten());
}

void writeObjectText(ObjectWriteContext& ctx, AcDbObject* obj, const std::string& dxfName, DxfTextWriter& text,
                     std::int64_t parentFlags)
{
    DrawingDxfFiler filer(ctx.db, dwgVersionOfAcadVer(ctx.acadVer));
    text.tag(AcDb::kDxfStart, dxfName);
    filer.writeTextTo(text);
    writeObjectGroups(ctx, obj, dxfName, parentFlags, filer);
}

}  // namespace kelvora
