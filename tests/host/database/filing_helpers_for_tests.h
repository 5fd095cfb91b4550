// A DXF group read in a test: its value is freed at the end of its scope.
#pragma once

#include "kelvora/resbuf_util.h"

struct TestDxfItem {
    resbuf rb{};
    ~TestDxfItem()
    {
        if (kelvora::resbufValueKind(rb.restype) == kelvora::ResbufValueKind::kString)
            delete[] rb.resval.rstring;
        if (kelvora::resbufValueKind(rb.restype) == kelvora::ResbufValueKind::kBinary)
            delete[] rb.resval.rbinary.buf;
    }
};
