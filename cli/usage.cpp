// The usage text of the program and the reports of usage errors.
#include "usage.h"

#include <cstdio>

namespace kelvora::cli {

const std::string_view kUsage =
    "kelvora run [DRAWING.dxf] [--script FILE | -s FILE] [-o OUT.dxf] [--plot OUT.png|.svg|.pdf]\n"
    "            [--clipboard FILE] [--no-module] [--dxf-version R2000|R2004|R2007|R2010|R2013|R2018]\n"
    "kelvora shell [DRAWING.dxf] [-o OUT.dxf]        interactive command line (a terminal)\n"
    "kelvora plot DRAWING.dxf -o OUT.png|.svg|.pdf [--size WxH] [--window X1,Y1,X2,Y2]\n"
    "kelvora convert IN.dxf -o OUT.dxf [--dxf-version ...] [--times]   read and write through the host\n"
    "kelvora --help | --version\n";

int usageError(std::string_view text)
{
    std::fprintf(stderr, "kelvora: error: %.*s\n(kelvora --help shows the usage)\n", static_cast<int>(text.size()),
                 text.data());
    return kExitUsage;
}

int failure(std::string_view text)
{
    std::fprintf(stderr, "kelvora: error: %.*s\n", static_cast<int>(text.size()), text.data());
    return kExitFailure;
}

}  // namespace kelvora::cli
