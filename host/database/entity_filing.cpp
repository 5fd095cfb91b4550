// AcDbEntity filing: the common entity data in DWG and DXF form.
#include "acutads.h"
#include "dbsymtb.h"
#include "filing_util.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/wide_text.h"
#include "object_access.h"

namespace {

struct DxfItem {
    resbuf rb{};
    ~DxfItem() { kelvora::clearResbufValue(rb); }
    const wchar_t* text() const { return rb.resval.rstring != nullptr ? rb.resval.rstring : L""; }
};

// Common entity groups the host keeps as read without modelling them: material, plot style, layout
// name, transparency, shadow mode, colour name, plot style type.
bool isKeptCommonGroup(int code)
{
    return code == 347 || code == 348 || code == 380 || code == 390 || code == 410 || code == 430 || code == 440 ||
           code == 284;
}

// Proxy graphics of a drawing written with them: dropped, the host draws the entity itself.
bool isProxyGraphicsGroup(int code)
{
    return code == 92 || code == 160 || code == 310;
}

// The layer of that name, made (with the default colour) when the drawing has none, as the commercial
// host does for a layer named only by entities.
AcDbObjectId layerForName(AcDbDatabase* db, const wchar_t* name)
{
    if (db == nullptr || name == nullptr || *name == L'\0')
        return AcDbObjectId();
    AcDbObjectId id = kelvora::findRecord(db->layerTableId(), name);
    if (!id.isNull())
        return id;
    AcDbLayerTable* table = nullptr;
    if (db->getLayerTable(table, AcDb::kForWrite) != Acad::eOk)
        return AcDbObjectId();
    auto* layer = new AcDbLayerTableRecord();
    if (layer->setName(name) != Acad::eOk || table->add(id, layer) != Acad::eOk) {
        delete layer;
        table->close();
        return AcDbObjectId();
    }
    layer->setLinetypeObjectId(db->continuousLinetype());
    layer->close();
    table->close();
    return id;
}

}  // namespace

Acad::ErrorStatus AcDbEntity::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeHardPointerId(m_layerId);
    pFiler->writeHardPointerId(m_linetypeId);
    m_color.dwgOut(pFiler);
    pFiler->writeDouble(m_linetypeScale);
    pFiler->writeInt16(static_cast<Adesk::Int16>(m_visibility));
    pFiler->writeInt16(static_cast<Adesk::Int16>(m_lineWeight));
    kelvora::writeResbufList(pFiler, m_keptCommonGroups);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcDbHardPointerId layer;
    AcDbHardPointerId linetype;
    AcCmColor color;
    double scale = 1.0;
    Adesk::Int16 visibility = 0;
    Adesk::Int16 weight = 0;
    if ((es = pFiler->readHardPointerId(&layer)) != Acad::eOk || (es = pFiler->readHardPointerId(&linetype)) != Acad::eOk ||
        (es = color.dwgIn(pFiler)) != Acad::eOk || (es = pFiler->readDouble(&scale)) != Acad::eOk ||
        (es = pFiler->readInt16(&visibility)) != Acad::eOk || (es = pFiler->readInt16(&weight)) != Acad::eOk)
        return es;
    resbuf* kept = nullptr;
    if ((es = kelvora::readResbufList(pFiler, kept)) != Acad::eOk)
        return es;
    m_layerId = layer;
    m_linetypeId = linetype;
    m_color = color;
    m_linetypeScale = scale;
    m_visibility = visibility == AcDb::kInvisible ? AcDb::kInvisible : AcDb::kVisible;
    m_lineWeight = static_cast<AcDb::LineWeight>(weight);
    acutRelRb(m_keptCommonGroups);
    m_keptCommonGroups = kept;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    const bool all = pFiler->includesDefaultValues();
    pFiler->writeString(AcDb::kDxfSubclass, ACRX_T("AcDbEntity"));
    AcDbDatabase* db = database();
    // The owner's name first: finding the paper space record is left to the few entities there.
    if (db != nullptr && kelvora::namesEqual(kelvora::recordNameOf(ownerId()), ACDB_PAPER_SPACE) &&
        ownerId() == db->paperSpaceId())
        pFiler->writeInt16(AcDb::kDxfViewportVisibility, 1);
    const std::wstring& layerName = kelvora::recordNameOf(m_layerId);
    pFiler->writeString(AcDb::kDxfLayerName, layerName.empty() ? ACRX_T("0") : layerName.c_str());
    const std::wstring& linetypeName = kelvora::recordNameOf(m_linetypeId);
    if (!linetypeName.empty() && (all || !kelvora::namesEqual(linetypeName, L"ByLayer")))
        pFiler->writeString(AcDb::kDxfLinetypeName, linetypeName.c_str());
    const AcCmEntityColor& c = m_color.entityColor();
    if (c.isByColor()) {
        pFiler->writeInt16(AcDb::kDxfColor, c.colorIndex());
        pFiler->writeInt32(AcDb::kDxfColorRGB, static_cast<Adesk::Int32>((static_cast<Adesk::UInt32>(c.red()) << 16) |
                                                                         (static_cast<Adesk::UInt32>(c.green()) << 8) |
                                                                         c.blue()));
    } else if (all || !c.isByLayer()) {
        pFiler->writeInt16(AcDb::kDxfColor, c.colorIndex());
    }
    if (all || m_lineWeight != AcDb::kLnWtByLayer)
        pFiler->writeInt16(AcDb::kDxfLineWeight, static_cast<Adesk::Int16>(m_lineWeight));
    if (all || m_linetypeScale != 1.0)
        pFiler->writeDouble(AcDb::kDxfLinetypeScale, m_linetypeScale);
    if (all || m_visibility == AcDb::kInvisible)
        pFiler->writeInt16(AcDb::kDxfVisibility, m_visibility == AcDb::kInvisible ? 1 : 0);
    kelvora::writeResbufsToDxf(pFiler, m_keptCommonGroups);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbObject::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    // Drawings without subclass markers (R12) put the common groups first all the same.
    pFiler->atSubclassData(ACRX_T("AcDbEntity"));
    AcDbDatabase* db = pFiler->database() != nullptr ? pFiler->database() : kelvora::resolvingDatabase(this);
    resbuf* kept = nullptr;
    bool trueColorRead = false;
    while (true) {
        DxfItem item;
        es = pFiler->readResBuf(&item.rb);
        if (kelvora::isEndOfData(es))
            break;
        if (es != Acad::eOk) {
            acutRelRb(kept);
            return es;
        }
        const int code = item.rb.restype;
        if (code == AcDb::kDxfLayerName) {
            AcDbObjectId id = layerForName(db, item.text());
            if (!id.isNull())
                m_layerId = id;
        } else if (code == AcDb::kDxfLinetypeName) {
            AcDbObjectId id = db != nullptr ? kelvora::findRecord(db->linetypeTableId(), item.text()) : AcDbObjectId();
            if (!id.isNull())
                m_linetypeId = id;
            else
                pFiler->setError(ACRX_T("unknown linetype \"%s\": ByLayer is used"), item.text());
        } else if (code == AcDb::kDxfColor) {
            if (!trueColorRead) {
                int index = item.rb.resval.rint < 0 ? -item.rb.resval.rint : item.rb.resval.rint;
                AcCmColor color;
                if (color.setColorIndex(static_cast<Adesk::UInt16>(index)) == Acad::eOk)
                    m_color = color;
            }
        } else if (code == AcDb::kDxfColorRGB) {
            auto rgb = static_cast<Adesk::UInt32>(item.rb.resval.rlong);
            AcCmColor color;
            color.setRGB(static_cast<Adesk::UInt8>(rgb >> 16), static_cast<Adesk::UInt8>(rgb >> 8),
                         static_cast<Adesk::UInt8>(rgb));
            m_color = color;
            trueColorRead = true;
        } else if (code == AcDb::kDxfLineWeight) {
            m_lineWeight = static_cast<AcDb::LineWeight>(item.rb.resval.rint);
        } else if (code == AcDb::kDxfLinetypeScale) {
            if (item.rb.resval.rreal > 0.0)
                m_linetypeScale = item.rb.resval.rreal;
        } else if (code == AcDb::kDxfVisibility) {
            m_visibility = item.rb.resval.rint != 0 ? AcDb::kInvisible : AcDb::kVisible;
        } else if (code == AcDb::kDxfViewportVisibility || isProxyGraphicsGroup(code)) {
            // Paper space follows from the owner; proxy graphics are not kept.
        } else if (isKeptCommonGroup(code)) {
            kelvora::appendToList(kept, item.rb);
        } else {
            pFiler->pushBackItem();
            break;
        }
    }
    if (kept != nullptr) {
        acutRelRb(m_keptCommonGroups);
        m_keptCommonGroups = kept;
    }
    return Acad::eOk;
}
