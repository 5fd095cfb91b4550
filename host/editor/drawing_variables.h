// System variables that read and write the working drawing's header and the view.
#pragma once

#include "kelvora/system_variables.h"

namespace kelvora {

// Defines (or takes over from the editor's plain storage) the drawing's variables: LUNITS, LUPREC,
// AUNITS, AUPREC, PLINETYPE, PDMODE, INSUNITS, MEASUREMENT, ORTHOMODE, TEXTSIZE, PDSIZE, LTSCALE,
// CELTSCALE, ELEVATION, THICKNESS, FILLETRAD, PLINEWID, CLAYER, TEXTSTYLE, CELTYPE (record names),
// LIMMIN, LIMMAX; read-only EXTMIN, EXTMAX, HANDSEED, DWGNAME, VIEWCTR, VIEWSIZE, SCREENSIZE; and
// ERRNO. Each reads the working database when it is asked, so no variable outlives its drawing.
void defineDrawingVariables(SystemVariables& variables);

}  // namespace kelvora
