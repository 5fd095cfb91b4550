// Helpers for result-buffer lists: the value type of a code, copies, comparison, freeing.
#pragma once

#include "adsdef.h"

namespace kelvora {

// How the value of a resbuf of that restype (a DXF group code or an RT code) is stored.
enum class ResbufValueKind {
    kNone,     // RTLB, RTLE, RTDOTE, RTNIL, RTT, RTVOID, RTNONE, -3 ...
    kShort,    // rint
    kLong,     // rlong
    kInt64,    // mnInt64
    kReal,     // rreal
    kPoint,    // rpoint
    kString,   // rstring (new[]; freed by acutRelRb)
    kName,     // rlname (entity name / object id)
    kBinary,   // rbinary (buf new char[])
    kHandle,   // ihandle (8 bytes)
};
ResbufValueKind resbufValueKind(int restype);

// A deep copy of one resbuf (rbnext null) or of a whole list.
resbuf* copyResbuf(const resbuf* rb);
resbuf* copyResbufList(const resbuf* list);
// Frees one resbuf and its value (not the ones after it).
void freeResbuf(resbuf* rb);
// Same codes and same values, item by item (reals compared exactly).
bool resbufListsEqual(const resbuf* a, const resbuf* b);
int resbufListLength(const resbuf* list);
// The last resbuf of a list (null for an empty list).
resbuf* lastResbuf(resbuf* list);

}  // namespace kelvora
