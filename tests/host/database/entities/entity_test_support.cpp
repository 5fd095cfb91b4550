// The working database of the entity tests and the helper that appends to model space.
#include "entity_test_support.h"

#include "dbapserv.h"
#include "dbsymtb.h"

namespace kelvora {
// The entity classes' registration (host/database/entities/entity_classes.h).
void registerEntityClasses();
}  // namespace kelvora

namespace entitytest {

WorkingDatabase::WorkingDatabase()
{
    kelvora::registerEntityClasses();
    m_db = new AcDbDatabase(true);
    m_previous = acdbHostApplicationServices()->workingDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(m_db);
}

WorkingDatabase::~WorkingDatabase()
{
    acdbHostApplicationServices()->setWorkingDatabase(m_previous);
    delete m_db;
}

AcDbObjectId addToModelSpace(AcDbDatabase* db, AcDbEntity* entity)
{
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk)
        return AcDbObjectId();
    AcDbBlockTableRecord* space = nullptr;
    Acad::ErrorStatus es = table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
    table->close();
    if (es != Acad::eOk)
        return AcDbObjectId();
    AcDbObjectId id;
    es = space->appendAcDbEntity(id, entity);
    space->close();
    if (es != Acad::eOk)
        return AcDbObjectId();
    entity->close();
    return id;
}

}  // namespace entitytest
