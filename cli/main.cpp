// The kelvora program's entry: parses the command line and hands over to the runner of its subcommand.
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "kelvora run [DRAWING.dxf] [--script FILE | -s FILE] [-o OUT.dxf] [--plot OUT.png|.svg|.pdf]\n"
    "            [--clipboard FILE] [--no-module] [--dxf-version R2000|R2004|R2007|R2010|R2013|R2018]\n"
    "kelvora shell [DRAWING.dxf] [-o OUT.dxf]        interactive command line (a terminal)\n"
    "kelvora plot DRAWING.dxf -o OUT.png|.svg|.pdf [--size WxH] [--window X1,Y1,X2,Y2]\n"
    "kelvora convert IN.dxf -o OUT.dxf [--dxf-version ...]   read and write through the host\n"
    "kelvora --help | --version\n";

int usageError(const char* what)
{
    std::fprintf(stderr, "kelvora: error: %s\n%s", what, kUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usageError("no subcommand given");
    std::string_view first = argv[1];
    if (first == "--help" || first == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (first == "--version") {
        std::printf("kelvora %s\n", KELVORA_VERSION);
        return 0;
    }
    if (first == "run" || first == "shell" || first == "plot" || first == "convert") {
        std::fprintf(stderr, "kelvora: error: the %s subcommand is not available in this build yet\n", argv[1]);
        return 1;
    }
    return usageError("unknown subcommand");
}
