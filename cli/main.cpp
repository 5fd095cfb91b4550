// The kelvora program's entry: hands the command line to the runner of its subcommand.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"
#include "kelvora/proxy_graphics_adapter.h"
#include "usage.h"

namespace {

struct Subcommand {
    std::string_view name;
    int (*run)(std::vector<std::string>);
};

constexpr Subcommand kSubcommands[] = {
    {"run", kelvora::cli::runScript},
    {"shell", kelvora::cli::runShell},
    {"plot", kelvora::cli::runPlot},
    {"convert", kelvora::cli::runConvert},
};

}  // namespace

int main(int argc, char** argv)
{
    using namespace kelvora::cli;
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (arguments.empty())
        return usageError("no subcommand given");
    std::string first = arguments.front();
    if (first == "--help" || first == "-h")
        return printHelp();
    if (first == "--version") {
        std::printf("kelvora %s\n", KELVORA_VERSION);
        return kExitOk;
    }
    arguments.erase(arguments.begin());
    // Proxies draw through their proxy graphics, and saved custom entities carry theirs.
    kelvora::installProxyGraphics();
    for (const Subcommand& subcommand : kSubcommands) {
        if (first == subcommand.name)
            return subcommand.run(std::move(arguments));
    }
    if (first.starts_with("-"))
        return usageError("unknown option " + first);
    return usageError("unknown subcommand \"" + first + "\"");
}
