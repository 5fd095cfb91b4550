// AcDbObjectId queries, and the ads names of the command line.
#include "database_impl.h"
#include "dbmain.h"

const AcDbObjectId AcDbObjectId::kNull;

bool AcDbObjectId::isValid() const
{
    return m_stub != nullptr && m_stub->object != nullptr;
}

bool AcDbObjectId::isErased() const
{
    return m_stub != nullptr && m_stub->erased;
}

bool AcDbObjectId::isEffectivelyErased() const
{
    if (m_stub == nullptr)
        return false;
    if (m_stub->erased)
        return true;
    // An object is effectively erased when an owner up its chain is erased.
    AcDbObjectId owner = m_stub->object != nullptr ? m_stub->object->ownerId() : AcDbObjectId();
    for (int guard = 0; !owner.isNull() && guard < 64; ++guard) {
        if (owner.isErased())
            return true;
        AcDbObject* o = static_cast<AcDbStub*>(owner)->object;
        owner = o != nullptr ? o->ownerId() : AcDbObjectId();
    }
    return false;
}

bool AcDbObjectId::isResident() const
{
    return isValid();
}

bool AcDbObjectId::isWellBehaved() const
{
    return isValid() && !isErased();
}

AcDbDatabase* AcDbObjectId::database() const
{
    return m_stub != nullptr ? m_stub->database : nullptr;
}

AcDbHandle AcDbObjectId::handle() const
{
    return m_stub != nullptr ? m_stub->handle : AcDbHandle();
}

AcRxClass* AcDbObjectId::objectClass() const
{
    return (m_stub != nullptr && m_stub->object != nullptr) ? m_stub->object->isA() : nullptr;
}

bool AcDbObjectId::operator<(const AcDbObjectId& id) const
{
    if (m_stub == id.m_stub)
        return false;
    if (m_stub == nullptr)
        return true;
    if (id.m_stub == nullptr)
        return false;
    if (m_stub->database != id.m_stub->database) {
        Adesk::UInt32 a = m_stub->database != nullptr ? m_stub->database->serialNumber() : 0;
        Adesk::UInt32 b = id.m_stub->database != nullptr ? id.m_stub->database->serialNumber() : 0;
        return a < b;
    }
    return m_stub->handle < id.m_stub->handle;
}

Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId)
{
    objName[0] = 0;
    objName[1] = 0;
    if (objId.isNull())
        return Acad::eNullObjectId;
    AcDbDatabase* db = objId.database();
    if (db == nullptr)
        return Acad::eInvalidAdsName;
    objName[0] = static_cast<Adesk::LongPtr>(objId.handle().value());
    objName[1] = static_cast<Adesk::LongPtr>(db->serialNumber());
    return Acad::eOk;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName)
{
    objId.setNull();
    if (objName == nullptr || objName[0] == 0)
        return Acad::eInvalidAdsName;
    AcDbDatabase* db = kelvora::databaseBySerial(static_cast<Adesk::UInt32>(objName[1]));
    if (db == nullptr)
        return Acad::eInvalidAdsName;
    kelvora::DatabaseImpl* impl = kelvora::databaseImpl(db);
    auto it = impl->byHandle.find(static_cast<Adesk::UInt64>(objName[0]));
    if (it == impl->byHandle.end())
        return Acad::eInvalidAdsName;
    objId = AcDbObjectId(it->second);
    return Acad::eOk;
}
