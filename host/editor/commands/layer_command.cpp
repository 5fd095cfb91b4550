// LAYER: makes, sets current, colours, locks, unlocks, turns off and on, freezes and thaws layers, one option at a time.
#include <optional>
#include <string>
#include <vector>

#include "../selection_filter.h"
#include "../text_encoding.h"
#include "acedads.h"
#include "command_support.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "drawing_commands.h"
#include "kelvora/script_syntax.h"

namespace kelvora::commands {

namespace {

constexpr int kFirstColor = 1;
constexpr int kLastColor = 255;

struct NamedColor {
    const wchar_t* name;
    int index;
};

// The colour names the usual CAD programs accept beside the numbers.
constexpr NamedColor kNamedColors[] = {{L"RED", 1},  {L"YELLOW", 2},  {L"GREEN", 3}, {L"CYAN", 4},
                                       {L"BLUE", 5}, {L"MAGENTA", 6}, {L"WHITE", 7}};

// A name with "*" or "?" stands for every layer it matches (the host's wildcard rules); any other
// name is one layer's, even when it holds characters that are special in patterns ("Lot.1").
bool hasWildcard(std::wstring_view pattern)
{
    return pattern.find_first_of(L"*?") != std::wstring_view::npos;
}

// "A, B,C" -> {"A", "B", "C"}; blanks around each name dropped, empty names skipped.
std::vector<std::wstring> splitNames(std::wstring_view list)
{
    std::vector<std::wstring> names;
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(L',', start);
        std::wstring_view piece = list.substr(start, comma == std::wstring_view::npos ? std::wstring_view::npos
                                                                                       : comma - start);
        std::wstring_view trimmed = trimBlanks(piece);
        if (!trimmed.empty())
            names.emplace_back(trimmed);
        if (comma == std::wstring_view::npos)
            break;
        start = comma + 1;
    }
    return names;
}

std::wstring nameOf(AcDbObjectId layerId)
{
    AcDbObjectPointer<AcDbLayerTableRecord> layer(layerId, AcDb::kForRead);
    const ACHAR* name = nullptr;
    if (layer.openStatus() != Acad::eOk || layer->getName(name) != Acad::eOk || name == nullptr)
        return std::wstring();
    return name;
}

AcDbObjectId findLayer(AcDbDatabase* db, const std::wstring& name)
{
    AcDbObjectPointer<AcDbLayerTable> table(db->layerTableId(), AcDb::kForRead);
    AcDbObjectId id;
    if (table.openStatus() != Acad::eOk || table->getAt(name.c_str(), id) != Acad::eOk)
        return AcDbObjectId();
    return id;
}

// A new layer with the table's defaults (colour 7, Continuous); null id and a message when the
// name is refused.
AcDbObjectId createLayer(AcDbDatabase* db, const std::wstring& name)
{
    AcDbObjectPointer<AcDbLayerTable> table(db->layerTableId(), AcDb::kForWrite);
    if (table.openStatus() != Acad::eOk)
        return AcDbObjectId();
    auto* record = new AcDbLayerTableRecord();
    AcDbObjectId id;
    if (record->setName(name.c_str()) != Acad::eOk || table->add(id, record) != Acad::eOk) {
        delete record;
        say(L"\nInvalid layer name \"" + name + L"\".");
        return AcDbObjectId();
    }
    record->close();
    return id;
}

AcDbObjectId findOrCreateLayer(AcDbDatabase* db, const std::wstring& name)
{
    AcDbObjectId id = findLayer(db, name);
    return id.isNull() ? createLayer(db, name) : id;
}

// The layers a list of names and patterns names, in table order; a plain name that is not found
// is reported (or, with create, made).
std::vector<AcDbObjectId> layersNamed(AcDbDatabase* db, const std::wstring& list, bool create)
{
    std::vector<AcDbObjectId> ids;
    auto addOnce = [&ids](AcDbObjectId id) {
        for (AcDbObjectId known : ids)
            if (known == id)
                return;
        ids.push_back(id);
    };
    for (const std::wstring& pattern : splitNames(list)) {
        if (!hasWildcard(pattern)) {
            AcDbObjectId id = create ? findOrCreateLayer(db, pattern) : findLayer(db, pattern);
            if (id.isNull() && !create)
                say(L"\nCannot find layer \"" + pattern + L"\".");
            if (!id.isNull())
                addOnce(id);
            continue;
        }
        AcDbObjectPointer<AcDbLayerTable> table(db->layerTableId(), AcDb::kForRead);
        if (table.openStatus() != Acad::eOk)
            continue;
        bool any = false;
        for (AcDbObjectId id : table->recordIds()) {
            std::wstring name = nameOf(id);
            if (!name.empty() && wildcardMatch(name, pattern)) {
                addOnce(id);
                any = true;
            }
        }
        if (!any)
            say(L"\nNo layer matches \"" + pattern + L"\".");
    }
    return ids;
}

// A colour answer: a number 1..255 or a colour name. Nothing when cancelled.
std::optional<int> askColor()
{
    while (true) {
        std::optional<std::wstring> answer = askString(L"\nEnter color name or number (1-255): ", false);
        if (!answer)
            return std::nullopt;
        std::wstring text = toUpper(trimBlanks(*answer));
        if (auto number = parseInteger(text); number && *number >= kFirstColor && *number <= kLastColor)
            return static_cast<int>(*number);
        for (const NamedColor& color : kNamedColors)
            if (text == color.name)
                return color.index;
        say(L"\nRequires a color number from 1 to 255 or a standard color name.");
    }
}

// The names the option applies to; Enter takes the current layer. Nothing when cancelled.
std::optional<std::wstring> askNames(AcDbDatabase* db, const std::wstring& what)
{
    std::wstring current = nameOf(db->clayer());
    std::wstring prompt = L"\nEnter name list of layer(s) " + what + L" <" + current + L">: ";
    std::optional<std::wstring> answer = askString(prompt.c_str(), true);
    if (answer && trimBlanks(*answer).empty())
        return current;
    return answer;
}

using LayerChange = void (*)(AcDbLayerTableRecord& layer);

void changeLayers(const std::vector<AcDbObjectId>& ids, LayerChange change)
{
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbLayerTableRecord> layer(id, AcDb::kForWrite);
        if (layer.openStatus() == Acad::eOk)
            change(*layer);
    }
}

void makeCurrent(AcDbDatabase* db, AcDbObjectId id)
{
    AcDbObjectPointer<AcDbLayerTableRecord> layer(id, AcDb::kForRead);
    if (layer.openStatus() == Acad::eOk && layer->isFrozen()) {
        say(L"\nCannot set a frozen layer current.");
        return;
    }
    layer.close();
    db->setClayer(id);
}

// Make: the layer (made when missing) becomes current.
void optionMake(AcDbDatabase* db, bool setOnly)
{
    std::wstring current = nameOf(db->clayer());
    std::wstring prompt = setOnly ? L"\nEnter layer name to make current <" + current + L">: "
                                  : L"\nEnter name for new layer (becomes the current layer) <" + current + L">: ";
    std::optional<std::wstring> answer = askString(prompt.c_str(), true);
    if (!answer)
        return;
    std::wstring name(trimBlanks(*answer));
    if (name.empty())
        return;
    AcDbObjectId id = setOnly ? findLayer(db, name) : findOrCreateLayer(db, name);
    if (id.isNull()) {
        if (setOnly)
            say(L"\nCannot find layer \"" + name + L"\".");
        return;
    }
    makeCurrent(db, id);
}

void optionNew(AcDbDatabase* db)
{
    std::optional<std::wstring> answer = askString(L"\nEnter name list for new layer(s): ", true);
    if (!answer)
        return;
    for (const std::wstring& name : splitNames(*answer))
        if (findLayer(db, name).isNull())
            createLayer(db, name);
}

void optionColor(AcDbDatabase* db)
{
    std::optional<int> color = askColor();
    if (!color)
        return;
    std::optional<std::wstring> names = askNames(db, L"for color " + std::to_wstring(*color));
    if (!names)
        return;
    for (AcDbObjectId id : layersNamed(db, *names, true)) {
        AcDbObjectPointer<AcDbLayerTableRecord> layer(id, AcDb::kForWrite);
        if (layer.openStatus() != Acad::eOk)
            continue;
        AcCmColor value;
        value.setColorIndex(static_cast<Adesk::UInt16>(*color));
        layer->setColor(value);
    }
}

void optionFreeze(AcDbDatabase* db, bool freeze)
{
    std::optional<std::wstring> names = askNames(db, freeze ? L"to freeze" : L"to thaw");
    if (!names)
        return;
    for (AcDbObjectId id : layersNamed(db, *names, false)) {
        if (freeze && id == db->clayer()) {
            say(L"\nCannot freeze layer \"" + nameOf(id) + L"\". It is the CURRENT layer.");
            continue;
        }
        AcDbObjectPointer<AcDbLayerTableRecord> layer(id, AcDb::kForWrite);
        if (layer.openStatus() == Acad::eOk)
            layer->setIsFrozen(freeze);
    }
}

void optionState(AcDbDatabase* db, const std::wstring& what, LayerChange change)
{
    std::optional<std::wstring> names = askNames(db, what);
    if (!names)
        return;
    changeLayers(layersNamed(db, *names, false), change);
}

}  // namespace

void layerCommand()
{
    AcDbDatabase* db = drawing();
    if (db == nullptr)
        return;
    while (true) {
        acedInitGet(0, L"Make Set New Color LOck Unlock ON OFF Freeze Thaw");
        ACHAR option[32] = {};
        int status = acedGetKword(L"\nEnter an option [Make/Set/New/Color/LOck/Unlock/ON/OFF/Freeze/Thaw]: ", option);
        if (status != RTNORM)
            return;
        std::wstring chosen = option;
        if (chosen == L"Make")
            optionMake(db, false);
        else if (chosen == L"Set")
            optionMake(db, true);
        else if (chosen == L"New")
            optionNew(db);
        else if (chosen == L"Color")
            optionColor(db);
        else if (chosen == L"LOck")
            optionState(db, L"to lock", [](AcDbLayerTableRecord& layer) { layer.setIsLocked(true); });
        else if (chosen == L"Unlock")
            optionState(db, L"to unlock", [](AcDbLayerTableRecord& layer) { layer.setIsLocked(false); });
        else if (chosen == L"ON")
            optionState(db, L"to turn on", [](AcDbLayerTableRecord& layer) { layer.setIsOff(false); });
        else if (chosen == L"OFF")
            optionState(db, L"to turn off", [](AcDbLayerTableRecord& layer) { layer.setIsOff(true); });
        else if (chosen == L"Freeze")
            optionFreeze(db, true);
        else if (chosen == L"Thaw")
            optionFreeze(db, false);
    }
}

}  // namespace kelvora::commands
