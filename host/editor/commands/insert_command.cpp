// INSERT: a reference to a block at a point, with a uniform scale and a rotation, and the block's attributes filled in.
#include <optional>
#include <string>
#include <vector>

#include "acedads.h"
#include "command_support.h"
#include "dbents.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "drawing_commands.h"
#include "kelvora/script_syntax.h"

namespace kelvora::commands {

namespace {

AcDbObjectId findBlock(AcDbDatabase* db, const std::wstring& name)
{
    AcDbObjectPointer<AcDbBlockTable> table(db->blockTableId(), AcDb::kForRead);
    AcDbObjectId id;
    if (table.openStatus() != Acad::eOk || table->getAt(name.c_str(), id) != Acad::eOk)
        return AcDbObjectId();
    AcDbObjectPointer<AcDbBlockTableRecord> record(id, AcDb::kForRead);
    if (record.openStatus() != Acad::eOk || record->isLayout())
        return AcDbObjectId();
    return id;
}

struct AttributeValue {
    AcDbObjectId definitionId;
    std::wstring value;
};

// Asks the value of each attribute definition of the block that is not constant (Enter keeps
// its default); constant ones are drawn by the block itself. Nothing when cancelled.
std::optional<std::vector<AttributeValue>> askAttributeValues(AcDbObjectId blockId)
{
    std::vector<AttributeValue> values;
    std::vector<AcDbObjectId> ids;
    {
        AcDbObjectPointer<AcDbBlockTableRecord> record(blockId, AcDb::kForRead);
        if (record.openStatus() != Acad::eOk || !record->hasAttributeDefinitions())
            return values;
        ids = record->entityIds();
    }
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbAttributeDefinition> definition(id, AcDb::kForRead);
        if (definition.openStatus() != Acad::eOk || definition->isConstant())
            continue;
        std::wstring fallback = definition->textStringConst();
        std::wstring asked = definition->promptConst();
        if (asked.empty())
            asked = definition->tagConst();
        definition.close();
        std::wstring prompt = L"\n" + asked + L" <" + fallback + L">: ";
        std::optional<std::wstring> answer = askString(prompt.c_str(), true);
        if (!answer)
            return std::nullopt;
        values.push_back({id, answer->empty() ? fallback : *answer});
    }
    return values;
}

void addAttributes(AcDbBlockReference& reference, const std::vector<AttributeValue>& values)
{
    AcGeMatrix3d xform = reference.blockTransform();
    for (const AttributeValue& value : values) {
        AcDbObjectPointer<AcDbAttributeDefinition> definition(value.definitionId, AcDb::kForRead);
        if (definition.openStatus() != Acad::eOk)
            continue;
        auto* attribute = new AcDbAttribute();
        attribute->setPropertiesFrom(&reference);
        if (attribute->setAttributeFromBlock(definition, xform) != Acad::eOk) {
            delete attribute;
            continue;
        }
        attribute->setTextString(value.value.c_str());
        AcDbObjectId id;
        if (reference.appendAttribute(id, attribute) != Acad::eOk) {
            delete attribute;
            continue;
        }
        // In a database the reference leaves the new attribute open for us.
        if (!id.isNull())
            attribute->close();
    }
}

}  // namespace

void insertCommand()
{
    AcDbDatabase* db = drawing();
    if (db == nullptr)
        return;
    std::optional<std::wstring> answer = askString(L"\nEnter block name: ", true);
    if (!answer)
        return;
    std::wstring name(trimBlanks(*answer));
    if (name.empty())
        return;
    AcDbObjectId blockId = findBlock(db, name);
    if (blockId.isNull()) {
        say(L"\nBlock \"" + name + L"\" not found.");
        return;
    }
    ads_point position = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify insertion point: ", position) != RTNORM)
        return;
    ads_real scale = 1.0;
    acedInitGet(RSG_NOZERO, nullptr);
    int status = acedGetReal(L"\nEnter scale factor <1>: ", &scale);
    if (status == RTNONE)
        scale = 1.0;
    else if (status != RTNORM)
        return;
    ads_real rotation = 0.0;
    status = acedGetOrient(position, L"\nSpecify rotation angle <0>: ", &rotation);
    if (status == RTNONE)
        rotation = 0.0;
    else if (status != RTNORM)
        return;
    std::optional<std::vector<AttributeValue>> values = askAttributeValues(blockId);
    if (!values)
        return;

    auto* reference = new AcDbBlockReference(asPoint(position), blockId);
    reference->setScaleFactors(AcGeScale3d(scale));
    reference->setRotation(rotation);
    AcDbObjectPointer<AcDbBlockTableRecord> space(db->currentSpaceId(), AcDb::kForWrite);
    if (space.openStatus() != Acad::eOk || space->appendAcDbEntity(reference) != Acad::eOk) {
        delete reference;
        return;
    }
    space.close();
    addAttributes(*reference, *values);
    reference->close();
}

}  // namespace kelvora::commands
