// AcDbEntity: common properties, database defaults, and the default geometry, grip and drawing operations.
#include <cmath>

#include "acgi.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbgrip.h"
#include "dbsymtb.h"
#include "kelvora/diagnostics.h"
#include "kelvora/gi_recorder.h"
#include "kelvora/host_class.h"
#include "kelvora/host_output.h"
#include "kelvora/resbuf_util.h"
#include "kelvora/wide_text.h"
#include "object_access.h"

KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcDbEntity, AcDbObject, nullptr)

namespace {

// Grip application data made by the default grip-data form: the index, offset by a tag far above any
// small number an entity might use for its own grips.
constexpr Adesk::UIntPtr kGripIndexTag = static_cast<Adesk::UIntPtr>(0x4B47) << 32;
constexpr Adesk::UIntPtr kGripIndexMask = 0xFFFFFFFFu;

bool isValidLineWeight(AcDb::LineWeight lw)
{
    switch (lw) {
    case AcDb::kLnWt000: case AcDb::kLnWt005: case AcDb::kLnWt009: case AcDb::kLnWt013:
    case AcDb::kLnWt015: case AcDb::kLnWt018: case AcDb::kLnWt020: case AcDb::kLnWt025:
    case AcDb::kLnWt030: case AcDb::kLnWt035: case AcDb::kLnWt040: case AcDb::kLnWt050:
    case AcDb::kLnWt053: case AcDb::kLnWt060: case AcDb::kLnWt070: case AcDb::kLnWt080:
    case AcDb::kLnWt090: case AcDb::kLnWt100: case AcDb::kLnWt106: case AcDb::kLnWt120:
    case AcDb::kLnWt140: case AcDb::kLnWt158: case AcDb::kLnWt200: case AcDb::kLnWt211:
    case AcDb::kLnWtByLayer: case AcDb::kLnWtByBlock: case AcDb::kLnWtByLwDefault:
        return true;
    }
    return false;
}

}  // namespace

void* acdbGripIndexAppData(int index)
{
    return reinterpret_cast<void*>(kGripIndexTag | (static_cast<Adesk::UIntPtr>(static_cast<unsigned>(index)) & kGripIndexMask));
}

int acdbGripIndexFromAppData(const void* appData)
{
    auto v = reinterpret_cast<Adesk::UIntPtr>(appData);
    if ((v & ~kGripIndexMask) != kGripIndexTag)
        return -1;
    return static_cast<int>(v & kGripIndexMask);
}

AcDbEntity::AcDbEntity() = default;

AcDbEntity::~AcDbEntity()
{
    acutRelRb(m_keptCommonGroups);
}

AcDbObjectId AcDbEntity::blockId() const
{
    return ownerId();
}

// ----- Properties ---------------------------------------------------------------------------------

AcCmColor AcDbEntity::color() const
{
    assertReadEnabled();
    return m_color;
}

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color, Adesk::Boolean)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_color = color;
    recordGraphicsModified();
    return Acad::eOk;
}

Adesk::UInt16 AcDbEntity::colorIndex() const
{
    assertReadEnabled();
    return m_color.colorIndex();
}

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 color, Adesk::Boolean doSubents)
{
    AcCmColor c;
    if (c.setColorIndex(color) != Acad::eOk)
        return Acad::eOutOfRange;
    return setColor(c, doSubents);
}

AcCmEntityColor AcDbEntity::entityColor() const
{
    assertReadEnabled();
    return m_color.entityColor();
}

ACHAR* AcDbEntity::layer() const
{
    assertReadEnabled();
    return kelvora::newWideString(kelvora::recordNameOf(m_layerId));
}

AcDbObjectId AcDbEntity::layerId() const
{
    assertReadEnabled();
    return m_layerId;
}

Acad::ErrorStatus AcDbEntity::setLayer(const ACHAR* newVal, Adesk::Boolean doSubents, bool allowHiddenLayer)
{
    if (newVal == nullptr)
        return Acad::eNullObjectPointer;
    AcDbDatabase* db = kelvora::resolvingDatabase(this);
    if (db == nullptr)
        return Acad::eNoDatabase;
    AcDbObjectId id = kelvora::findRecord(db->layerTableId(), newVal);
    if (id.isNull())
        return Acad::eKeyNotFound;
    return setLayer(id, doSubents, allowHiddenLayer);
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId newVal, Adesk::Boolean, bool)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (newVal.isNull())
        return Acad::eNullObjectId;
    if (AcDbLayerTableRecord::cast(kelvora::objectOf(newVal)) == nullptr)
        return Acad::eWrongObjectType;
    if (newVal.isErased())
        return Acad::eWasErased;
    assertWriteEnabled();
    m_layerId = newVal;
    recordGraphicsModified();
    return Acad::eOk;
}

ACHAR* AcDbEntity::linetype() const
{
    assertReadEnabled();
    return kelvora::newWideString(kelvora::recordNameOf(m_linetypeId));
}

AcDbObjectId AcDbEntity::linetypeId() const
{
    assertReadEnabled();
    return m_linetypeId;
}

Acad::ErrorStatus AcDbEntity::setLinetype(const ACHAR* newVal, Adesk::Boolean doSubents)
{
    if (newVal == nullptr)
        return Acad::eNullObjectPointer;
    AcDbDatabase* db = kelvora::resolvingDatabase(this);
    if (db == nullptr)
        return Acad::eNoDatabase;
    AcDbObjectId id = kelvora::findRecord(db->linetypeTableId(), newVal);
    if (id.isNull())
        return Acad::eKeyNotFound;
    return setLinetype(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId newVal, Adesk::Boolean)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (newVal.isNull())
        return Acad::eNullObjectId;
    if (AcDbLinetypeTableRecord::cast(kelvora::objectOf(newVal)) == nullptr)
        return Acad::eWrongObjectType;
    if (newVal.isErased())
        return Acad::eWasErased;
    assertWriteEnabled();
    m_linetypeId = newVal;
    recordGraphicsModified();
    return Acad::eOk;
}

double AcDbEntity::linetypeScale() const
{
    assertReadEnabled();
    return m_linetypeScale;
}

Acad::ErrorStatus AcDbEntity::setLinetypeScale(double newval, Adesk::Boolean)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (!std::isfinite(newval) || newval <= 0.0)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_linetypeScale = newval;
    recordGraphicsModified();
    return Acad::eOk;
}

AcDb::Visibility AcDbEntity::visibility() const
{
    assertReadEnabled();
    return m_visibility;
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility newVal, Adesk::Boolean)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (newVal != AcDb::kVisible && newVal != AcDb::kInvisible)
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_visibility = newVal;
    recordGraphicsModified();
    return Acad::eOk;
}

AcDb::LineWeight AcDbEntity::lineWeight() const
{
    assertReadEnabled();
    return m_lineWeight;
}

Acad::ErrorStatus AcDbEntity::setLineWeight(AcDb::LineWeight newVal, Adesk::Boolean)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    if (!isValidLineWeight(newVal))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_lineWeight = newVal;
    recordGraphicsModified();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setPropertiesFrom(const AcDbEntity* pEntity, Adesk::Boolean)
{
    if (pEntity == nullptr)
        return Acad::eNullEntityPointer;
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    pEntity->assertReadEnabled();
    assertWriteEnabled();
    m_color = pEntity->m_color;
    m_layerId = pEntity->m_layerId;
    m_linetypeId = pEntity->m_linetypeId;
    m_linetypeScale = pEntity->m_linetypeScale;
    m_visibility = pEntity->m_visibility;
    m_lineWeight = pEntity->m_lineWeight;
    acutRelRb(m_keptCommonGroups);
    m_keptCommonGroups = kelvora::copyResbufList(pEntity->m_keptCommonGroups);
    recordGraphicsModified();
    return Acad::eOk;
}

void AcDbEntity::setDatabaseDefaults()
{
    setDatabaseDefaults(kelvora::resolvingDatabase(this));
}

void AcDbEntity::setDatabaseDefaults(AcDbDatabase* pDb)
{
    if (pDb == nullptr)
        return;
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return;
    }
    assertWriteEnabled();
    m_color = pDb->cecolor();
    AcDbObjectId layer = pDb->clayer();
    if (!layer.isNull() && !layer.isErased())
        m_layerId = layer;
    AcDbObjectId linetype = pDb->celtype();
    if (!linetype.isNull() && !linetype.isErased())
        m_linetypeId = linetype;
    m_linetypeScale = pDb->celtscale();
    m_lineWeight = pDb->celweight();
    m_visibility = AcDb::kVisible;
    subSetDatabaseDefaults(pDb);
}

void AcDbEntity::subSetDatabaseDefaults(AcDbDatabase*) {}

// ----- Geometry defaults --------------------------------------------------------------------------

Acad::ErrorStatus AcDbEntity::getPlane(AcGePlane&, AcDb::Planarity& planarity) const
{
    assertReadEnabled();
    planarity = AcDb::kNonPlanar;
    return Acad::eNotApplicable;
}

void AcDbEntity::getEcs(AcGeMatrix3d& retVal) const
{
    retVal.setToIdentity();
}

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents& extents) const
{
    assertReadEnabled();
    kelvora::GiRecorder recorder(kelvora::resolvingDatabase(this));
    recorder.drawEntity(const_cast<AcDbEntity*>(this));
    AcDbExtents box;
    if (!recorder.extents(box))
        return Acad::eInvalidExtents;
    extents = box;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::transformBy(const AcGeMatrix3d&)
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::explode(AcDbVoidPtrArray&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::getTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& pEnt) const
{
    pEnt = nullptr;
    AcDbEntity* copy = AcDbEntity::cast(clone());
    if (copy == nullptr)
        return Acad::eNotApplicable;
    Acad::ErrorStatus es = copy->transformBy(xform);
    if (es != Acad::eOk) {
        delete copy;
        return es;
    }
    pEnt = copy;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity*, AcDb::Intersect, AcGePoint3dArray&, Adesk::GsMarker,
                                            Adesk::GsMarker) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity*, AcDb::Intersect, const AcGePlane&, AcGePoint3dArray&,
                                            Adesk::GsMarker, Adesk::GsMarker) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::getOsnapPoints(AcDb::OsnapMode, Adesk::GsMarker, const AcGePoint3d&, const AcGePoint3d&,
                                             const AcGeMatrix3d&, AcGePoint3dArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                             const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                             const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                             AcDbIntArray& geomIds, const AcGeMatrix3d&) const
{
    return getOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
}

// ----- Grips and stretch --------------------------------------------------------------------------

Acad::ErrorStatus AcDbEntity::getGripPoints(AcGePoint3dArray&, AcDbIntArray&, AcDbIntArray&) const
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::moveGripPointsAt(const AcDbIntArray&, const AcGeVector3d&)
{
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::getGripPoints(AcDbGripDataPtrArray& grips, const double, const int, const AcGeVector3d&,
                                            const int) const
{
    AcGePoint3dArray points;
    AcDbIntArray osnapModes;
    AcDbIntArray geomIds;
    Acad::ErrorStatus es = getGripPoints(points, osnapModes, geomIds);
    if (es != Acad::eOk)
        return es;
    for (int i = 0; i < points.length(); ++i)
        grips.append(new AcDbGripData(points[i], acdbGripIndexAppData(i)));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::moveGripPointsAt(const AcDbVoidPtrArray& gripAppData, const AcGeVector3d& offset,
                                               const int)
{
    AcDbIntArray indices;
    for (int i = 0; i < gripAppData.length(); ++i) {
        int index = acdbGripIndexFromAppData(gripAppData[i]);
        if (index >= 0)
            indices.append(index);
    }
    if (indices.isEmpty())
        return Acad::eOk;
    return moveGripPointsAt(indices, offset);
}

Acad::ErrorStatus AcDbEntity::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    AcDbIntArray osnapModes;
    AcDbIntArray geomIds;
    return getGripPoints(stretchPoints, osnapModes, geomIds);
}

Acad::ErrorStatus AcDbEntity::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    return moveGripPointsAt(indices, offset);
}

// ----- Drawing ------------------------------------------------------------------------------------

Adesk::UInt32 AcDbEntity::setAttributes(AcGiDrawableTraits* pTraits)
{
    if (pTraits == nullptr)
        return kDrawableIsAnEntity;
    pTraits->setTrueColor(m_color.entityColor());
    pTraits->setLayer(m_layerId);
    pTraits->setLineType(m_linetypeId);
    pTraits->setLineTypeScale(m_linetypeScale);
    pTraits->setLineWeight(m_lineWeight);
    Adesk::UInt32 flags = kDrawableIsAnEntity;
    if (m_visibility == AcDb::kInvisible)
        flags |= kDrawableIsInvisible;
    return flags;
}

Adesk::Boolean AcDbEntity::worldDraw(AcGiWorldDraw*)
{
    return true;
}

void AcDbEntity::viewportDraw(AcGiViewportDraw*) {}

void AcDbEntity::saveAs(AcGiWorldDraw* mode, AcDb::SaveType)
{
    assertReadEnabled();
    if (mode != nullptr)
        worldDraw(mode);
}

void AcDbEntity::list() const
{
    assertReadEnabled();
    const AcRxClass* cls = isA();
    std::wstring type = cls != nullptr ? cls->dxfName() : L"";
    if (type.empty() && cls != nullptr)
        type = cls->name();
    std::wstring space = L"Model space";
    AcDbDatabase* db = database();
    if (db != nullptr && ownerId() == db->paperSpaceId())
        space = L"Paper space";
    wchar_t handle[20] = L"0";
    AcDbHandle h;
    getAcDbHandle(h);
    h.getIntoAsciiBuffer(handle, 20);
    kelvora::hostPrintf(ACRX_T("\n%18s  Layer: \"%s\"\n%28sSpace: %s\n%19sHandle = %s"), type.c_str(),
                        kelvora::recordNameOf(m_layerId).c_str(), L"", space.c_str(), L"", handle);
}

void AcDbEntity::recordGraphicsModified(Adesk::Boolean setModified)
{
    if (!isWriteEnabled())
        return;
    kelvora::ObjectAccess::setModified(this);
    kelvora::ObjectAccess::setGraphicsModified(this, setModified);
}
