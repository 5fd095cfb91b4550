// Shared pieces of the host's drawing and editing commands: the drawing, new entities, answers.
#include "command_support.h"

#include "acedads.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbobjptr.h"
#include "dbsymtb.h"

namespace kelvora::commands {

namespace {

// Longest answer a command reads as text (a text entity's contents, a list of layer names).
constexpr size_t kLongestAnswer = 4096;

}  // namespace

AcDbDatabase* drawing()
{
    return acdbHostApplicationServices()->workingDatabase();
}

AcDbObjectId addToBlock(AcDbObjectId blockId, AcDbEntity* entity)
{
    if (entity == nullptr)
        return AcDbObjectId();
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForWrite);
    AcDbObjectId id;
    if (block.openStatus() != Acad::eOk || block->appendAcDbEntity(id, entity) != Acad::eOk) {
        delete entity;
        return AcDbObjectId();
    }
    entity->close();
    return id;
}

AcDbObjectId addToCurrentSpace(AcDbEntity* entity)
{
    AcDbDatabase* db = drawing();
    if (db == nullptr) {
        delete entity;
        return AcDbObjectId();
    }
    return addToBlock(db->currentSpaceId(), entity);
}

AcDbEntity* copyOf(const AcDbEntity* entity)
{
    if (entity == nullptr)
        return nullptr;
    AcRxObject* copy = entity->clone();
    AcDbEntity* copied = AcDbEntity::cast(copy);
    if (copied == nullptr)
        delete copy;
    return copied;
}

AcGePoint3d asPoint(const ads_point point)
{
    return AcGePoint3d(point[X], point[Y], point[Z]);
}

void toAds(const AcGePoint3d& point, ads_point out)
{
    out[X] = point.x;
    out[Y] = point.y;
    out[Z] = point.z;
}

std::optional<std::wstring> askString(const ACHAR* prompt, bool wholeLine)
{
    std::vector<ACHAR> buffer(kLongestAnswer + 1, 0);
    int status = acedGetString(wholeLine ? 1 : 0, prompt, buffer.data(), buffer.size());
    if (status != RTNORM && status != RTINPUTTRUNCATED)
        return std::nullopt;
    return std::wstring(buffer.data());
}

std::wstring lastKeyword()
{
    ACHAR keyword[256] = {};
    if (acedGetInput(keyword) != RTNORM)
        return std::wstring();
    return keyword;
}

std::wstring formatLength(double value)
{
    ACHAR text[128] = {};
    if (acdbRToS(value, -1, -1, text) != RTNORM)
        return std::to_wstring(value);
    return text;
}

void say(const std::wstring& text)
{
    acedPrompt(text.c_str());
}

}  // namespace kelvora::commands
