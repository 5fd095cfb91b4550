// Command-line data types: points, entity names and result buffers (linked lists of typed values).
#pragma once

#include "adesk.h"

typedef double ads_real;
typedef ads_real ads_point[3];
typedef Adesk::LongPtr ads_name[2];
typedef ads_real ads_matrix[4][4];

struct ads_binary {
    short clen;
    char* buf;
};

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    ACHAR* rstring;
    Adesk::Int32 rlong;
    Adesk::Int64 mnInt64;
    ads_name rlname;
    ads_binary rbinary;
    unsigned char ihandle[8];
};

// One value of a list: `restype` is a group code or one of the RT codes of adscodes.h.
struct resbuf {
    resbuf* rbnext;
    short restype;
    ads_u_val resval;
};

#ifndef X
#define X 0
#endif
#ifndef Y
#define Y 1
#endif
#ifndef Z
#define Z 2
#endif
