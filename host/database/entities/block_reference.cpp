// AcDbBlockReference (INSERT): a placed block with its owned attributes; drawn and exploded through the block transform.
#include <cmath>

#include "acgi.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "entity_util.h"
#include "kelvora/float_compare.h"
#include "kelvora/host_class.h"
#include "kelvora/ocs.h"
#include "owned_entities.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbBlockReference, AcDbEntity, L"INSERT");

namespace {

// A block that (through others) holds a reference to itself would be drawn forever: nesting stops here.
constexpr int kMaxBlockNesting = 64;
int g_drawDepth = 0;

struct DepthGuard {
    DepthGuard() { ++g_drawDepth; }
    ~DepthGuard() { --g_drawDepth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
};

bool finite(const AcGePoint3d& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

AcGePoint3d blockOrigin(AcDbObjectId blockId)
{
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk)
        return AcGePoint3d::kOrigin;
    AcGePoint3d origin = block->origin();
    block->close();
    return origin;
}

AcDbDatabase* databaseFor(const AcDbObject* object, AcDbDxfFiler* filer)
{
    if (filer != nullptr && filer->database() != nullptr)
        return filer->database();
    if (object->database() != nullptr)
        return object->database();
    return acdbHostApplicationServices() != nullptr ? acdbHostApplicationServices()->workingDatabase() : nullptr;
}

}  // namespace

AcDbBlockReference::AcDbBlockReference() : m_owned(new kelvora::OwnedEntities()) {}

AcDbBlockReference::AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRec)
    : m_blockId(blockTableRec), m_position(position), m_owned(new kelvora::OwnedEntities())
{
}

AcDbBlockReference::~AcDbBlockReference()
{
    delete m_owned;
}

AcDbObjectId AcDbBlockReference::blockTableRecord() const
{
    assertReadEnabled();
    return m_blockId;
}

Acad::ErrorStatus AcDbBlockReference::setBlockTableRecord(AcDbObjectId blockId)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_blockId = blockId;
    return Acad::eOk;
}

AcGePoint3d AcDbBlockReference::position() const
{
    assertReadEnabled();
    return m_position;
}

Acad::ErrorStatus AcDbBlockReference::setPosition(const AcGePoint3d& position)
{
    if (!finite(position))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_position = position;
    return Acad::eOk;
}

AcGeScale3d AcDbBlockReference::scaleFactors() const
{
    assertReadEnabled();
    return m_scale;
}

Acad::ErrorStatus AcDbBlockReference::setScaleFactors(const AcGeScale3d& scale)
{
    for (double s : {scale.sx, scale.sy, scale.sz})
        if (!std::isfinite(s) || std::fabs(s) <= 0.0)
            return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_scale = scale;
    return Acad::eOk;
}

double AcDbBlockReference::rotation() const
{
    assertReadEnabled();
    return m_rotation;
}

Acad::ErrorStatus AcDbBlockReference::setRotation(double newVal)
{
    if (!std::isfinite(newVal))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_rotation = kelvora::normalizeAngle(newVal);
    return Acad::eOk;
}

AcGeVector3d AcDbBlockReference::normal() const
{
    assertReadEnabled();
    return m_normal;
}

Acad::ErrorStatus AcDbBlockReference::setNormal(const AcGeVector3d& newVal)
{
    AcGeVector3d unit;
    if (!kelvora::unitNormal(newVal, unit))
        return Acad::eInvalidInput;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_normal = unit;
    return Acad::eOk;
}

AcGeMatrix3d AcDbBlockReference::blockTransform() const
{
    assertReadEnabled();
    AcGeVector3d x;
    AcGeVector3d y;
    AcGeVector3d z;
    kelvora::ocsAxes(m_normal, x, y, z);
    const double c = std::cos(m_rotation);
    const double s = std::sin(m_rotation);
    AcGeVector3d ax = (x * c + y * s) * m_scale.sx;
    AcGeVector3d ay = (x * -s + y * c) * m_scale.sy;
    AcGeVector3d az = z * m_scale.sz;
    AcGeMatrix3d placed;
    placed.setCoordSystem(m_position, ax, ay, az);
    AcGePoint3d origin = blockOrigin(m_blockId);
    return placed * AcGeMatrix3d::translation(AcGePoint3d::kOrigin - origin);
}

Acad::ErrorStatus AcDbBlockReference::setBlockTransform(const AcGeMatrix3d& xform)
{
    AcGePoint3d origin = blockOrigin(m_blockId);
    AcGeMatrix3d placed = xform * AcGeMatrix3d::translation(origin.asVector());
    AcGePoint3d position;
    AcGeVector3d ax;
    AcGeVector3d ay;
    AcGeVector3d az;
    placed.getCoordSystem(position, ax, ay, az);
    AcGeVector3d n;
    if (!kelvora::unitNormal(ax.crossProduct(ay), n) || !ax.isPerpendicularTo(ay) || !az.isParallelTo(n))
        return Acad::eInvalidInput;
    AcGeVector3d x;
    AcGeVector3d y;
    AcGeVector3d z;
    kelvora::ocsAxes(n, x, y, z);
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    m_position = position;
    m_normal = n;
    m_scale.set(ax.length(), ay.length(), az.dotProduct(n));
    m_rotation = kelvora::normalizeAngle(std::atan2(ax.dotProduct(y), ax.dotProduct(x)));
    return Acad::eOk;
}

// ----- Attributes ------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbAttribute* pAttr)
{
    AcDbObjectId id;
    return appendAttribute(id, pAttr);
}

Acad::ErrorStatus AcDbBlockReference::appendAttribute(AcDbObjectId& attId, AcDbAttribute* pAttr)
{
    if (pAttr == nullptr)
        return Acad::eNullEntityPointer;
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    return m_owned->insert(this, m_owned->size(), pAttr, attId);
}

Acad::ErrorStatus AcDbBlockReference::openAttribute(AcDbAttribute*& pAttr, AcDbObjectId attId, AcDb::OpenMode mode,
                                                    bool openErasedOne)
{
    pAttr = nullptr;
    if (m_owned->indexOf(attId) < 0)
        return Acad::eInvalidInput;
    return acdbOpenObject(pAttr, attId, mode, openErasedOne);
}

Acad::ErrorStatus AcDbBlockReference::openSequenceEnd(AcDbSequenceEnd*& pSeqEnd, AcDb::OpenMode mode)
{
    pSeqEnd = nullptr;
    m_owned->flush(this);
    if (m_owned->sequenceEndId().isNull())
        return Acad::eNotInDatabase;
    return acdbOpenObject(pSeqEnd, m_owned->sequenceEndId(), mode);
}

AcDbObjectIterator* AcDbBlockReference::attributeIterator() const
{
    assertReadEnabled();
    m_owned->flush(const_cast<AcDbBlockReference*>(this));
    return m_owned->newIterator();
}

Acad::ErrorStatus AcDbBlockReference::setSequenceEnd(AcDbSequenceEnd* pSeqEnd)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    return m_owned->setSequenceEnd(this, pSeqEnd);
}

Acad::ErrorStatus AcDbBlockReference::subErase(Adesk::Boolean erasing)
{
    m_owned->eraseAll(erasing);
    return AcDbEntity::subErase(erasing);
}

Acad::ErrorStatus AcDbBlockReference::subClose()
{
    // A reference without attributes has no sequence end (the commercial host writes none).
    if (isWriteEnabled() && m_owned->size() > 0)
        m_owned->flush(this);
    return AcDbEntity::subClose();
}

// ----- Entity ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbBlockReference::getGeomExtents(AcDbExtents& extents) const
{
    // What worldDraw draws, measured exactly (nested blocks and attributes included).
    return AcDbEntity::getGeomExtents(extents);
}

Acad::ErrorStatus AcDbBlockReference::transformBy(const AcGeMatrix3d& xform)
{
    assertReadEnabled();
    if (!xform.isUniScaledOrtho()) {
        // Only a scaling along the block's own axes keeps it a block reference.
        AcGeMatrix3d combined = xform * blockTransform();
        AcGePoint3d o;
        AcGeVector3d ax;
        AcGeVector3d ay;
        AcGeVector3d az;
        combined.getCoordSystem(o, ax, ay, az);
        if (!ax.isPerpendicularTo(ay) || !ax.isPerpendicularTo(az) || !ay.isPerpendicularTo(az))
            return Acad::eNotApplicable;
    }
    AcGeMatrix3d combined = xform * blockTransform();
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = setBlockTransform(combined);
    if (es != Acad::eOk)
        return es;
    return m_owned->forEach(AcDb::kForWrite, [&](AcDbEntity* attr) { return attr->transformBy(xform); });
}

Acad::ErrorStatus AcDbBlockReference::explode(AcDbVoidPtrArray& entitySet) const
{
    assertReadEnabled();
    AcDbBlockTableRecord* block = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(block, m_blockId, AcDb::kForRead);
    if (es != Acad::eOk)
        return es;
    const std::vector<AcDbObjectId> ids = block->entityIds();
    block->close();
    const AcGeMatrix3d xform = blockTransform();
    AcDbVoidPtrArray made;
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk)
            continue;  // erased
        AcDbEntity* copy = nullptr;
        es = ent->getTransformedCopy(xform, copy);
        ent->close();
        if (es != Acad::eOk || copy == nullptr) {
            for (void* p : made)
                delete static_cast<AcDbEntity*>(p);
            return es != Acad::eOk ? es : Acad::eNotApplicable;
        }
        made.append(copy);
    }
    // The attributes belong to this reference only: exploding drops them, and the block's attribute
    // definitions come out with the rest of its entities.
    entitySet.append(made);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker,
                                                     const AcGePoint3d&, const AcGePoint3d&, const AcGeMatrix3d&,
                                                     AcGePoint3dArray& snapPoints, AcDbIntArray&) const
{
    assertReadEnabled();
    if (osnapMode == AcDb::kOsModeIns)
        snapPoints.append(m_position);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                                     const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                                     const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                                     AcDbIntArray& geomIds, const AcGeMatrix3d&) const
{
    return AcDbBlockReference::getOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform,
                                              snapPoints, geomIds);
}

Acad::ErrorStatus AcDbBlockReference::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const
{
    assertReadEnabled();
    gripPoints.append(m_position);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    for (int i : indices)
        if (i != 0)
            return Acad::eInvalidIndex;
    if (indices.isEmpty())
        return Acad::eOk;
    return transformBy(AcGeMatrix3d::translation(offset));
}

Acad::ErrorStatus AcDbBlockReference::getGripPoints(AcDbGripDataPtrArray& grips, const double curViewUnitSize,
                                                    const int gripSize, const AcGeVector3d& curViewDir,
                                                    const int bitflags) const
{
    return AcDbEntity::getGripPoints(grips, curViewUnitSize, gripSize, curViewDir, bitflags);
}

Acad::ErrorStatus AcDbBlockReference::moveGripPointsAt(const AcDbVoidPtrArray& gripAppData,
                                                       const AcGeVector3d& offset, const int bitflags)
{
    return AcDbEntity::moveGripPointsAt(gripAppData, offset, bitflags);
}

Acad::ErrorStatus AcDbBlockReference::getStretchPoints(AcGePoint3dArray& stretchPoints) const
{
    assertReadEnabled();
    stretchPoints.append(m_position);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset)
{
    return AcDbBlockReference::moveGripPointsAt(indices, offset);
}

Adesk::Boolean AcDbBlockReference::worldDraw(AcGiWorldDraw* mode)
{
    assertReadEnabled();
    if (mode == nullptr || mode->regenAbort() || g_drawDepth >= kMaxBlockNesting)
        return Adesk::kTrue;
    DepthGuard guard;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, m_blockId, AcDb::kForRead) == Acad::eOk) {
        const std::vector<AcDbObjectId> ids = block->entityIds();
        block->close();
        const AcGeMatrix3d xform = blockTransform();
        AcGeVector3d x;
        AcGeVector3d y;
        AcGeVector3d z;
        kelvora::ocsAxes(m_normal, x, y, z);
        const double c = std::cos(m_rotation);
        const double s = std::sin(m_rotation);
        const AcGeVector3d columnStep = (x * c + y * s) * m_columnSpacing;
        const AcGeVector3d rowStep = (x * -s + y * c) * m_rowSpacing;
        // A multiple insertion draws the block once per cell of its array.
        for (int row = 0; row < std::max<int>(m_rows, 1); ++row) {
            for (int col = 0; col < std::max<int>(m_columns, 1); ++col) {
                AcGeMatrix3d cell = AcGeMatrix3d::translation(columnStep * col + rowStep * row) * xform;
                mode->geometry().pushModelTransform(cell);
                for (const AcDbObjectId& id : ids) {
                    AcDbEntity* ent = nullptr;
                    if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk)
                        continue;
                    // Attribute definitions are not shown in a reference: its attributes are.
                    if (!AcDbAttributeDefinition::cast(ent))
                        mode->geometry().draw(ent);
                    ent->close();
                }
                mode->geometry().popModelTransform();
            }
        }
    }
    m_owned->forEach(AcDb::kForRead, [&](AcDbEntity* attr) {
        mode->geometry().draw(attr);
        return Acad::eOk;
    });
    return Adesk::kTrue;
}

void AcDbBlockReference::list() const
{
    assertReadEnabled();
    AcDbEntity::list();
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, m_blockId, AcDb::kForRead) == Acad::eOk) {
        const ACHAR* name = nullptr;
        block->getName(name);
        kelvora::listText(L"Block Name:", name);
        block->close();
    }
    kelvora::listPoint(this, L"at point,", m_position);
    kelvora::listReal(this, L"X scale factor:", m_scale.sx);
    kelvora::listReal(this, L"Y scale factor:", m_scale.sy);
    kelvora::listAngle(this, L"rotation angle:", m_rotation);
    kelvora::listReal(this, L"Z scale factor:", m_scale.sz);
}

// ----- Filing ----------------------------------------------------------------------------------------

Acad::ErrorStatus AcDbBlockReference::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeHardPointerId(m_blockId);
    pFiler->writePoint3d(m_position);
    pFiler->writeScale3d(m_scale);
    pFiler->writeDouble(m_rotation);
    pFiler->writeVector3d(m_normal);
    pFiler->writeUInt16(m_columns);
    pFiler->writeUInt16(m_rows);
    pFiler->writeDouble(m_columnSpacing);
    pFiler->writeDouble(m_rowSpacing);
    if ((es = pFiler->filerStatus()) != Acad::eOk)
        return es;
    return m_owned->dwgOut(pFiler);
}

Acad::ErrorStatus AcDbBlockReference::dwgInFields(AcDbDwgFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    AcDbHardPointerId block;
    AcGePoint3d position;
    AcGeScale3d scale;
    double rotation = 0.0;
    AcGeVector3d normal;
    Adesk::UInt16 columns = 1;
    Adesk::UInt16 rows = 1;
    double columnSpacing = 0.0;
    double rowSpacing = 0.0;
    if ((es = pFiler->readHardPointerId(&block)) != Acad::eOk || (es = pFiler->readPoint3d(&position)) != Acad::eOk ||
        (es = pFiler->readScale3d(&scale)) != Acad::eOk || (es = pFiler->readDouble(&rotation)) != Acad::eOk ||
        (es = pFiler->readVector3d(&normal)) != Acad::eOk || (es = pFiler->readUInt16(&columns)) != Acad::eOk ||
        (es = pFiler->readUInt16(&rows)) != Acad::eOk || (es = pFiler->readDouble(&columnSpacing)) != Acad::eOk ||
        (es = pFiler->readDouble(&rowSpacing)) != Acad::eOk)
        return es;
    if ((es = m_owned->dwgIn(pFiler, [] { return new AcDbAttribute(); })) != Acad::eOk)
        return es;
    m_blockId = block;
    m_position = position;
    m_scale = scale;
    m_rotation = rotation;
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    m_columns = columns;
    m_rows = rows;
    m_columnSpacing = columnSpacing;
    m_rowSpacing = rowSpacing;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockReference::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    assertReadEnabled();
    Acad::ErrorStatus es = AcDbEntity::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    const bool defaults = pFiler->includesDefaultValues();
    pFiler->writeString(AcDb::kDxfSubclass, L"AcDbBlockReference");
    if (m_owned->size() > 0)
        pFiler->writeInt16(AcDb::kDxfHasSubentities, 1);
    std::wstring name;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, m_blockId, AcDb::kForRead) == Acad::eOk) {
        const ACHAR* text = nullptr;
        block->getName(text);
        name = text != nullptr ? text : L"";
        block->close();
    }
    pFiler->writeString(AcDb::kDxfBlockName, name.c_str());
    pFiler->writePoint3d(AcDb::kDxfXCoord, kelvora::wcsToOcs(m_position, m_normal));
    if (defaults || !kelvora::exactlyEqual(m_scale.sx, 1.0))
        pFiler->writeDouble(AcDb::kDxfTxtStyleXScale, m_scale.sx);  // 41
    if (defaults || !kelvora::exactlyEqual(m_scale.sy, 1.0))
        pFiler->writeDouble(AcDb::kDxfTxtStylePSize, m_scale.sy);   // 42
    if (defaults || !kelvora::exactlyEqual(m_scale.sz, 1.0))
        pFiler->writeDouble(AcDb::kDxfViewFrontClip, m_scale.sz);   // 43
    if (defaults || !kelvora::exactlyEqual(m_rotation, 0.0))
        pFiler->writeDouble(AcDb::kDxfAngle, kelvora::radiansToDegrees(m_rotation));
    if (defaults || m_columns != 1)
        pFiler->writeInt16(AcDb::kDxfInt16, static_cast<Adesk::Int16>(m_columns));
    if (defaults || m_rows != 1)
        pFiler->writeInt16(AcDb::kDxfViewMode, static_cast<Adesk::Int16>(m_rows));
    if (defaults || !kelvora::exactlyEqual(m_columnSpacing, 0.0))
        pFiler->writeDouble(AcDb::kDxfViewBackClip, m_columnSpacing);  // 44
    if (defaults || !kelvora::exactlyEqual(m_rowSpacing, 0.0))
        pFiler->writeDouble(AcDb::kDxfShapeYOffset, m_rowSpacing);     // 45
    if (defaults || m_normal != AcGeVector3d::kZAxis)
        pFiler->writeVector3d(AcDb::kDxfNormalX, m_normal);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbBlockReference::dxfInFields(AcDbDxfFiler* pFiler)
{
    if (!kelvora::beginWrite(this))
        return Acad::eNotOpenForWrite;
    Acad::ErrorStatus es = AcDbEntity::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    kelvora::skipSubclassMarker(pFiler, L"AcDbBlockReference");
    std::wstring name;
    AcGePoint3d positionOcs;
    AcGeScale3d scale;
    double rotation = 0.0;
    long long columns = 1;
    long long rows = 1;
    double columnSpacing = 0.0;
    double rowSpacing = 0.0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    es = kelvora::readDxfGroups(pFiler, [&](kelvora::DxfGroup& g) {
        switch (g.code()) {
        case 66: break;
        case 2: name = g.text(); break;
        case 10: positionOcs = g.point(); break;
        case 41: scale.sx = g.real(); break;
        case 42: scale.sy = g.real(); break;
        case 43: scale.sz = g.real(); break;
        case 50: rotation = kelvora::degreesToRadians(g.real()); break;
        case 70: columns = g.integer(); break;
        case 71: rows = g.integer(); break;
        case 44: columnSpacing = g.real(); break;
        case 45: rowSpacing = g.real(); break;
        case 210: normal = g.vector(); break;
        default: return kelvora::GroupUse::kNotMine;
        }
        return kelvora::GroupUse::kTaken;
    });
    if (es != Acad::eOk)
        return es;
    AcDbObjectId blockId;
    if (AcDbDatabase* db = databaseFor(this, pFiler)) {
        AcDbBlockTable* table = nullptr;
        if (db->getBlockTable(table, AcDb::kForRead) == Acad::eOk) {
            table->getAt(name.c_str(), blockId);
            table->close();
        }
    }
    if (blockId.isNull()) {
        pFiler->setError(Acad::eKeyNotFound, L"the block \"%s\" of an INSERT is not defined", name.c_str());
        return Acad::eKeyNotFound;
    }
    for (double s : {scale.sx, scale.sy, scale.sz}) {
        if (!std::isfinite(s) || std::fabs(s) <= 0.0) {
            pFiler->setError(Acad::eInvalidResBuf, L"a scale factor of an INSERT is zero");
            return Acad::eInvalidResBuf;
        }
    }
    if (!kelvora::unitNormal(normal, m_normal))
        m_normal = AcGeVector3d::kZAxis;
    m_blockId = blockId;
    m_position = kelvora::ocsToWcs(positionOcs, m_normal);
    m_scale = scale;
    m_rotation = kelvora::normalizeAngle(rotation);
    m_columns = static_cast<Adesk::UInt16>(std::clamp<long long>(columns, 1, 32767));
    m_rows = static_cast<Adesk::UInt16>(std::clamp<long long>(rows, 1, 32767));
    m_columnSpacing = columnSpacing;
    m_rowSpacing = rowSpacing;
    return Acad::eOk;
}
