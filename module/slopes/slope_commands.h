// The slope commands: TALUT, DDTALUT and PARAMSTALUS.
#pragma once

class nPolyLineTalutee;

namespace kelvora::slopes {

void commandTalut();
void commandDdtalut();
void commandParamsTalus();

// Runs DlgTalus on a slope open for write: its limits change as soon as they are picked, its other
// values only on OK.
void editSlopeDialog(nPolyLineTalutee& slope);

}  // namespace kelvora::slopes
