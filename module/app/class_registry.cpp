// Registers and deletes the custom entity classes, all children of AcDbPolyline under the application "KELVORA".
#include "app/class_registry.h"

#include "rxdict.h"
#include "slopes/slope_entity.h"
#include "speciallines/extended_polyline.h"
#include "surfaces/ne_surface.h"

namespace kelvora::app {

namespace {

constexpr int kDwgVersion = 21;
constexpr int kMaintenanceVersion = 127;

}  // namespace

AcRxClass* initClass(AcRxClass* stored, const ACHAR* className, int proxyFlags, AcRxObject* (*pseudoConstructor)(),
                     const ACHAR* dxfName)
{
    if (stored != nullptr) {
        AcRxDictionary* classes = acrxClassDictionary;
        AcRxObject* found = classes != nullptr ? classes->at(className) : nullptr;
        if (found == stored)
            return stored;
        if (found != nullptr)
            acrx_abort(ACRX_T("Class mismatch"));
    }
    return newAcRxClass(className, ACRX_T("AcDbPolyline"), kDwgVersion, kMaintenanceVersion, proxyFlags,
                        pseudoConstructor, dxfName, ACRX_T("KELVORA"), nullptr);
}

void registerClasses()
{
    eXtendedPolyline::rxInit();
    NESurface::rxInit();
    nPolyLineTalutee::rxInit();
    acrxBuildClassHierarchy();
}

void unregisterClasses()
{
    if (eXtendedPolyline::gpDesc != nullptr)
        deleteAcRxClass(eXtendedPolyline::gpDesc);
    if (NESurface::gpDesc != nullptr)
        deleteAcRxClass(NESurface::gpDesc);
    if (nPolyLineTalutee::gpDesc != nullptr)
        deleteAcRxClass(nPolyLineTalutee::gpDesc);
}

}  // namespace kelvora::app
