// Utility functions of the command line: printing, result-buffer lists, number formatting.
#pragma once

#include <cstddef>

#include "adsdef.h"

// Prints to the transcript. The format follows the host's wide printf: %s and %c take wide arguments.
int acutPrintf(const ACHAR* format, ...);

// Result-buffer lists. acutBuildList takes (type, value) pairs ended by 0 or RTNONE;
// RTLB/RTLE/RTDOTE take no value. The list belongs to the caller: free it with acutRelRb.
resbuf* acutBuildList(int type, ...);
resbuf* acutNewRb(int type);
int acutRelRb(resbuf* list);

// Strings of the ads functions are allocated by the host; this frees one.
int acutDelString(ACHAR*& string);
int acutNewString(const ACHAR* source, ACHAR*& dest);

// A real as text in linear units: 1 scientific, 2 decimal, 3 engineering, 4 architectural,
// 5 fractional; `precision` decimals (or 1/2^precision of an inch). -1 for either takes the
// drawing's LUNITS / LUPREC. RTERROR for a bad unit or a buffer too small for the text.
int acdbRToS(ads_real value, int unit, int precision, ACHAR* result, size_t bufferSize);
template <size_t N>
inline int acdbRToS(ads_real value, int unit, int precision, ACHAR (&result)[N])
{
    return acdbRToS(value, unit, precision, result, N);
}
