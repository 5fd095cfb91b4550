// Freeing the value that a DXF read put in a stack resbuf.
#pragma once

#include "adsdef.h"

// Frees whatever value a DXF read allocated for the item (a string or a binary chunk), whatever its
// code, and leaves the item empty.
void releaseResbufValue(resbuf& item);
