// KELVORANOPROXY: after a confirmation, replaces every slope, special line and surface of the drawing
// by the plain host entities its own explode makes, and reports how many of each were replaced.
#include <cwchar>
#include <string>
#include <vector>

#include "acedads.h"
#include "aced.h"
#include "dbhelpers/resource_scope.h"
#include "dbhelpers/selection.h"
#include "kelvora/win32.h"
#include "tools/flattening.h"
#include "tools/tool_commands.h"

namespace kelvora::tools {

namespace {

struct KindCount {
    const wchar_t* dxfName;
    int found = 0;
    int replaced = 0;
};

// Room for the summary: its text and six numbers of at most eleven characters each.
constexpr std::size_t kSummarySize = 256;

// Every entity of the drawing (model and paper space, not block definitions) of one DXF name.
void flattenKind(KindCount& kind)
{
    ads_name selection;
    if (!selectByNames({kind.dxfName}, 0, selection, false))
        return;
    Adesk::Int32 length = 0;
    acedSSLength(selection, &length);
    kind.found = static_cast<int>(length);
    kind.replaced = flattenSelection(selection);
    acedSSFree(selection);
}

}  // namespace

void commandKelvoraNoProxy()
{
    ModuleResourceScope resources;
    const int answer = MessageBox(adsw_acadMainWnd(),
                                  L"Cette commande supprime tous les objets spécifiques a kelvora.\n"
                                  L" Vous ne pourrez plus par la suite les éditer\n"
                                  L"Voulez vous vraiment effectuer cette opération",
                                  L"Confirmez", MB_OKCANCEL | MB_ICONEXCLAMATION);
    if (answer != IDOK)
        return;
    KindCount slopes{L"NTALUS"};
    KindCount specialLines{L"KVRA_ZORVEL"};
    KindCount surfaces{L"NSPOLY"};
    for (KindCount* kind : {&slopes, &specialLines, &surfaces})
        flattenKind(*kind);

    wchar_t summary[kSummarySize];
    std::swprintf(summary, kSummarySize,
                  L"Transfomation effectuée\n\nLignes spéciales:  %6d / %6d\n\n"
                  L"Surfaces: %6d / %6d\n\nTalus: %6d / %6d",
                  specialLines.replaced, specialLines.found, surfaces.replaced, surfaces.found, slopes.replaced,
                  slopes.found);
    MessageBox(adsw_acadMainWnd(), summary, L"Transformation", MB_OK);
}

}  // namespace kelvora::tools
