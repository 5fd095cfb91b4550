// Model-space append and layer creation on the working database.
#include "dbhelpers/model_space.h"

#include <string>

#include "dbapserv.h"
#include "dbmain.h"
#include "dbsymtb.h"

namespace {

AcDbDatabase* workingDatabase()
{
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    return services != nullptr ? services->workingDatabase() : nullptr;
}

std::wstring trimmed(const ACHAR* name)
{
    std::wstring text = name != nullptr ? name : L"";
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; };
    size_t first = 0;
    while (first < text.size() && blank(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && blank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

}  // namespace

Acad::ErrorStatus appendToModelSpace(AcDbEntity* entity, AcDbObjectId& id)
{
    AcDbDatabase* db = workingDatabase();
    if (db == nullptr)
        return Acad::eNoDatabase;
    AcDbBlockTable* table = nullptr;
    Acad::ErrorStatus es = db->getSymbolTable(table, AcDb::kForRead);
    if (es != Acad::eOk)
        return es;
    AcDbBlockTableRecord* modelSpace = nullptr;
    es = table->getAt(ACDB_MODEL_SPACE, modelSpace, AcDb::kForWrite);
    if (es != Acad::eOk) {
        table->close();
        return es;
    }
    if ((es = table->close()) != Acad::eOk) {
        modelSpace->close();
        return es;
    }
    es = modelSpace->appendAcDbEntity(id, entity);
    if (es != Acad::eOk) {
        modelSpace->close();
        return es;
    }
    if ((es = modelSpace->close()) != Acad::eOk)
        return es;
    return entity->close();
}

void addToModelSpace(AcDbEntity* entity)
{
    AcDbObjectId ignored;
    appendToModelSpace(entity, ignored);
}

void ensureLayer(const ACHAR* name, AcDbObjectId& layerId, Adesk::UInt16 colorIndex, AcDbDatabase* db)
{
    if (db == nullptr)
        db = workingDatabase();
    if (db == nullptr)
        return;
    AcDbLayerTable* table = nullptr;
    if (db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk)
        return;
    const std::wstring layerName = trimmed(name);
    if (table->getAt(layerName.c_str(), layerId) != Acad::eOk) {
        auto* record = new AcDbLayerTableRecord();
        record->setName(layerName.c_str());
        AcCmColor color;
        color.setColorIndex(colorIndex);
        record->setColor(color);
        if (table->upgradeOpen() == Acad::eOk && table->add(layerId, record) == Acad::eOk)
            record->close();
        else
            delete record;
    }
    table->close();
}
