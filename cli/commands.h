// The runners of the program's subcommands: each parses its own arguments and does its work.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelvora::cli {

int runScript(std::vector<std::string> arguments);   // kelvora run
int runShell(std::vector<std::string> arguments);    // kelvora shell
int runPlot(std::vector<std::string> arguments);     // kelvora plot
int runConvert(std::vector<std::string> arguments);  // kelvora convert

// --help inside a subcommand's arguments: the usage on standard output.
int printHelp();

// A drawing named on the command line that cannot be opened for reading: its message.
std::optional<std::string> unreadableDrawing(const std::string& path);

}  // namespace kelvora::cli
