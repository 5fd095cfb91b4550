// STYLE: makes or changes a text style (font file and fixed height) and makes it the current one.
#include <optional>
#include <string>

#include "acedads.h"
#include "command_support.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "drawing_commands.h"
#include "kelvora/script_syntax.h"

namespace kelvora::commands {

namespace {

// The font a new style starts with, as in the usual CAD programs.
constexpr const wchar_t* kDefaultFont = L"txt";

std::wstring styleName(AcDbObjectId styleId)
{
    AcDbObjectPointer<AcDbTextStyleTableRecord> style(styleId, AcDb::kForRead);
    const ACHAR* name = nullptr;
    if (style.openStatus() != Acad::eOk || style->getName(name) != Acad::eOk || name == nullptr)
        return std::wstring();
    return name;
}

// The style of that name, made when it is missing. Null id (and a message) for a refused name.
AcDbObjectId findOrCreateStyle(AcDbDatabase* db, const std::wstring& name)
{
    AcDbObjectPointer<AcDbTextStyleTable> table(db->textStyleTableId(), AcDb::kForWrite);
    if (table.openStatus() != Acad::eOk)
        return AcDbObjectId();
    AcDbObjectId id;
    if (table->getAt(name.c_str(), id) == Acad::eOk)
        return id;
    auto* record = new AcDbTextStyleTableRecord();
    record->setFileName(kDefaultFont);
    if (record->setName(name.c_str()) != Acad::eOk || table->add(id, record) != Acad::eOk) {
        delete record;
        say(L"\nInvalid text style name \"" + name + L"\".");
        return AcDbObjectId();
    }
    record->close();
    return id;
}

}  // namespace

void styleCommand()
{
    AcDbDatabase* db = drawing();
    if (db == nullptr)
        return;
    std::wstring current = styleName(db->textstyle());
    std::wstring prompt = L"\nEnter name of text style <" + current + L">: ";
    std::optional<std::wstring> answer = askString(prompt.c_str(), true);
    if (!answer)
        return;
    std::wstring name(trimBlanks(*answer));
    if (name.empty())
        name = current;
    AcDbObjectId styleId = findOrCreateStyle(db, name);
    if (styleId.isNull())
        return;

    std::wstring font;
    double height = 0.0;
    {
        AcDbObjectPointer<AcDbTextStyleTableRecord> style(styleId, AcDb::kForRead);
        if (style.openStatus() != Acad::eOk)
            return;
        const ACHAR* file = nullptr;
        font = style->fileName(file) == Acad::eOk && file != nullptr ? file : L"";
        height = style->textSize();
    }
    prompt = L"\nSpecify full font name or font filename (TTF or SHX) <" + font + L">: ";
    answer = askString(prompt.c_str(), true);
    if (!answer)
        return;
    if (!trimBlanks(*answer).empty())
        font = std::wstring(trimBlanks(*answer));

    prompt = L"\nSpecify height of text <" + formatLength(height) + L">: ";
    acedInitGet(RSG_NONEG, nullptr);
    ads_real typed = 0.0;
    int status = acedGetDist(nullptr, prompt.c_str(), &typed);
    if (status == RTNORM)
        height = typed;
    else if (status != RTNONE)
        return;

    AcDbObjectPointer<AcDbTextStyleTableRecord> style(styleId, AcDb::kForWrite);
    if (style.openStatus() != Acad::eOk)
        return;
    style->setFileName(font.c_str());
    style->setTextSize(height);
    style.close();
    db->setTextstyle(styleId);
    say(L"\n\"" + styleName(styleId) + L"\" is now the current text style.");
}

}  // namespace kelvora::commands
