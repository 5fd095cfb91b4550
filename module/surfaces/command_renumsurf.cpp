// RENUMSURF: gives picked surfaces the lot texts prefix + number + suffix, one number after the other.
#include <cstddef>
#include <string>

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "surfaces/ne_surface.h"
#include "surfaces/surface_commands.h"

namespace kelvora::surfaces {

namespace {

// Room for one answer of the command line.
constexpr std::size_t kAnswerSize = 512;

std::wstring trimmedBlanks(const std::wstring& text)
{
    const std::size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::wstring();
    const std::size_t last = text.find_last_not_of(L" \t");
    return text.substr(first, last - first + 1);
}

// A non-empty answer replaces the remembered text; false when the prompt was not answered normally.
bool askText(const ACHAR* format, std::wstring& remembered)
{
    std::wstring prompt(format);
    const std::size_t at = prompt.find(L"%s");
    if (at != std::wstring::npos)
        prompt.replace(at, 2, remembered);
    ACHAR answer[kAnswerSize] = {};
    if (acedGetString(1, prompt.c_str(), answer, kAnswerSize) != RTNORM)
        return false;
    if (answer[0] != L'\0')
        remembered = answer;
    remembered = trimmedBlanks(remembered);
    return true;
}

bool askNumber(int& remembered)
{
    const std::wstring prompt = L"\nNuméro 1ere surface [" + std::to_wstring(remembered) + L"]";
    int answer = 0;
    const int result = acedGetInt(prompt.c_str(), &answer);
    if (result == RTNONE)
        return true;
    if (result != RTNORM)
        return false;
    remembered = answer;
    return true;
}

}  // namespace

NumberingMemory& numberingMemory()
{
    static NumberingMemory memory;
    return memory;
}

void commandRenumsurf()
{
    NumberingMemory& memory = numberingMemory();
    if (!askText(ACRX_T("\nPrefixe [%s]"), memory.prefix))
        return;
    if (!askNumber(memory.next))
        return;
    if (!askText(ACRX_T("\nSuffixe [%s]"), memory.suffix))
        return;
    for (;;) {
        const std::wstring lot = memory.prefix + std::to_wstring(memory.next) + memory.suffix;
        const std::wstring prompt = L"\nSelectionnez pour [" + lot + L"]";
        ads_name picked;
        ads_point at;
        if (acedEntSel(prompt.c_str(), picked, at) != RTNORM)
            return;
        AcDbObjectId id;
        AcDbEntity* entity = nullptr;
        if (acdbGetObjectId(id, picked) != Acad::eOk || acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk)
            continue;
        if (NESurface* surface = NESurface::cast(entity)) {
            surface->setLabelString(NESurface::kLotText, lot.c_str());
            ++memory.next;
        }
        entity->close();
    }
}

}  // namespace kelvora::surfaces
