// Choosing a slope's limits: the interactive selection shared by TALUT and the slope dialog.
#pragma once

class nPolyLineTalutee;

namespace kelvora::slopes {

// Asks for the limits and replaces the slope's list (open for write) by the entities selected, in
// selection order; a cancelled or empty selection leaves the list empty.
void selectSlopeLimits(nPolyLineTalutee& slope);

}  // namespace kelvora::slopes
