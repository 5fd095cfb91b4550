// The module-wide slope defaults and the stroke colour mapping.
#include "slopes/slope_defaults.h"

namespace kelvora::slopes {

namespace {

constexpr Adesk::UInt16 kByLayerIndex = 256;
constexpr Adesk::UInt16 kByBlockIndex = 0;
constexpr Adesk::Int16 kLastColorIndex = 255;

SlopeDefaults g_defaults;

}  // namespace

SlopeDefaults& slopeDefaults() { return g_defaults; }

void resetSlopeDefaults() { g_defaults = SlopeDefaults{}; }

Adesk::UInt16 resolveStrokeColor(Adesk::Int16 code, Adesk::UInt16 entityColorIndex)
{
    if (code == kColorByEntity)
        return entityColorIndex;
    if (code == kColorByBlock)
        return kByBlockIndex;
    if (code >= 1 && code <= kLastColorIndex)
        return static_cast<Adesk::UInt16>(code);
    return kByLayerIndex;
}

}  // namespace kelvora::slopes
