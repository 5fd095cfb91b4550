// BLOCK: the selected entities become a block's definition, around a base point, and leave the space they were in.
#include <memory>
#include <optional>
#include <set>
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

bool isValidBlockName(const std::wstring& name)
{
    if (name.empty() || name.front() == L'*')
        return false;
    auto probe = std::make_unique<AcDbBlockTableRecord>();
    return probe->setName(name.c_str()) == Acad::eOk;
}

AcDbObjectId findBlock(AcDbDatabase* db, const std::wstring& name)
{
    AcDbObjectPointer<AcDbBlockTable> table(db->blockTableId(), AcDb::kForRead);
    AcDbObjectId id;
    if (table.openStatus() == Acad::eOk)
        table->getAt(name.c_str(), id);
    return id;
}

// True when the user agrees to redefine the existing block (a layout or an external reference
// cannot be redefined).
bool confirmRedefinition(AcDbObjectId blockId, const std::wstring& name)
{
    {
        AcDbObjectPointer<AcDbBlockTableRecord> record(blockId, AcDb::kForRead);
        if (record.openStatus() != Acad::eOk || record->isLayout() || record->isFromExternalReference()) {
            say(L"\nBlock \"" + name + L"\" cannot be redefined.");
            return false;
        }
    }
    std::wstring prompt = L"\nBlock \"" + name + L"\" already exists. Redefine it? [Yes/No] <N>: ";
    acedInitGet(0, L"Yes No");
    ACHAR answer[8] = {};
    return acedGetKword(prompt.c_str(), answer) == RTNORM && std::wstring(answer) == L"Yes";
}

// Whether the entity is a reference that shows `blockId`, directly or through nested blocks: such
// an entity in the block's own definition would make the block contain itself.
bool showsBlock(AcDbObjectId entityId, AcDbObjectId blockId, std::set<AcDbObjectId>& visited)
{
    AcDbObjectPointer<AcDbBlockReference> reference(entityId, AcDb::kForRead);
    if (reference.openStatus() != Acad::eOk)
        return false;
    AcDbObjectId shown = reference->blockTableRecord();
    reference.close();
    if (shown == blockId)
        return true;
    if (!visited.insert(shown).second)
        return false;
    std::vector<AcDbObjectId> inside;
    {
        AcDbObjectPointer<AcDbBlockTableRecord> record(shown, AcDb::kForRead);
        if (record.openStatus() != Acad::eOk)
            return false;
        inside = record->entityIds();
    }
    for (AcDbObjectId id : inside)
        if (showsBlock(id, blockId, visited))
            return true;
    return false;
}

// A new block record, or the existing one emptied of its entities; null id on failure.
AcDbObjectId blockToFill(AcDbDatabase* db, AcDbObjectId existing, const std::wstring& name)
{
    if (existing.isNull()) {
        AcDbObjectPointer<AcDbBlockTable> table(db->blockTableId(), AcDb::kForWrite);
        auto* record = new AcDbBlockTableRecord();
        AcDbObjectId id;
        if (table.openStatus() != Acad::eOk || record->setName(name.c_str()) != Acad::eOk ||
            table->add(id, record) != Acad::eOk) {
            delete record;
            return AcDbObjectId();
        }
        record->close();
        return id;
    }
    std::vector<AcDbObjectId> old;
    {
        AcDbObjectPointer<AcDbBlockTableRecord> record(existing, AcDb::kForRead);
        if (record.openStatus() != Acad::eOk)
            return AcDbObjectId();
        old = record->entityIds();
    }
    for (AcDbObjectId entityId : old) {
        AcDbObjectPointer<AcDbEntity> entity(entityId, AcDb::kForWrite);
        if (entity.openStatus() == Acad::eOk)
            entity->erase();
    }
    return existing;
}

// Moves the entity into the block: a copy through its own filing joins the block, the original
// is erased. False when the entity could not be opened, copied or erased.
bool moveIntoBlock(AcDbObjectId entityId, AcDbObjectId blockId)
{
    AcDbObjectPointer<AcDbEntity> entity(entityId, AcDb::kForWrite);
    if (entity.openStatus() != Acad::eOk || entity->blockId() == blockId)
        return false;
    AcDbEntity* copy = copyOf(entity);
    if (copy == nullptr || addToBlock(blockId, copy).isNull())
        return false;
    return entity->erase() == Acad::eOk;
}

}  // namespace

// Nothing changes until the selection is made, so a cancel at any prompt leaves the drawing and
// an existing definition as they were.
void blockCommand()
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
    if (!isValidBlockName(name)) {
        say(L"\nInvalid block name \"" + name + L"\".");
        return;
    }
    AcDbObjectId existing = findBlock(db, name);
    if (!existing.isNull() && !confirmRedefinition(existing, name))
        return;
    ads_point base = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify insertion base point: ", base) != RTNORM)
        return;
    std::vector<AcDbObjectId> ids = editableOnly(selectObjects());
    if (ids.empty()) {
        say(L"\nNo objects selected: block \"" + name + L"\" not made.");
        return;
    }
    if (!existing.isNull()) {
        std::set<AcDbObjectId> visited;
        for (AcDbObjectId id : ids) {
            if (showsBlock(id, existing, visited)) {
                say(L"\nBlock \"" + name + L"\" would contain itself: not redefined.");
                return;
            }
        }
    }
    AcDbObjectId blockId = blockToFill(db, existing, name);
    if (blockId.isNull())
        return;
    {
        AcDbObjectPointer<AcDbBlockTableRecord> record(blockId, AcDb::kForWrite);
        if (record.openStatus() != Acad::eOk)
            return;
        record->setOrigin(asPoint(base));
    }
    int refused = 0;
    for (AcDbObjectId id : ids)
        refused += moveIntoBlock(id, blockId) ? 0 : 1;
    if (refused > 0)
        say(L"\n" + std::to_wstring(refused) + L" could not be put in the block.");
}

}  // namespace kelvora::commands
