// AcDbBlockTableRecord: a block's entities in drawing order, its origin and description, and its iterator.
#include "acutads.h"
#include "dbsymtb.h"
#include "kelvora/host_class.h"
#include "kelvora/wide_text.h"
#include "id_list_walk.h"
#include "record_filing.h"

KELVORA_HOST_DEFINE_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord, ACRX_T("BLOCK_RECORD"))

using kelvora::ObjectAccess;

namespace {

bool isCopyFiler(AcDb::FilerType t)
{
    return t == AcDb::kCopyFiler || t == AcDb::kDeepCloneFiler || t == AcDb::kWblockCloneFiler;
}

bool isSpaceName(const std::wstring& name)
{
    return kelvora::namesEqual(name, ACDB_MODEL_SPACE) ||
           (name.size() >= 12 && kelvora::namesEqual(name.substr(0, 12), ACDB_PAPER_SPACE));
}

}  // namespace

AcDbBlockTableRecord::AcDbBlockTableRecord() = default;

AcDbBlockTableRecord::~AcDbBlockTableRecord()
{
    acutRelRb(m_keptGroups);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* pEntity)
{
    AcDbObjectId id;
    return appendAcDbEntity(id, pEntity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& pOutputId, AcDbEntity* pEntity)
{
    pOutputId.setNull();
    if (pEntity == nullptr)
        return Acad::eNullEntityPointer;
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    AcDbDatabase* db = database();
    if (db == nullptr)
        return Acad::eNoDatabase;
    if (pEntity->database() != nullptr)
        return Acad::eAlreadyInDb;
    assertWriteEnabled();
    AcDbObjectId id;
    Acad::ErrorStatus es = db->addAcDbObject(id, pEntity);
    if (es != Acad::eOk)
        return es;
    ObjectAccess::setOwner(pEntity, objectId());
    if (ObjectAccess::layerIdOf(pEntity).isNull())
        pEntity->setDatabaseDefaults(db);
    m_entities.push_back(id);
    pOutputId = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(AcDbBlockTableRecordIterator*& pIterator, bool atBeginning,
                                                    bool skipDeleted) const
{
    assertReadEnabled();
    pIterator = new AcDbBlockTableRecordIterator(objectId());
    pIterator->start(atBeginning, skipDeleted);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::comments(ACHAR*& pString) const
{
    assertReadEnabled();
    pString = kelvora::newWideString(m_comments);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::comments(const ACHAR*& pString) const
{
    assertReadEnabled();
    pString = m_comments.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setComments(const ACHAR* pString)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_comments = pString != nullptr ? pString : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::pathName(ACHAR*& pPath) const
{
    assertReadEnabled();
    pPath = kelvora::newWideString(m_pathName);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::pathName(const ACHAR*& pPath) const
{
    assertReadEnabled();
    pPath = m_pathName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setPathName(const ACHAR* pathStr)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_pathName = pathStr != nullptr ? pathStr : L"";
    return Acad::eOk;
}

AcGePoint3d AcDbBlockTableRecord::origin() const
{
    assertReadEnabled();
    return m_origin;
}

Acad::ErrorStatus AcDbBlockTableRecord::setOrigin(const AcGePoint3d& pt)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_origin = pt;
    return Acad::eOk;
}

bool AcDbBlockTableRecord::isAnonymous() const
{
    assertReadEnabled();
    const std::wstring& name = ObjectAccess::recordName(this);
    return !name.empty() && name[0] == L'*' && !isSpaceName(name);
}

bool AcDbBlockTableRecord::isLayout() const
{
    assertReadEnabled();
    return isSpaceName(ObjectAccess::recordName(this)) || !m_layoutId.isNull();
}

bool AcDbBlockTableRecord::hasAttributeDefinitions() const
{
    assertReadEnabled();
    for (const AcDbObjectId& id : m_entities) {
        AcDbObject* obj = kelvora::objectOf(id);
        if (obj != nullptr && !id.isErased() && obj->isA() != nullptr &&
            std::wstring(obj->isA()->name()) == L"AcDbAttributeDefinition")
            return true;
    }
    return false;
}

bool AcDbBlockTableRecord::isFromExternalReference() const
{
    assertReadEnabled();
    return (m_blockFlags & 4) != 0;
}

AcDbObjectId AcDbBlockTableRecord::getLayoutId() const
{
    assertReadEnabled();
    return m_layoutId;
}

Acad::ErrorStatus AcDbBlockTableRecord::setLayoutId(AcDbObjectId id)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_layoutId = id;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::setBlockFlags(Adesk::Int16 flags)
{
    if (!isWriteEnabled()) {
        assertWriteEnabled();
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    m_blockFlags = flags;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    // A copy of a block owns no entities.
    const bool copy = isCopyFiler(pFiler->filerType());
    pFiler->writeInt32(copy ? 0 : static_cast<Adesk::Int32>(m_entities.size()));
    if (!copy)
        for (const AcDbObjectId& id : m_entities)
            pFiler->writeHardOwnershipId(id);
    pFiler->writePoint3d(m_origin);
    pFiler->writeString(m_comments.c_str());
    pFiler->writeString(m_pathName.c_str());
    pFiler->writeSoftPointerId(m_layoutId);
    pFiler->writeInt16(m_blockFlags);
    kelvora::writeResbufList(pFiler, m_keptGroups);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dwgInFields(AcDbDwgFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    Adesk::Int32 count = 0;
    if ((es = pFiler->readInt32(&count)) != Acad::eOk)
        return es;
    if (count < 0)
        return Acad::eFilerError;
    std::vector<AcDbObjectId> entities;
    for (Adesk::Int32 i = 0; i < count; ++i) {
        AcDbHardOwnershipId id;
        if ((es = pFiler->readHardOwnershipId(&id)) != Acad::eOk)
            return es;
        entities.push_back(id);
    }
    AcGePoint3d origin;
    std::wstring comments;
    std::wstring path;
    AcDbSoftPointerId layout;
    Adesk::Int16 flags = 0;
    if ((es = pFiler->readPoint3d(&origin)) != Acad::eOk || (es = kelvora::readWString(pFiler, comments)) != Acad::eOk ||
        (es = kelvora::readWString(pFiler, path)) != Acad::eOk || (es = pFiler->readSoftPointerId(&layout)) != Acad::eOk ||
        (es = pFiler->readInt16(&flags)) != Acad::eOk)
        return es;
    if ((es = kelvora::readResbufList(pFiler, m_keptGroups)) != Acad::eOk)
        return es;
    if (!isCopyFiler(pFiler->filerType()))
        m_entities = entities;
    m_origin = origin;
    m_comments = comments;
    m_pathName = path;
    m_layoutId = layout;
    m_blockFlags = flags;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecord::dxfOutFields(AcDbDxfFiler* pFiler) const
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfOutFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->writeString(AcDb::kDxfSubclass, ACRX_T("AcDbBlockTableRecord"));
    pFiler->writeString(AcDb::kDxfSymbolTableName, ObjectAccess::recordName(this).c_str());
    if (!m_layoutId.isNull())
        pFiler->writeObjectId(AcDb::kDxfHardPointerId, m_layoutId);
    kelvora::writeResbufsToDxf(pFiler, m_keptGroups);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbBlockTableRecord::dxfInFields(AcDbDxfFiler* pFiler)
{
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dxfInFields(pFiler);
    if (es != Acad::eOk)
        return es;
    pFiler->atSubclassData(ACRX_T("AcDbBlockTableRecord"));
    resbuf* kept = nullptr;
    AcDbObjectId layout = m_layoutId;
    es = kelvora::readRecordGroups(
        pFiler, this, kept,
        [&](const kelvora::RecordDxfItem& item) {
            if (item.rb.restype == AcDb::kDxfSymbolTableName) {
                ObjectAccess::setRecordName(this, item.text());
                return true;
            }
            if (item.rb.restype == AcDb::kDxfHardPointerId) {
                layout = kelvora::idFromResbuf(item.rb);
                return true;
            }
            return false;
        },
        false);
    if (es != Acad::eOk) {
        acutRelRb(kept);
        return es;
    }
    m_layoutId = layout;
    acutRelRb(m_keptGroups);
    m_keptGroups = kept;
    return Acad::eOk;
}

// ----- Iterator -----------------------------------------------------------------------------------

namespace {

const std::vector<AcDbObjectId>* blockEntities(AcDbObjectId blockId)
{
    auto* btr = AcDbBlockTableRecord::cast(kelvora::objectOf(blockId));
    return btr != nullptr ? &ObjectAccess::entities(btr) : nullptr;
}

}  // namespace

void AcDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeleted)
{
    m_index = kelvora::firstIdIndex(blockEntities(m_blockId), atBeginning, skipDeleted);
}

bool AcDbBlockTableRecordIterator::done() const
{
    return kelvora::idWalkDone(blockEntities(m_blockId), m_index);
}

void AcDbBlockTableRecordIterator::step(bool forward, bool skipDeleted)
{
    m_index = kelvora::nextIdIndex(blockEntities(m_blockId), m_index, forward, skipDeleted);
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& entityId) const
{
    entityId.setNull();
    if (done())
        return Acad::eInvalidIndex;
    entityId = (*blockEntities(m_blockId))[static_cast<size_t>(m_index)];
    return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& pEntity, AcDb::OpenMode openMode,
                                                          bool openErasedEntity) const
{
    pEntity = nullptr;
    AcDbObjectId id;
    Acad::ErrorStatus es = getEntityId(id);
    if (es != Acad::eOk)
        return es;
    return acdbOpenAcDbEntity(pEntity, id, openMode, openErasedEntity);
}

AcDbBlockTableRecord* AcDbBlockTableRecordIterator::blockTableRecord() const
{
    return AcDbBlockTableRecord::cast(kelvora::objectOf(m_blockId));
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::seek(AcDbObjectId id)
{
    const auto* ids = blockEntities(m_blockId);
    if (ids == nullptr)
        return Acad::eInvalidInput;
    for (size_t i = 0; i < ids->size(); ++i) {
        if ((*ids)[i] == id) {
            m_index = static_cast<int>(i);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::seek(const AcDbEntity* pEntity)
{
    if (pEntity == nullptr)
        return Acad::eNullEntityPointer;
    return seek(pEntity->objectId());
}
