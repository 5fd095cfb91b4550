// kelvora shell: the interactive command line on a terminal.
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "commands.h"
#include "dbmain.h"
#include "drawing_setup.h"
#include "kelvora/command_line.h"
#include "kelvora/editor_session.h"
#include "kelvora/input_source.h"
#include "kelvora/wide_text.h"
#include "options.h"
#include "usage.h"

namespace kelvora::cli {

namespace {

struct ShellOptions {
    std::optional<std::string> drawing;
    std::optional<std::string> output;
    std::optional<std::string> version;
    bool noModule = false;
    DxfVersion dxfVersion = DxfVersion::R2007;
};

std::optional<std::string> parseShellArguments(std::vector<std::string> arguments, ShellOptions& o, bool& help)
{
    ArgumentReader args(std::move(arguments));
    while (!args.done()) {
        std::string arg = args.take();
        if (!args.isOption()) {
            if (setOnce(o.drawing, arg, "DRAWING"))
                return "more than one drawing given (\"" + arg + "\")";
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            help = true;
            return std::nullopt;
        }
        if (arg == "--no-module") {
            if (auto e = args.noValue())
                return e;
            o.noModule = true;
            continue;
        }
        std::optional<std::string>* slot = nullptr;
        if (arg == "-o" || arg == "--output")
            slot = &o.output;
        else if (arg == "--dxf-version")
            slot = &o.version;
        else
            return "unknown option " + arg;
        std::string error;
        auto value = args.value(error);
        if (!value)
            return error;
        if (auto e = setOnce(*slot, *value, arg))
            return e;
    }
    if (o.version) {
        if (auto e = parseDxfVersion(*o.version, o.dxfVersion))
            return e;
    }
    return std::nullopt;
}

}  // namespace

int runShell(std::vector<std::string> arguments)
{
    ShellOptions options;
    bool help = false;
    if (auto error = parseShellArguments(std::move(arguments), options, help))
        return usageError(*error);
    if (help)
        return printHelp();
    if (options.drawing) {
        if (auto error = unreadableDrawing(*options.drawing)) {
            std::fprintf(stderr, "%s\n", error->c_str());
            return kExitFailure;
        }
    }
    std::unique_ptr<AcDbDatabase> db = openDrawing(options.drawing);
    if (db == nullptr)
        return kExitFailure;
    int status = kExitOk;
    {
        EditorSession session(*db, {options.drawing.has_value(), fromUtf8(options.drawing.value_or(""))});
        loadApplications(session, options.noModule);
        session.showDrawing();
        // Piped input is read as a script would be, so that each answer shows once, after its prompt.
        std::unique_ptr<InputSource> input = isatty(STDIN_FILENO) != 0 ? makeTerminalSource() : makeStandardInputSource();
        CommandLine line(*input, Transcript::standardOutput(), stderr);
        // A person ends the session with Ctrl-D; mistakes along the way were only reported.
        session.runCommands(line);
        line.transcript().write(std::string_view("\n"));
        line.transcript().flush();
        if (options.output && !saveDrawing(*db, *options.output, options.dxfVersion))
            status = kExitFailure;
    }
    closeDrawing(db);
    return status;
}

}  // namespace kelvora::cli
