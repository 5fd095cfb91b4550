// Utility functions of the command line: printing, result-buffer lists, number formatting.
#pragma once

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
