// The table order that proxy graphics use to name layers and linetypes by index.
#include "kelvora/proxy_graphics_adapter.h"

#include "dbsymtb.h"

#include <memory>

namespace kelvora {

namespace {

template <typename Table, typename Iterator>
std::vector<AcDbObjectId> recordOrder(AcDbDatabase* db, Acad::ErrorStatus (AcDbDatabase::*getTable)(Table*&, AcDb::OpenMode))
{
    std::vector<AcDbObjectId> ids;
    if (db == nullptr)
        return ids;
    Table* table = nullptr;
    if ((db->*getTable)(table, AcDb::kForRead) != Acad::eOk)
        return ids;
    Iterator* raw = nullptr;
    const Acad::ErrorStatus es = table->newIterator(raw, true, true);
    table->close();
    if (es != Acad::eOk)
        return ids;
    const std::unique_ptr<Iterator> it(raw);
    for (; !it->done(); it->step(true, true)) {
        AcDbObjectId id;
        if (it->getRecordId(id) == Acad::eOk)
            ids.push_back(id);
    }
    return ids;
}

}  // namespace

std::vector<AcDbObjectId> proxyLayerOrder(AcDbDatabase* db)
{
    return recordOrder<AcDbLayerTable, AcDbLayerTableIterator>(db, &AcDbDatabase::getLayerTable);
}

std::vector<AcDbObjectId> proxyLinetypeOrder(AcDbDatabase* db)
{
    return recordOrder<AcDbLinetypeTable, AcDbLinetypeTableIterator>(db, &AcDbDatabase::getLinetypeTable);
}

}  // namespace kelvora
