// The surface commands: SPOLY, DDSPOLY, HSPOLY, RENUMSURF and LISTERSURFACES.
#pragma once

#include <string>

namespace kelvora::surfaces {

void commandSpoly();
void commandDdspoly();
void commandHspoly();
void commandRenumsurf();
void commandListerSurfaces();

// The numbering memory of RENUMSURF: kept from load to unload, shared by every drawing.
struct NumberingMemory {
    std::wstring prefix = L"Lot:";
    std::wstring suffix;
    int next = 1;
};
NumberingMemory& numberingMemory();

}  // namespace kelvora::surfaces
