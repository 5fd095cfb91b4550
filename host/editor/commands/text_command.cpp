// TEXT: a single-line text from its start point, height, rotation and contents, in the current text style.
#include "acedads.h"
#include "command_support.h"
#include "dbents.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "drawing_commands.h"

namespace kelvora::commands {

namespace {

// The current style's fixed height, or 0 when the style leaves the height to each text.
double fixedHeightOf(AcDbObjectId styleId)
{
    AcDbObjectPointer<AcDbTextStyleTableRecord> style(styleId, AcDb::kForRead);
    return style.openStatus() == Acad::eOk ? style->textSize() : 0.0;
}

}  // namespace

void textCommand()
{
    AcDbDatabase* db = drawing();
    if (db == nullptr)
        return;
    ads_point start = {0, 0, 0};
    if (acedGetPoint(nullptr, L"\nSpecify start point of text: ", start) != RTNORM)
        return;
    AcDbObjectId styleId = db->textstyle();
    double height = fixedHeightOf(styleId);
    if (!(height > 0.0)) {
        height = db->textsize();
        std::wstring prompt = L"\nSpecify height <" + formatLength(height) + L">: ";
        acedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
        ads_real answer = 0.0;
        int status = acedGetDist(start, prompt.c_str(), &answer);
        if (status == RTNORM)
            height = answer;
        else if (status != RTNONE)
            return;
        // The height typed becomes the default of the next text, as TEXTSIZE does elsewhere.
        db->setTextsize(height);
    }
    ads_real rotation = 0.0;
    int status = acedGetOrient(start, L"\nSpecify rotation angle of text <0>: ", &rotation);
    if (status == RTNONE)
        rotation = 0.0;
    else if (status != RTNORM)
        return;
    std::optional<std::wstring> contents = askString(L"\nEnter text: ", true);
    if (!contents || contents->empty())
        return;
    addToCurrentSpace(new AcDbText(asPoint(start), contents->c_str(), styleId, height, rotation));
}

}  // namespace kelvora::commands
