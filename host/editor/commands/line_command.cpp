// LINE: a chain of lines through the points given; Close goes back to the first point, Undo takes the last line back.
#include <vector>

#include "acedads.h"
#include "command_support.h"
#include "dbents.h"
#include "dbobjptr.h"
#include "drawing_commands.h"

namespace kelvora::commands {

namespace {

// Close needs two lines already, as in the usual CAD programs: closing one line would draw it back over itself.
constexpr size_t kLinesBeforeClose = 2;

void eraseEntity(AcDbObjectId id)
{
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
    if (entity.openStatus() == Acad::eOk)
        entity->erase();
}

}  // namespace

// Each line is added as soon as its end is given, so a cancel keeps what was drawn.
void lineCommand()
{
    ads_point answer = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify first point: ", answer) != RTNORM)
        return;
    std::vector<AcGePoint3d> points{asPoint(answer)};
    std::vector<AcDbObjectId> lines;
    while (true) {
        bool canClose = lines.size() >= kLinesBeforeClose;
        acedInitGet(0, canClose ? L"Close Undo" : L"Undo");
        ads_point from = {0, 0, 0};
        toAds(points.back(), from);
        int status = acedGetPoint(from, canClose ? L"\nSpecify next point or [Close/Undo]: "
                                                 : L"\nSpecify next point or [Undo]: ",
                                  answer);
        if (status == RTKWORD) {
            std::wstring keyword = lastKeyword();
            if (keyword == L"Close") {
                addToCurrentSpace(new AcDbLine(points.back(), points.front()));
                return;
            }
            if (lines.empty()) {
                say(L"\nAll segments already undone.");
                continue;
            }
            eraseEntity(lines.back());
            lines.pop_back();
            points.pop_back();
            continue;
        }
        if (status != RTNORM)
            return;
        AcGePoint3d next = asPoint(answer);
        AcDbObjectId id = addToCurrentSpace(new AcDbLine(points.back(), next));
        if (id.isNull())
            return;
        lines.push_back(id);
        points.push_back(next);
    }
}

}  // namespace kelvora::commands
