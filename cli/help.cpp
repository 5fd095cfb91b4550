// The shared pieces of the runners: --help, and the check that a named drawing can be read.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "commands.h"
#include "usage.h"

namespace kelvora::cli {

int printHelp()
{
    std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
    return kExitOk;
}

std::optional<std::string> unreadableDrawing(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return path + ": error: cannot open: it is a directory";
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return path + ": error: cannot open: " + std::strerror(errno);
    return std::nullopt;
}

}  // namespace kelvora::cli
