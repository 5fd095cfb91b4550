// Freeing the value that a DXF read put in a stack resbuf.
#include "dbhelpers/resbuf_value.h"

#include "acutads.h"

void releaseResbufValue(resbuf& item)
{
    // A resbuf of the same code owns the value for long enough to free it the host's way.
    resbuf* owned = acutNewRb(item.restype);
    owned->resval = item.resval;
    acutRelRb(owned);
    item.resval = {};
}
