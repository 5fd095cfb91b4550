// The division commands: AREAFIND, DIRECTIONAREAFIND, SPOLYINTERS and POLDIV.
#pragma once

namespace kelvora::division {

void commandAreaFind();
void commandDirectionAreaFind();
void commandSpolyInters();
void commandPoldiv();

}  // namespace kelvora::division
