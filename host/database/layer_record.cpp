// AcDbLayerTableRecord: a layer's colour, linetype, line weight and states, and its filing.
#include "acutads.h"
#include "dbsymtb.h"
#include "kelvora/host_class.h"
#include "kelvora/wide_text.h"
#include "record_filing.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbLayerTableRecord, AcDbSymbolTableRecord, ACRX_T("LAYER"))

namespace {

// Bits of the layer's group 70 that the record models.
constexpr Adesk::Int16 kFrozenBit = 1;
constexpr Adesk::Int16 kLockedBit = 4;

}  // namespace

AcDbLayerTableRecord::AcDbLayerTableRecord()
{
    m_color.setColorIndex(7);
}

AcDbLayerTableRecord::~AcDbLayerTableRecord()
{
    acutRelRb(m_keptGroups);
}

bool AcDbLayerTableRecord::isFrozen() const
{
    assertReadEnabled();
    return m_frozen;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_frozen = frozen;
    return Acad::eOk;
}

bool AcDbLayerTableRecord::isOff() const
{
    assertReadEnabled();
    return m_off;
}

void AcDbLayerTableRecord::setIsOff(bool off)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    m_off = off;
}

bool AcDbLayerTableRecord::isLocked() const
{
    assertReadEnabled();
    return m_locked;
}

void AcDbLayerTableRecord::setIsLocked(bool locked)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    m_locked = locked;
}

bool AcDbLayerTableRecord::isPlottable() const
{
    assertReadEnabled();
    return m_plottable;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool plot)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_plottable = plot;
    return Acad::eOk;
}

bool AcDbLayerTableRecord::isInUse() const
{
    assertReadEnabled();
    AcDbDatabase* db = database();
    if (db == nullptr)
        return false;
    if (db->clayer() == objectId())
        return true;
    const AcDbObjectId self = objectId();
    return !kelvora::objectIdsWhere(db, [&](const AcDbObject* obj) {
                auto* ent = AcDbEntity::cast(obj);
                return ent != nullptr && !obj->objectId().isErased() && kelvora::ObjectAccess::layerIdOf(ent) == self;
            }).empty();
}

AcCmColor AcDbLayerTableRecord::color() const
{
    assertReadEnabled();
    return m_color;
}

void AcDbLayerTableRecord::setColor(const AcCmColor& color)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    m_color = color;
}

AcDbObjectId AcDbLayerTableRecord::linetypeObjectId() const
{
    assertReadEnabled();
    return m_linetypeId;
}

Acad::ErrorStatus AcDbLayerTableRecord::setLinetypeObjectId(AcDbObjectId id)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (!id.isNull() && AcDbLinetypeTableRecord::cast(kelvora::objectOf(id)) == nullptr)
        return Acad::eWrongObjectType;
    assertWriteEnabled();
    m_linetypeId = id;
    return Acad::eOk;
}

AcDb::LineWeight AcDbLayerTableRecord::lineWeight() const
{
    assertReadEnabled();
    return m_lineWeight;
}

Acad::ErrorStatus AcDbLayerTableRecord::setLineWeight(AcDb::LineWeight weight)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    // A layer's weight is a real weight or the default, never ByLayer or ByBlock.
    if (weight == AcDb::kLnWtByLayer || weight == AcDb::kLnWtByBlock)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_lineWeight = weight;
    return Acad::eOk;
}

ACHAR* AcDbLayerTableRecord::description() const
{
    assertReadEnabled();
    return kelvora::newWideString(m_description);
}

Acad::ErrorStatus AcDbLayerTableRecord::setDescription(const ACHAR* description)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_description = description != nullptr ? description : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    m_color.dwgOut(pFiler);
    pFiler->writeHardPointerId(m_linetypeId);
    pFiler->writeInt16(static_cast<Adesk::Int16>(m_lineWeight));
    pFiler->writeString(m_description.c_str());
    pFiler->writeBoolean(m_off);
    pFiler->writeBoolean(m_frozen);
    pFiler->writeBoolean(m_locked);
    pFiler->writeBoolean(m_plottable);
    kelvora::writeResbufList(pFiler, m_keptGroups);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLayerTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcCmColor color;
    AcDbHardPointerId linetype;
    Adesk::Int16 weight = 0;
    std::wstring description;
    bool off = false;
    bool frozen = false;
    bool locked = false;
    bool plottable = true;
    if ((es = color.dwgIn(pFiler)) != Acad::eOk || (es = pFiler->readHardPointerId(&linetype)) != Acad::eOk ||
        (es = pFiler->readInt16(&weight)) != Acad::eOk || (es = kelvora::readWString(pFiler, description)) != Acad::eOk ||
        (es = pFiler->readBoolean(&off)) != Acad::eOk || (es = pFiler->readBoolean(&frozen)) != Acad::eOk ||
        (es = pFiler->readBoolean(&locked)) != Acad::eOk || (es = pFiler->readBoolean(&plottable)) != Acad::eOk)
        return es;
    if ((es = kelvora::readResbufList(pFiler, m_keptGroups)) != Acad::eOk)
        return es;
    m_color = color;
    m_linetypeId = linetype;
    m_lineWeight = static_cast<AcDb::LineWeight>(weight);
    m_description = description;
    m_off = off;
    m_frozen = frozen;
    m_locked = locked;
    m_plottable = plottable;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, ACRX_T("AcDbLayerTableRecord"));
    Adesk::Int16 flags = static_cast<Adesk::Int16>(recordFlags() & ~(kFrozenBit | kLockedBit));
    if (m_frozen)
        flags = static_cast<Adesk::Int16>(flags | kFrozenBit);
    if (m_locked)
        flags = static_cast<Adesk::Int16>(flags | kLockedBit);
    kelvora::writeNameAndFlags(pFiler, this, flags);
    // An off layer has a negative colour index.
    Adesk::Int16 index = m_color.entityColor().colorIndex();
    if (index < 1 || index > 255)
        index = 7;
    pFiler->writeInt16(AcDb::kDxfColor, static_cast<Adesk::Int16>(m_off ? -index : index));
    if (m_color.isByColor())
        pFiler->writeInt32(AcDb::kDxfColorRGB,
                           static_cast<Adesk::Int32>((static_cast<Adesk::UInt32>(m_color.red()) << 16) |
                                                     (static_cast<Adesk::UInt32>(m_color.green()) << 8) |
                                                     m_color.blue()));
    std::wstring linetype = kelvora::recordNameOf(m_linetypeId);
    pFiler->writeString(AcDb::kDxfLinetypeName, linetype.empty() ? ACRX_T("Continuous") : linetype.c_str());
    if (!m_plottable)
        pFiler->writeBoolean(AcDb::kDxfBool, false);
    pFiler->writeInt16(AcDb::kDxfLineWeight, static_cast<Adesk::Int16>(m_lineWeight));
    kelvora::writeResbufsToDxf(pFiler, m_keptGroups);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbLayerTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->atSubclassData(ACRX_T("AcDbLayerTableRecord"));
    AcDbDatabase* db = pFiler->database() != nullptr ? pFiler->database() : kelvora::resolvingDatabase(this);
    resbuf* kept = nullptr;
    bool trueColor = false;
    es = kelvora::readRecordGroups(pFiler, this, kept, [&](const kelvora::RecordDxfItem& item) {
        const ads_u_val& v = item.rb.resval;
        switch (item.rb.restype) {
        case AcDb::kDxfInt16:
            m_frozen = (v.rint & kFrozenBit) != 0;
            m_locked = (v.rint & kLockedBit) != 0;
            return true;
        case AcDb::kDxfColor: {
            m_off = v.rint < 0;
            if (!trueColor) {
                AcCmColor c;
                if (c.setColorIndex(static_cast<Adesk::UInt16>(v.rint < 0 ? -v.rint : v.rint)) == Acad::eOk)
                    m_color = c;
            }
            return true;
        }
        case AcDb::kDxfColorRGB: {
            auto rgb = static_cast<Adesk::UInt32>(v.rlong);
            m_color.setRGB(static_cast<Adesk::UInt8>(rgb >> 16), static_cast<Adesk::UInt8>(rgb >> 8),
                           static_cast<Adesk::UInt8>(rgb));
            trueColor = true;
            return true;
        }
        case AcDb::kDxfLinetypeName: {
            AcDbObjectId id = db != nullptr ? kelvora::findRecord(db->linetypeTableId(), item.text()) : AcDbObjectId();
            if (!id.isNull())
                m_linetypeId = id;
            return true;
        }
        case AcDb::kDxfBool:
            m_plottable = v.rint != 0;
            return true;
        case AcDb::kDxfLineWeight:
            m_lineWeight = static_cast<AcDb::LineWeight>(v.rint);
            return true;
        default:
            return false;
        }
    });
    if (es != Acad::eOk) {
        acutRelRb(kept);
        return es;
    }
    acutRelRb(m_keptGroups);
    m_keptGroups = kept;
    return Acad::eOk;
}
