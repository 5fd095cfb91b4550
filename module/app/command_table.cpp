// The command table: one row per command, registered in order under the group "KELVORA".
#include "app/command_table.h"

#include <array>

#include "division/division_commands.h"
#include "slopes/slope_commands.h"
#include "speciallines/special_line_commands.h"
#include "surfaces/surface_commands.h"
#include "tools/tool_commands.h"


namespace kelvora::app {

namespace {

constexpr Adesk::Int32 kModal = ACRX_CMD_MODAL;
constexpr Adesk::Int32 kTransparent = ACRX_CMD_TRANSPARENT;
constexpr Adesk::Int32 kTransparentPickFirst = ACRX_CMD_TRANSPARENT | ACRX_CMD_USEPICKSET;
constexpr Adesk::Int32 kNoPaperSpace = ACRX_CMD_NOPAPERSPACE;

const std::array<CommandEntry, 24> kCommands = {{
    {ACRX_T("_TALUT"), ACRX_T("TALUT"), kTransparentPickFirst, &slopes::commandTalut},
    {ACRX_T("_DDTALUT"), ACRX_T("DDTALUT"), kTransparentPickFirst, &slopes::commandDdtalut},
    {ACRX_T("_PARAMSTALUS"), ACRX_T("PARAMSTALUS"), kNoPaperSpace, &slopes::commandParamsTalus},
    {ACRX_T("_DDXPOLY"), ACRX_T("DDXPOLY"), kTransparentPickFirst, &speciallines::commandDdxpoly},
    {ACRX_T("_XPOLY"), ACRX_T("XPOLY"), kTransparentPickFirst, &speciallines::commandXpoly},
    {ACRX_T("_SPOLY"), ACRX_T("SPOLY"), kTransparent, &surfaces::commandSpoly},
    {ACRX_T("_DDSPOLY"), ACRX_T("DDSPOLY"), kTransparentPickFirst, &surfaces::commandDdspoly},
    {ACRX_T("_SPOLYINTERS"), ACRX_T("SPOLYINTERS"), kTransparentPickFirst, &division::commandSpolyInters},
    {ACRX_T("_HSPOLY"), ACRX_T("HSPOLY"), kTransparentPickFirst, &surfaces::commandHspoly},
    {ACRX_T("_AREAFIND"), ACRX_T("AREAFIND"), kTransparentPickFirst, &division::commandAreaFind},
    {ACRX_T("_DIRECTIONAREAFIND"), ACRX_T("DIRECTIONAREAFIND"), kTransparentPickFirst, &division::commandDirectionAreaFind},
    {ACRX_T("_LISTERSURFACES"), ACRX_T("LISTERSURFACES"), kModal, &surfaces::commandListerSurfaces},
    {ACRX_T("_OPTIMIZEPOL"), ACRX_T("OPTIMIZEPOL"), kTransparentPickFirst, &tools::commandOptimizePol},
    {ACRX_T("_INVERSERPOLYLINE"), ACRX_T("INVERSERPOLYLINE"), kTransparentPickFirst, &tools::commandInverserPolyline},
    {ACRX_T("_ENLEVERARC"), ACRX_T("ENLEVERARC"), kTransparentPickFirst, &tools::commandEnleverArc},
    {ACRX_T("_METTREUNARC"), ACRX_T("METTREUNARC"), kTransparentPickFirst, &tools::commandMettreUnArc},
    {ACRX_T("_SUPPSOMMET"), ACRX_T("SUPPSOMMET"), kTransparentPickFirst, &tools::commandSuppSommet},
    {ACRX_T("_POLORIENTATION"), ACRX_T("POLORIENTATION"), kTransparentPickFirst, &tools::commandPolOrientation},
    {ACRX_T("_FRONTIERES"), ACRX_T("FRONTIERES"), kTransparentPickFirst, &tools::commandFrontieres},
    {ACRX_T("_POLDIV"), ACRX_T("POLDIV"), kTransparentPickFirst, &division::commandPoldiv},
    {ACRX_T("_SPLTOPLINE"), ACRX_T("SPLTOPLINE"), kTransparentPickFirst, &tools::commandSplToPline},
    {ACRX_T("_MSPLTOPLINE"), ACRX_T("MSPLTOPLINE"), kTransparentPickFirst, &tools::commandMSplToPline},
    {ACRX_T("RENUMSURF"), ACRX_T("RENUMSURF"), kTransparent, &surfaces::commandRenumsurf},
    {ACRX_T("KELVORANOPROXY"), ACRX_T("KELVORANOPROXY"), kModal, &tools::commandKelvoraNoProxy},
}};

// The stack is looked up for every use: the host may replace it between loads.
AcEdCommandStack* commandStack()
{
    AcRxDictionary* registry = acrxSysRegistry();
    if (registry == nullptr)
        return nullptr;
    return AcEdCommandStack::cast(registry->at(ACRX_COMMAND_DOCK));
}

}  // namespace

std::span<const CommandEntry> commandTable() { return kCommands; }

void registerCommands()
{
    for (const CommandEntry& entry : kCommands) {
        if (AcEdCommandStack* stack = commandStack())
            stack->addCommand(kCommandGroup, entry.globalName, entry.localName, entry.flags, entry.handler,
                              nullptr, -1, nullptr, nullptr);
    }
}

void unregisterCommands()
{
    if (AcEdCommandStack* stack = commandStack())
        stack->removeGroup(kCommandGroup);
}

}  // namespace kelvora::app
