// LISTERSURFACES: shows the list of the drawing's surfaces in ListeSurfaces.
#include "dbhelpers/resource_scope.h"
#include "surfaces/liste_surfaces.h"
#include "surfaces/surface_commands.h"

namespace kelvora::surfaces {

void commandListerSurfaces()
{
    ModuleResourceScope resources;
    ListeSurfaces dialog(NULL);
    dialog.DoModal();
}

}  // namespace kelvora::surfaces
