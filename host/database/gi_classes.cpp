// Run-time classes of the graphics interface.
#include "acgi.h"
#include "kelvora/host_class.h"

KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcGiDrawable, AcRxObject, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcGiSubEntityTraits, AcRxObject, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcGiDrawableTraits, AcGiSubEntityTraits, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcGiContext, AcRxObject, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcGiViewport, AcRxObject, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcGiGeometry, AcRxObject, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcGiWorldGeometry, AcGiGeometry, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcGiViewportGeometry, AcGiGeometry, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcGiCommonDraw, AcRxObject, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcGiWorldDraw, AcGiCommonDraw, nullptr)
KELVORA_HOST_NO_CONS_DEFINE_MEMBERS(AcGiViewportDraw, AcGiCommonDraw, nullptr)
