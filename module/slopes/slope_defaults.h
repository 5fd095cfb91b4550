// The module-wide slope defaults that every new slope copies, and the mapping of stroke colour codes.
#pragma once

#include "adesk.h"

namespace kelvora::slopes {

// Colour codes of the strokes: -2 the slope's own colour, -1 by layer, 0 by block, 1..255 that colour.
inline constexpr Adesk::Int16 kColorByEntity = -2;
inline constexpr Adesk::Int16 kColorByLayer = -1;
inline constexpr Adesk::Int16 kColorByBlock = 0;

// The six stroke parameters a new slope starts with. Held for the module's life, never saved;
// PARAMSTALUS is the only command that changes them.
struct SlopeDefaults {
    double strokeSpacing = 2.5;
    double longStrokeLength = 6.0;
    double strokeRatio = 3.0;
    Adesk::UInt16 intervalCount = 4;
    Adesk::Int16 shortStrokeColor = 1;
    Adesk::Int16 longStrokeColor = 2;
};

SlopeDefaults& slopeDefaults();
// Back to the fixed values a freshly loaded module starts from.
void resetSlopeDefaults();

// The colour index a stroke is drawn with: the entity's own for -2, 256 (by layer) for -1 and for
// any code outside -2..255, 0 (by block) for 0, the code itself for 1..255.
Adesk::UInt16 resolveStrokeColor(Adesk::Int16 code, Adesk::UInt16 entityColorIndex);

}  // namespace kelvora::slopes
